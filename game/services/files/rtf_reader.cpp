#include "services/files/rtf_reader.h"

#include "services/files/text_file.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

// Word processors nest a few dozen groups at most. Groups deeper than this
// are still matched brace for brace but share the state of the deepest group
// kept, so that a file of nothing but "{" costs no memory.
constexpr std::size_t kMaxDepth = 4096;
constexpr int kMaxTableEntries = 32768;
constexpr qsizetype kMaxFontName = 256;
constexpr int kMaxTwips = 31680; // 22 inches: wider than any page

enum class Destination : quint8 { Text, Skip, FontTable, ColourTable };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;
    int colour = -1; // index into the colour table; -1 the default colour
    int highlight = -1;
    int font = -1; // font number; -1 the document's default font

    friend bool operator==(const CharState &, const CharState &) = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // all in twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

enum class Word : quint8 {
    Unknown,
    SkipGroup,
    FontTable,
    ColourTable,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Colour,
    Highlight,
    Font,
    Plain,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    ParagraphDefaults,
    Paragraph,
    Symbol,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    Red,
    Green,
    Blue,
    Binary,
};

struct WordEntry {
    std::string_view name;
    Word word;
    char16_t symbol = 0;
};

// Sorted by name for the binary search in lookUp().
constexpr WordEntry kWords[] = {
    {"author", Word::SkipGroup},
    {"b", Word::Bold},
    {"bin", Word::Binary},
    {"bkmkend", Word::SkipGroup},
    {"bkmkstart", Word::SkipGroup},
    {"blue", Word::Blue},
    {"bullet", Word::Symbol, u'\u2022'},
    {"cb", Word::Highlight},
    {"cell", Word::Symbol, u'\t'},
    {"cf", Word::Colour},
    {"colortbl", Word::ColourTable},
    {"comment", Word::SkipGroup},
    {"deff", Word::DefaultFont},
    {"doccomm", Word::SkipGroup},
    {"emdash", Word::Symbol, u'\u2014'},
    {"emspace", Word::Symbol, u'\u2003'},
    {"endash", Word::Symbol, u'\u2013'},
    {"enspace", Word::Symbol, u'\u2002'},
    {"f", Word::Font},
    {"fi", Word::FirstIndent},
    {"fldinst", Word::SkipGroup},
    {"fonttbl", Word::FontTable},
    {"footer", Word::SkipGroup},
    {"footerf", Word::SkipGroup},
    {"footerl", Word::SkipGroup},
    {"footerr", Word::SkipGroup},
    {"footnote", Word::SkipGroup},
    {"fs", Word::FontSize},
    {"green", Word::Green},
    {"header", Word::SkipGroup},
    {"headerf", Word::SkipGroup},
    {"headerl", Word::SkipGroup},
    {"headerr", Word::SkipGroup},
    {"highlight", Word::Highlight},
    {"i", Word::Italic},
    {"info", Word::SkipGroup},
    {"keywords", Word::SkipGroup},
    {"ldblquote", Word::Symbol, u'\u201C'},
    {"li", Word::LeftIndent},
    {"line", Word::Symbol, u'\u2028'},
    {"listoverridetable", Word::SkipGroup},
    {"listtable", Word::SkipGroup},
    {"lquote", Word::Symbol, u'\u2018'},
    {"object", Word::SkipGroup},
    {"operator", Word::SkipGroup},
    {"page", Word::Paragraph},
    {"par", Word::Paragraph},
    {"pard", Word::ParagraphDefaults},
    {"pict", Word::SkipGroup},
    {"plain", Word::Plain},
    {"pn", Word::SkipGroup},
    {"qc", Word::AlignCentre},
    {"qj", Word::AlignJustify},
    {"ql", Word::AlignLeft},
    {"qmspace", Word::Symbol, u'\u2005'},
    {"qr", Word::AlignRight},
    {"rdblquote", Word::Symbol, u'\u201D'},
    {"red", Word::Red},
    {"revtbl", Word::SkipGroup},
    {"ri", Word::RightIndent},
    {"row", Word::Paragraph},
    {"rquote", Word::Symbol, u'\u2019'},
    {"rsidtbl", Word::SkipGroup},
    {"sa", Word::SpaceAfter},
    {"sb", Word::SpaceBefore},
    {"sect", Word::Paragraph},
    {"strike", Word::Strike},
    {"stylesheet", Word::SkipGroup},
    {"subject", Word::SkipGroup},
    {"tab", Word::Symbol, u'\t'},
    {"tc", Word::SkipGroup},
    {"template", Word::SkipGroup},
    {"title", Word::SkipGroup},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldb", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"xe", Word::SkipGroup},
};

constexpr bool wordsSorted()
{
    for (std::size_t i = 1; i < std::size(kWords); ++i) {
        if (!(kWords[i - 1].name < kWords[i].name))
            return false;
    }
    return true;
}
static_assert(wordsSorted(), "kWords must stay sorted by name");

const WordEntry *lookUp(std::string_view name)
{
    const auto *it = std::lower_bound(std::begin(kWords), std::end(kWords), name,
                                      [](const WordEntry &entry, std::string_view key) { return entry.name < key; });
    return it != std::end(kWords) && it->name == name ? it : nullptr;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What each high byte reads as, made once: decoding the 128 of them for every
// document costs more than reading a short one.
const std::array<QChar, 0x80> &highBytes()
{
    static const std::array<QChar, 0x80> table = [] {
        std::array<QChar, 0x80> decoded;
        for (int byte = 0x80; byte < 0x100; ++byte)
            decoded[byte - 0x80] = TextFile::decode(QByteArray(1, char(byte))).at(0);
        return decoded;
    }();
    return table;
}

qreal twipsToPixels(int twips)
{
    return twips / 15.0; // 1440 twips to the inch, 96 pixels to the inch
}

class Parser
{
public:
    Parser(const QByteArray &rtf, QTextDocument &document)
        : m_p(rtf.constData())
        , m_end(rtf.constData() + rtf.size())
        , m_cursor(&document)
        , m_highBytes(highBytes())
    {
    }

    RtfReader::Status run();

private:
    GroupState &state() { return m_stack.back(); }

    void openGroup();
    bool closeGroup();
    void controlWord();
    void controlSymbol();
    void applyWord(const WordEntry *entry, bool hasParam, int param);
    void plainText();
    void deliver(QChar c);
    void addFont();
    void endParagraph();
    void flush();
    RtfReader::Status finish(RtfReader::Status status);

    QTextCharFormat charFormat(const CharState &chars) const;
    static QTextBlockFormat blockFormat(const ParaState &para);

    const char *m_p;
    const char *const m_end;
    QTextCursor m_cursor;

    std::vector<GroupState> m_stack;
    std::size_t m_excessDepth = 0;
    int m_fallbackLeft = 0; // characters of a \u fallback still to drop

    QString m_pending; // text not yet inserted, all in m_pendingChars
    CharState m_pendingChars;

    QHash<int, QString> m_fonts;
    int m_defaultFont = -1;
    int m_tableFont = -1; // the font entry being read
    QString m_fontName;
    QList<QColor> m_colours;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourGiven = false;

    const std::array<QChar, 0x80> &m_highBytes;
};

RtfReader::Status Parser::run()
{
    // The header: optional blanks (and a byte-order mark some editors add),
    // then the outer group starting with \rtf.
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (std::string_view(m_p, std::min<std::size_t>(m_end - m_p, kBom.size())) == kBom)
        m_p += kBom.size();
    while (m_p < m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\r' || *m_p == '\n'))
        ++m_p;
    static constexpr std::string_view kHeader = "{\\rtf";
    if (std::size_t(m_end - m_p) < kHeader.size() || std::string_view(m_p, kHeader.size()) != kHeader)
        return RtfReader::Status::NotRtf;

    while (m_p < m_end) {
        switch (*m_p) {
        case '{':
            ++m_p;
            openGroup();
            break;
        case '}':
            ++m_p;
            if (!closeGroup())
                return finish(RtfReader::Status::Complete);
            break;
        case '\\':
            ++m_p;
            if (m_p < m_end && isLetter(*m_p))
                controlWord();
            else
                controlSymbol();
            break;
        case '\r':
        case '\n':
            ++m_p;
            break;
        default:
            plainText();
            break;
        }
    }
    return finish(RtfReader::Status::Truncated);
}

void Parser::openGroup()
{
    m_fallbackLeft = 0;
    if (m_stack.empty())
        m_stack.emplace_back();
    else if (m_stack.size() >= kMaxDepth)
        ++m_excessDepth;
    else
        m_stack.push_back(m_stack.back());
}

bool Parser::closeGroup()
{
    m_fallbackLeft = 0;
    if (m_excessDepth > 0) {
        --m_excessDepth;
        return true;
    }
    if (m_stack.size() <= 1)
        return false;
    const bool leavingFontEntry = state().destination == Destination::FontTable;
    m_stack.pop_back();
    // An entry group such as {\f1\fswiss Arial} may close without its ";".
    if (leavingFontEntry && !m_fontName.isEmpty())
        addFont();
    return true;
}

void Parser::controlWord()
{
    const char *start = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    // No control word is longer than 32 letters; a longer one matches nothing.
    const std::string_view name(start, std::min<std::size_t>(m_p - start, 33));

    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    while (m_p < m_end && isDigit(*m_p)) {
        hasParam = true;
        value = std::min(value * 10 + (*m_p - '0'), 2'000'000'000LL);
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    const int param = int(negative ? -value : value);

    const WordEntry *entry = lookUp(name);
    if (!entry || entry->word != Word::Unicode)
        m_fallbackLeft = 0;
    if (entry)
        applyWord(entry, hasParam, param);
}

void Parser::controlSymbol()
{
    if (m_p >= m_end)
        return;
    const char symbol = *m_p++;
    switch (symbol) {
    case '\'': {
        if (m_end - m_p < 2) {
            m_p = m_end; // cut off by the end of the input
            return;
        }
        const int high = hexValue(m_p[0]);
        const int low = hexValue(m_p[1]);
        if (high < 0 || low < 0)
            return; // a broken escape: its stray characters are shown as text
        m_p += 2;
        const int byte = high * 16 + low;
        deliver(byte < 0x80 ? QChar(byte) : m_highBytes[byte - 0x80]);
        return;
    }
    case '\\':
    case '{':
    case '}':
        deliver(QChar::fromLatin1(symbol));
        return;
    case '~':
        deliver(QChar(0x00A0));
        return;
    case '_':
        deliver(QChar(0x2011));
        return;
    case '-':
        deliver(QChar(0x00AD));
        return;
    case '*':
        // An ignorable destination: none of them is shown here.
        if (!m_stack.empty())
            state().destination = Destination::Skip;
        return;
    case '\r':
    case '\n':
        m_fallbackLeft = 0;
        endParagraph();
        return;
    default:
        return;
    }
}

void Parser::applyWord(const WordEntry *entry, bool hasParam, int param)
{
    if (m_stack.empty())
        return;
    GroupState &group = state();
    CharState &chars = group.chars;
    ParaState &para = group.para;
    const bool on = !hasParam || param != 0;
    const auto twips = [&] { return std::clamp(param, -kMaxTwips, kMaxTwips); };

    switch (entry->word) {
    case Word::Unknown:
        break;
    case Word::SkipGroup:
        group.destination = Destination::Skip;
        break;
    case Word::FontTable:
        if (group.destination != Destination::Skip)
            group.destination = Destination::FontTable;
        break;
    case Word::ColourTable:
        if (group.destination != Destination::Skip)
            group.destination = Destination::ColourTable;
        break;
    case Word::Bold:
        chars.bold = on;
        break;
    case Word::Italic:
        chars.italic = on;
        break;
    case Word::Underline:
        chars.underline = on;
        break;
    case Word::UnderlineNone:
        chars.underline = false;
        break;
    case Word::Strike:
        chars.strike = on;
        break;
    case Word::FontSize:
        chars.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        break;
    case Word::Colour:
        chars.colour = hasParam ? param : -1;
        break;
    case Word::Highlight:
        chars.highlight = hasParam && param > 0 ? param : -1;
        break;
    case Word::Font:
        if (group.destination == Destination::FontTable)
            m_tableFont = param;
        else
            chars.font = param;
        break;
    case Word::Plain:
        chars = CharState();
        break;
    case Word::DefaultFont:
        m_defaultFont = param;
        break;
    case Word::UnicodeSkip:
        group.unicodeSkip = std::clamp(param, 0, 16);
        break;
    case Word::Unicode: {
        // The parameter is a signed 16-bit number: -4064 stands for 61472.
        const int code = param < 0 ? param + 65536 : param;
        if (hasParam && code >= 0 && code <= 0xFFFF)
            deliver(QChar(char16_t(code)));
        m_fallbackLeft = group.unicodeSkip;
        break;
    }
    case Word::ParagraphDefaults:
        para = ParaState();
        break;
    case Word::Paragraph:
        endParagraph();
        break;
    case Word::Symbol:
        deliver(QChar(entry->symbol));
        break;
    case Word::AlignLeft:
        para.alignment = Qt::AlignLeft;
        break;
    case Word::AlignCentre:
        para.alignment = Qt::AlignHCenter;
        break;
    case Word::AlignRight:
        para.alignment = Qt::AlignRight;
        break;
    case Word::AlignJustify:
        para.alignment = Qt::AlignJustify;
        break;
    case Word::LeftIndent:
        para.leftIndent = twips();
        break;
    case Word::RightIndent:
        para.rightIndent = twips();
        break;
    case Word::FirstIndent:
        para.firstIndent = twips();
        break;
    case Word::SpaceBefore:
        para.spaceBefore = std::max(0, twips());
        break;
    case Word::SpaceAfter:
        para.spaceAfter = std::max(0, twips());
        break;
    case Word::Red:
        m_red = std::clamp(param, 0, 255);
        m_colourGiven = true;
        break;
    case Word::Green:
        m_green = std::clamp(param, 0, 255);
        m_colourGiven = true;
        break;
    case Word::Blue:
        m_blue = std::clamp(param, 0, 255);
        m_colourGiven = true;
        break;
    case Word::Binary:
        // Raw bytes follow; whatever they hold is no markup.
        m_p += std::min<std::ptrdiff_t>(std::max(param, 0), m_end - m_p);
        break;
    }
}

void Parser::plainText()
{
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            return;
        ++m_p;
        const auto byte = static_cast<uchar>(c);
        if (byte == '\t')
            deliver(QChar(u'\t'));
        else if (byte >= 0x20)
            deliver(byte < 0x80 ? QChar(byte) : m_highBytes[byte - 0x80]);
        // other control bytes mean nothing in a document's text
    }
}

void Parser::deliver(QChar c)
{
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_stack.empty())
        return;
    GroupState &group = state();
    switch (group.destination) {
    case Destination::Text:
        if (!m_pending.isEmpty() && group.chars != m_pendingChars)
            flush();
        if (m_pending.isEmpty())
            m_pendingChars = group.chars;
        m_pending.append(c);
        break;
    case Destination::FontTable:
        if (c == u';')
            addFont();
        else if (m_fontName.size() < kMaxFontName)
            m_fontName.append(c);
        break;
    case Destination::ColourTable:
        if (c == u';') {
            if (m_colours.size() < kMaxTableEntries)
                m_colours.append(m_colourGiven ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
        }
        break;
    case Destination::Skip:
        break;
    }
}

void Parser::addFont()
{
    if (m_fonts.size() < kMaxTableEntries)
        m_fonts.insert(m_tableFont, m_fontName.trimmed());
    m_fontName.clear();
}

void Parser::endParagraph()
{
    if (m_stack.empty() || state().destination != Destination::Text)
        return;
    flush();
    m_cursor.setBlockFormat(blockFormat(state().para));
    m_cursor.insertBlock();
}

void Parser::flush()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, charFormat(m_pendingChars));
    m_pending.clear();
}

RtfReader::Status Parser::finish(RtfReader::Status status)
{
    flush();
    if (!m_stack.empty())
        m_cursor.setBlockFormat(blockFormat(state().para));
    return status;
}

QTextCharFormat Parser::charFormat(const CharState &chars) const
{
    QTextCharFormat format;
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    format.setFontPointSize(chars.halfPoints / 2.0);
    const int font = chars.font >= 0 ? chars.font : m_defaultFont;
    const auto family = m_fonts.constFind(font);
    if (family != m_fonts.constEnd() && !family->isEmpty())
        format.setFontFamilies(QStringList{*family});
    if (chars.colour >= 0 && chars.colour < m_colours.size() && m_colours.at(chars.colour).isValid())
        format.setForeground(m_colours.at(chars.colour));
    if (chars.highlight >= 0 && chars.highlight < m_colours.size() && m_colours.at(chars.highlight).isValid())
        format.setBackground(m_colours.at(chars.highlight));
    return format;
}

QTextBlockFormat Parser::blockFormat(const ParaState &para)
{
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLeftMargin(twipsToPixels(para.leftIndent));
    format.setRightMargin(twipsToPixels(para.rightIndent));
    format.setTextIndent(twipsToPixels(para.firstIndent));
    format.setTopMargin(twipsToPixels(para.spaceBefore));
    format.setBottomMargin(twipsToPixels(para.spaceAfter));
    // With a hanging indent the first tab reaches the indent, so a bullet
    // and its tab line the item's text up with the lines that wrap. Tab
    // positions count from where the first line starts.
    if (para.firstIndent < 0)
        format.setTabPositions({QTextOption::Tab(twipsToPixels(-para.firstIndent), QTextOption::LeftTab)});
    return format;
}

} // namespace

RtfReader::Status RtfReader::read(const QByteArray &rtf, QTextDocument &document)
{
    document.clear();
    // A document read from a file is not an edit to undo, and laying it out
    // once at the end beats once per inserted piece.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor batch(&document);
    batch.beginEditBlock();
    const Status status = Parser(rtf, document).run();
    batch.endEditBlock();
    document.setUndoRedoEnabled(undo);
    return status;
}

RtfReader::Status RtfReader::readFile(const QString &path, QTextDocument &document)
{
    return read(TextFile::readBytes(path, maxFileSize()), document);
}
