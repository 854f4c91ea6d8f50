#include "services/forms/display_fonts.h"

namespace DisplayFonts {

void install()
{
    QFont::insertSubstitutions(QStringLiteral("Wide Latin"),
                               {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Ravie"),
                               {QStringLiteral("Lobster Two"), QStringLiteral("Lobster"), QStringLiteral("Comfortaa")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont resolve(const FontDesign &design, const QFont &inherited, double fontScale)
{
    QFont font = inherited;
    if (!design.family.isEmpty())
        font.setFamily(design.family);
    if (design.pointSize > 0)
        font.setPointSizeF(design.pointSize * fontScale);
    if (design.isSet()) {
        font.setBold(design.bold);
        font.setItalic(design.italic);
        font.setUnderline(design.underline);
    }
    // Wide Latin's character is its extreme width and weight; its stand-in
    // is stretched and made black to match.
    if (design.family == QLatin1String("Wide Latin")) {
        font.setWeight(QFont::Black);
        font.setStretch(QFont::Expanded);
    }
    return font;
}

} // namespace DisplayFonts
