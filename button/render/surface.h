#pragma once

#include "core/ravlen_look.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

// A persistent off-screen raster the button composes its face on. What is
// drawn stays until it is drawn over; nothing is shown by itself.
//
// Pixels are QImage::Format_RGB32. Colours go in and out as OLE colours (red
// in the lowest byte); the high byte of a colour given to a surface is
// ignored, so system-colour references must be translated by the caller.
//
// Coordinates are whole pixels; the layers round their real-valued geometry
// half to even before they call in. Every operation clips to the surface:
// rectangles may lie partly or wholly outside it.
//
// Arithmetic (all integer):
// - blend format 0: every channel becomes (d * (255 - a) + s * a) / 255,
//   rounded to the nearest (an odd divisor never leaves an exact half);
//   a = 0 keeps the destination, a = 255 gives the source exactly.
// - blend format 1: the surfaces carry no alpha of their own, so a source
//   pixel counts as fully transparent and the destination is lightened:
//   every channel becomes d + s * a / 255 (rounded as above), limited to 255.
// - stretching is nearest-neighbour, sampling the source at the centre of
//   each destination pixel: destination column x (0-based inside the target
//   rectangle of width dw) reads source column ((2x + 1) * sw) / (2 * dw).
//   No colour is ever mixed, so a key colour survives any stretch.
//
// Speed: a redraw at an unchanged size never allocates. Resizing keeps the
// previous buffer as a spare, so going back and forth between two sizes
// (the tint step does that on every drawing) allocates only the first time.
// Do not keep QImage copies of image() across drawings: a shared buffer has
// to be copied the next time it is drawn on.
class Surface
{
public:
    enum class FillStyle { Solid, Transparent };

    // Redraw: the content becomes the background colour with the base
    // picture at its natural size in the top-left corner, as after setting it.
    // KeepContent: the same, then the old pixels are put back where they were
    // (cropped when shrinking).
    enum class ResizeMode { Redraw, KeepContent };

    enum class BlendFormat { ConstantAlpha = 0, Lighten = 1 };

    // pixel() outside the surface.
    static constexpr OleColor OutsidePixel = 0xFFFFFFFF;

    Surface();
    explicit Surface(QSize size, OleColor background = 0);

    QSize size() const { return m_image.size(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isNull() const { return m_image.isNull(); }
    void resize(QSize size, ResizeMode mode = ResizeMode::Redraw);

    // The composed image; for reading, or for QPainter work that is neither a
    // copy nor a blend (text, icons with their own alpha).
    const QImage &image() const { return m_image; }
    QImage &image() { return m_image; }

    OleColor backgroundColor() const { return m_background; }
    // Takes effect at the next clear(), resize or base-picture change.
    void setBackgroundColor(OleColor colour) { m_background = colour & 0xFFFFFF; }
    FillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    OleColor fillColor() const { return m_fillColor; }
    void setFillColor(OleColor colour) { m_fillColor = colour & 0xFFFFFF; }
    OleColor penColor() const { return m_penColor; }
    void setPenColor(OleColor colour) { m_penColor = colour & 0xFFFFFF; }
    int lineWidth() const { return m_lineWidth; }
    // Widths below 1 draw as 1; the value is kept as given.
    void setLineWidth(int width) { m_lineWidth = width; }

    // A picture kept with the surface at its natural size. Setting it resets
    // the content to the background colour with the picture in the top-left
    // corner; pictures with an alpha channel are composed over the
    // background colour. Removing it clears the content to the background.
    void setBasePicture(const QImage &picture);
    void removeBasePicture();
    bool hasBasePicture() const { return !m_base.isNull(); }
    // RGB32; empty when none is set.
    const QImage &basePicture() const { return m_base; }

    // Fills the whole surface with the background colour.
    void clear();

    OleColor pixel(int x, int y) const;

    // Lines include their start and exclude their end point (a line whose
    // ends coincide sets that one pixel). Wider lines stamp a square of
    // lineWidth pixels centred on each point; for even widths the extra
    // pixel lies right of and below the point.
    void drawLine(QPoint from, QPoint to, OleColor colour);
    // The outline covers the four edges of the rectangle with the two
    // corners, both included, each edge lineWidth wide and centred on it.
    void drawBox(QPoint corner1, QPoint corner2, OleColor colour);
    // Fills the rectangle with the two corners, both included.
    void fillBox(QPoint corner1, QPoint corner2, OleColor colour);
    // A ring of lineWidth: the pixels whose distance d from the centre lies
    // in (radius - w/2, radius + w/2]. With a solid fill style the inside
    // is filled with the fill colour. Consecutive radii at width 2 overlap,
    // so a set of them covers a disc without gaps.
    void drawCircle(QPointF centre, double radius, OleColor colour);
    // The shape covers [left, right) x [top, bottom) with corner ellipses of
    // the given size (limited to the rectangle's size); its outline is
    // lineWidth wide in the pen colour, its inside the fill colour when the
    // fill style is solid.
    void drawRoundedRect(QPoint topLeft, QPoint bottomRight, int ellipseWidth, int ellipseHeight);
    // Draws a picture stretched onto target, honouring its alpha channel.
    void drawPicture(const QRect &target, const QImage &picture);

    // Copies of one rectangle onto another. The source may be this surface.
    void blockCopy(QPoint to, const Surface &source, const QRect &from);
    void stretchCopy(const QRect &to, const Surface &source, const QRect &from);
    // The whole picture stretched onto `to`; its alpha channel is ignored.
    void stretchPicture(const QRect &to, const QImage &picture);
    // Skips source pixels of exactly the key colour.
    void keyedStretchCopy(const QRect &to, const Surface &source, const QRect &from, OleColor key);
    // The constant-alpha blend; only the low 8 bits of alpha count.
    // Rectangles with no width or height draw nothing; source pixels that
    // fall outside the source surface are skipped.
    void blend(const QRect &to, const Surface &source, const QRect &from, int alpha,
               BlendFormat format = BlendFormat::ConstantAlpha);
    // The constant-alpha blend from a picture that is not built: `base`
    // whole with `overlay` keyed over it (pixels of exactly the key colour
    // left out), both stretched to `size`, that picture stretched onto `to`.
    // The same pixels as stretching both onto a surface of `size` and
    // blending from all of it, without the work of filling it.
    void blendLayered(const QRect &to, QSize size, const Surface &base, const Surface &overlay, OleColor key,
                      int alpha);

    QRect rect() const { return m_image.rect(); }

private:
    void fillRectClipped(int left, int top, int right, int bottom, QRgb colour);
    void plot(int x, int y, QRgb colour);
    void redrawFromBase();

    QImage m_image;
    QImage m_spare;
    QImage m_base;
    // The picture m_base was last converted from (its cache key) and the
    // background it was composed over.
    qint64 m_baseSource = 0;
    OleColor m_baseBackground = 0;
    OleColor m_background = 0;
    OleColor m_fillColor = 0;
    OleColor m_penColor = 0;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_lineWidth = 1;
};

// OLE colour to the surface's pixel value and back.
constexpr QRgb oleToPixel(OleColor colour)
{
    return 0xFF000000u | (QRgb(oleRed(colour)) << 16) | (QRgb(oleGreen(colour)) << 8) | oleBlue(colour);
}

constexpr OleColor pixelToOle(QRgb pixel) { return oleRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); }
