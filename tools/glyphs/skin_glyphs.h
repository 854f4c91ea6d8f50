#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

// The small pictures of the game's window skin: the check mark of a ticked
// check box and the arrows of drop-down lists and scroll bars. Each is drawn
// at twice the size it is shown at, so it stays crisp when scaled down on
// ordinary screens and sharp on dense ones.
namespace SkinGlyphs {

struct Glyph {
    QString fileName; // "arrow-down.png"
    QImage image;
};

constexpr int kCanvas = 32;

// The white tick drawn over a checked box's blue fill.
QImage checkMark();

// A rounded triangle pointing along the given angle in degrees (0 right,
// 90 down), in colour, on a transparent square canvas.
QImage arrow(int degrees, const QColor &colour);

// Every picture the skin uses, with its file name.
QList<Glyph> all();

} // namespace SkinGlyphs
