#include "display_fonts.h"

namespace DisplayFonts {

void install()
{
    QFont::insertSubstitutions(QStringLiteral("Wide Latin"), {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Ravie"), {QStringLiteral("Lobster Two"), QStringLiteral("Lobster"), QStringLiteral("Comfortaa")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont resolve(const FontSpec &spec, const QFont &inherited, double fontScale)
{
    QFont font = inherited;
    if (!spec.family.isEmpty())
        font.setFamily(spec.family);
    if (spec.pointSize > 0)
        font.setPointSizeF(spec.pointSize * fontScale);
    if (spec.isSet()) {
        font.setBold(spec.bold);
        font.setItalic(spec.italic);
        font.setUnderline(spec.underline);
    }
    // Wide Latin's character is its extreme width and weight; its stand-in
    // is stretched and made black to match.
    if (spec.family == QLatin1String("Wide Latin")) {
        font.setWeight(QFont::Black);
        font.setStretch(QFont::Expanded);
    }
    return font;
}

} // namespace DisplayFonts
