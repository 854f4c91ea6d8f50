#include "settings_file_name.h"

namespace {

constexpr qsizetype kMaxNameBytes = 255;
const QString kExtension = QStringLiteral(".rls");

bool forbidden(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c); }

QString sanitised(const QString &text)
{
    QString name = text;
    for (QChar &c : name) {
        if (forbidden(c))
            c = u'_';
    }
    for (qsizetype i = 0; i < name.size();) {
        qsizetype end = i;
        while (end < name.size() && name.at(end) == u'.')
            ++end;
        if (end - i >= 2)
            name.replace(i, end - i, QString(end - i, u'_'));
        i = end == i ? i + 1 : end;
    }
    return name;
}

// How many UTF-16 units of text fit into a number of UTF-8 bytes without
// splitting a character.
qsizetype unitsWithin(QStringView text, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char16_t unit = text.at(i).unicode();
        const qsizetype size = pair ? 4 : unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        if (used + size > bytes)
            break;
        used += size;
        i += pair ? 2 : 1;
    }
    return i;
}

} // namespace

QString settingsFileName(const QString &controlName, std::optional<int> index, const QString &caption)
{
    const QString prefix = controlName
                           + (index ? u'(' + QString::number(*index) + QStringLiteral(")-") : QStringLiteral("-"));
    QString base = sanitised(prefix + caption);
    base.truncate(unitsWithin(base, kMaxNameBytes - kExtension.size()));
    return base + kExtension;
}
