#include "caption_layer.h"

#include "core/ole_color.h"
#include "core/rounding.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

enum IconPosition { LeftIcon, TopIcon, RightIcon, BottomIcon, BackgroundIcon };

constexpr int FormatLeft = 20;
constexpr int FormatCentred = 21;
constexpr int FormatRight = 22;
constexpr int FormatAuto = 19;
constexpr int FormatPlain = 0;
constexpr int TextCentre = 0x01;
constexpr int TextRight = 0x02;
constexpr int TextWordBreak = 0x10;
constexpr double Margin = 5;
constexpr double PointsPerInch = 72;

// a \ b: whole-number division of the rounded operands, truncating; no
// value when the divisor rounds to 0.
std::optional<int> wholeDivide(double a, double b)
{
    const int divisor = pixelCoordinate(b);
    if (divisor == 0)
        return std::nullopt;
    return pixelCoordinate(a) / divisor;
}

// Lines the caption takes when it wraps at `room` pixels: every line counts
// its width \ room + 1.
int wrappedLines(const CaptionLayoutInput &in, double room)
{
    const QList<double> single{in.textWidth};
    int lines = 0;
    for (const double width : in.lineWidths.isEmpty() ? single : in.lineWidths)
        lines += wholeDivide(width, room).value_or(-1) + 1;
    return lines;
}

// The height the caption's block is given under a fixed alignment. A single
// line keeps one line's height even when it wraps, as it always had.
double fixedBlockHeight(const CaptionLayoutInput &in)
{
    if (in.lineWidths.isEmpty())
        return in.textHeight;
    return wrappedLines(in, in.width - 2 * Margin) * in.textHeight;
}

// Lines of text beside a side icon, less one; for a single line the rule is
// kept as the layout always had it.
int linesBesideIcon(const CaptionLayoutInput &in)
{
    const double room = 0.9 * in.width - in.icon.Wi + 1;
    if (in.lineWidths.isEmpty())
        return wholeDivide(in.textWidth, room).value_or(0);
    return wrappedLines(in, room) - 1;
}

bool layoutFixed(const CaptionLayoutInput &in, CaptionBox &box)
{
    const double w = in.width;
    const double h = in.height;
    const double lh = fixedBlockHeight(in);
    box.left = pixelCoordinate(Margin);
    box.right = pixelCoordinate(w - Margin);
    if (in.alignment < 0 || in.alignment > 8) {
        box.format = FormatPlain;
        return false;
    }
    switch (in.alignment % 3) {
    case 0: // middle rows
        box.top = pixelCoordinate((h - lh) / 2);
        box.bottom = pixelCoordinate((h + lh) / 2);
        break;
    case 1: // top rows
        box.top = pixelCoordinate(Margin);
        box.bottom = pixelCoordinate(lh + Margin);
        break;
    default: // bottom rows
        box.top = pixelCoordinate(h - lh - Margin);
        box.bottom = pixelCoordinate(h - Margin);
        break;
    }
    static constexpr int formats[] = {FormatCentred, FormatLeft, FormatRight};
    box.format = formats[in.alignment / 3];
    box.top = pixelCoordinate(box.top + in.motionOffset);
    return true;
}

void layoutAuto(const CaptionLayoutInput &in, CaptionBox &box)
{
    const double w = in.width;
    const double h = in.height;
    const double lh = in.textHeight;
    const double m = in.motionOffset;
    const IconGeometry &g = in.icon;
    box.format = FormatAuto;
    const int position = in.iconShown ? int(in.iconPosition) : int(BackgroundIcon);
    switch (position) {
    case LeftIcon:
        box.left = pixelCoordinate(g.Xi + g.Wi);
        box.top = pixelCoordinate(m + (0.8 * h - linesBesideIcon(in) * lh) / 2);
        box.right = pixelCoordinate(0.95 * w);
        box.bottom = pixelCoordinate(0.95 * h);
        break;
    case TopIcon:
        box.left = pixelCoordinate(g.Xi);
        box.top = pixelCoordinate(m + g.Yi + g.Hi);
        box.right = pixelCoordinate(0.95 * w);
        box.bottom = pixelCoordinate(0.95 * h);
        break;
    case RightIcon:
        box.left = pixelCoordinate(w / 20);
        box.top = pixelCoordinate(m + (0.8 * h - linesBesideIcon(in) * lh) / 2);
        box.right = pixelCoordinate(0.95 * w - g.Wi);
        box.bottom = pixelCoordinate(0.95 * h);
        break;
    case BottomIcon:
        box.left = pixelCoordinate(w / 20);
        box.top = pixelCoordinate(m + ((h - g.Hi / 2) - linesBesideIcon(in) * lh) / 2);
        box.right = pixelCoordinate(0.95 * w);
        box.bottom = pixelCoordinate(0.95 * h - g.Hi);
        break;
    case BackgroundIcon: {
        const int lines = wrappedLines(in, 0.95 * w);
        box.left = wholeDivide(w - 0.95 * w, 2).value_or(0);
        box.top = pixelCoordinate(m + wholeDivide(h - lines * lh, 2).value_or(0));
        box.right = pixelCoordinate(0.95 * w + box.left);
        box.bottom = pixelCoordinate(0.95 * h + box.top);
        break;
    }
    default:
        break;
    }
}

} // namespace

QString decodeCaption(const QString &stored)
{
    QString shown;
    shown.reserve(stored.size());
    qsizetype i = 0;
    while (i < stored.size()) {
        if (stored.at(i) != u'~' || i + 1 >= stored.size() || stored.at(i + 1) != u'$') {
            shown.append(stored.at(i++));
            continue;
        }
        const QStringView digits = QStringView(stored).mid(i + 2, 5);
        char32_t code = 0;
        for (const QChar c : digits) {
            if (!c.isDigit() || c.unicode() > u'9')
                break;
            code = code * 10 + (c.unicode() - u'0');
        }
        if (code > 0xFFFF)
            shown.append(QString::fromUcs4(&code, 1));
        else
            shown.append(QChar(char16_t(code)));
        i += 7;
    }
    return shown;
}

QStringList captionLines(const QString &shown)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    return shown.split(lineBreak);
}

CaptionBox layoutCaption(const CaptionLayoutInput &input, const CaptionBox &previous)
{
    CaptionBox box = previous;
    if (input.autoAlign)
        layoutAuto(input, box);
    else
        layoutFixed(input, box);
    return box;
}

int captionTextFlags(int format)
{
    int flags = Qt::AlignTop;
    if (format & TextCentre)
        flags |= Qt::AlignHCenter;
    else if (format & TextRight)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & TextWordBreak)
        flags |= Qt::TextWordWrap;
    return flags;
}

QFont captionFont(const QFont &controlFont, bool antiAliased, int logicalDpiY)
{
    if (!antiAliased)
        return controlFont;
    QFont smooth(controlFont.family());
    const double points = controlFont.pointSizeF();
    const int pixels = points > 0 ? pixelCoordinate(points * logicalDpiY / PointsPerInch) : controlFont.pixelSize();
    smooth.setPixelSize(std::max(1, pixels));
    smooth.setWeight(controlFont.bold() ? QFont::Bold : QFont::Normal);
    smooth.setItalic(controlFont.italic());
    smooth.setUnderline(controlFont.underline());
    smooth.setStrikeOut(false);
    smooth.setStyleStrategy(QFont::PreferAntialias);
    return smooth;
}

void drawCaptionLayer(QImage &output, FaceSurfaces &s, const CaptionLook &caption, const IconLook &icon,
                      const QFont &controlFont, const QPalette &palette)
{
    if (output.isNull())
        return;
    CaptionMeasure &measure = s.captionMeasure;
    if (measure.stored != caption.text || measure.font != controlFont || measure.dpi != output.logicalDpiY()
        || measure.text.isNull()) {
        const QStringList lines = captionLines(decodeCaption(caption.text));
        const QFontMetricsF metrics(controlFont, &output);
        measure = CaptionMeasure{caption.text, controlFont, output.logicalDpiY(), lines.join(u'\n'), 0, 0, {}};
        for (const QString &line : lines) {
            const QSizeF size = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, line);
            measure.textWidth = std::max(measure.textWidth, size.width());
            measure.lineHeight = std::max(measure.lineHeight, size.height());
            if (lines.size() > 1)
                measure.lineWidths.append(size.width());
        }
    }
    const QString &text = measure.text;
    CaptionLayoutInput in;
    in.textWidth = measure.textWidth;
    in.lineWidths = measure.lineWidths;
    const double lineHeight = measure.lineHeight;
    // The caption is laid out and drawn in logical pixels; the layers before
    // it measured in device pixels.
    const double scale = output.devicePixelRatio();
    in.width = output.width() / scale;
    in.height = output.height() / scale;
    in.textHeight = pixelCoordinate(lineHeight);
    in.motionOffset = s.motionOffset / scale;
    in.autoAlign = caption.autoAlign;
    in.alignment = caption.alignment;
    in.iconShown = icon.show;
    in.iconPosition = icon.position;
    in.icon = s.icon;
    for (double *measure : {&in.icon.Xi, &in.icon.Yi, &in.icon.Wi, &in.icon.Hi, &in.icon.Cx, &in.icon.Cy})
        *measure /= scale;
    s.caption = layoutCaption(in, s.caption);

    if (text.isEmpty())
        return;
    const CaptionBox &box = s.caption;
    const QRect area(box.left, box.top, box.right - box.left, box.bottom - box.top);
    const int flags = captionTextFlags(box.format) | Qt::TextShowMnemonic;
    QPainter painter(&output);
    painter.setFont(captionFont(controlFont, caption.antiAliased, output.logicalDpiY()));
    if (caption.shadow) {
        painter.setPen(oleToQColor(caption.shadowColor, palette));
        painter.drawText(area, flags, text);
    }
    painter.setPen(oleToQColor(caption.color, palette));
    painter.drawText(area.translated(-1, -1), flags, text);
}
