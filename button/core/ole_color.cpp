#include "ole_color.h"

#include <QPalette>

#include <array>

namespace {

constexpr OleColor kSystemColorFlag = 0x80000000u;

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indices in their historical order, each with the palette
// colour that plays the same part on this desktop. Index 25 was never given
// a colour and stays unresolved.
constexpr QPalette::ColorRole kUnused = QPalette::NoRole;
constexpr std::array<SystemColor, 31> kSystemColors = {{
    {QPalette::Active, QPalette::Button}, //  0 scroll bar
    {QPalette::Active, QPalette::Dark}, //  1 desktop
    {QPalette::Active, QPalette::Highlight}, //  2 active title bar
    {QPalette::Inactive, QPalette::Highlight}, //  3 inactive title bar
    {QPalette::Active, QPalette::Window}, //  4 menu
    {QPalette::Active, QPalette::Base}, //  5 window background
    {QPalette::Active, QPalette::Shadow}, //  6 window frame
    {QPalette::Active, QPalette::WindowText}, //  7 menu text
    {QPalette::Active, QPalette::Text}, //  8 window text
    {QPalette::Active, QPalette::HighlightedText}, //  9 title bar text
    {QPalette::Active, QPalette::Window}, // 10 active border
    {QPalette::Inactive, QPalette::Window}, // 11 inactive border
    {QPalette::Active, QPalette::Dark}, // 12 application workspace
    {QPalette::Active, QPalette::Highlight}, // 13 selection
    {QPalette::Active, QPalette::HighlightedText}, // 14 selected text
    {QPalette::Active, QPalette::Button}, // 15 button face
    {QPalette::Active, QPalette::Dark}, // 16 button shadow
    {QPalette::Disabled, QPalette::Text}, // 17 grey text
    {QPalette::Active, QPalette::ButtonText}, // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive title bar text
    {QPalette::Active, QPalette::Light}, // 20 button highlight
    {QPalette::Active, QPalette::Shadow}, // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight}, // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText}, // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase}, // 24 tooltip background
    {QPalette::Active, kUnused}, // 25 never defined
    {QPalette::Active, QPalette::Link}, // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight}, // 27 active title gradient
    {QPalette::Inactive, QPalette::Highlight}, // 28 inactive title gradient
    {QPalette::Active, QPalette::Highlight}, // 29 menu selection
    {QPalette::Active, QPalette::Window}, // 30 menu bar
}};

const SystemColor *systemColor(OleColor colour)
{
    if (!(colour & kSystemColorFlag))
        return nullptr;
    const OleColor index = colour & ~kSystemColorFlag;
    if (index >= kSystemColors.size() || kSystemColors[index].role == kUnused)
        return nullptr;
    return &kSystemColors[index];
}

} // namespace

bool isKnownSystemColor(OleColor colour) { return systemColor(colour) != nullptr; }

OleColor translateOleColor(OleColor colour, const QPalette &palette)
{
    const SystemColor *system = systemColor(colour);
    if (!system)
        return colour;
    return oleFromQColor(palette.color(system->group, system->role));
}

OleColor drawnOleColor(OleColor colour, const QPalette &palette)
{
    const OleColor rgb = translateOleColor(colour, palette);
    return rgb & kSystemColorFlag ? 0 : rgb;
}

QColor oleToQColor(OleColor colour, const QPalette &palette)
{
    const OleColor rgb = drawnOleColor(colour, palette);
    return QColor(oleRed(rgb), oleGreen(rgb), oleBlue(rgb));
}

OleColor oleFromQColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return oleRgb(rgb.red(), rgb.green(), rgb.blue());
}
