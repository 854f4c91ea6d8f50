#pragma once

#include "core/ravlen_look.h"

#include <QByteArray>

class Surface;

// Per-pixel work that the surfaces' own operations do not offer: tinting a
// picture by a colour and turning a picture into a one-colour silhouette.
//
// Both go through a pixel stream: the surface's image as a 24-bit bottom-up
// device-independent bitmap, one row per line of the image, bottom row
// first, three bytes per pixel in the order blue, green, red, each row padded
// with zeros to a multiple of 4 bytes. One bulk copy out, one pass over the
// bytes, one bulk copy back.
//
// One object and one stream buffer serve the whole library (instance());
// the buffer is emptied after each pixel routine but keeps its capacity, so
// a redraw at an unchanged size allocates nothing. Not reentrant: the
// drawing runs on the user-interface thread only.
class FastDrawing
{
public:
    // The surface's bitmap as the platform describes it (24 bytes).
    struct BitmapDescription {
        qint32 bmType = 0;
        qint32 bmWidth = 0;
        qint32 bmHeight = 0;
        qint32 bmWidthBytes = 0;
        qint16 bmPlanes = 1;
        qint16 bmBitsPixel = 32;
        qint32 bmBits = 0; // no address fits 32 bits here; always 0
    };

    // The published BMP information header (40 bytes).
    struct BitmapInfoHeader {
        qint32 biSize = 40;
        qint32 biWidth = 0;
        qint32 biHeight = 0; // positive: the bottom row comes first
        qint16 biPlanes = 1;
        qint16 biBitCount = 24;
        qint32 biCompression = 0; // uncompressed RGB
        qint32 biSizeImage = 0;
        qint32 biXPelsPerMeter = 0;
        qint32 biYPelsPerMeter = 0;
        qint32 biClrUsed = 0;
        qint32 biClrImportant = 0;
    };

    static FastDrawing &instance();

    // Bytes of one stream row for an image of the given width.
    static qint32 streamRowLength(int width);

    // Row length x height of the surface's current image.
    qint32 GetImageStreamLength(const Surface &SrcPictureBox);
    // Sizes ImageData to the stream length and fills it from the surface.
    // A surface without an image gives an empty stream and false.
    bool GetImageDataStream(const Surface &SrcPictureBox, QByteArray &ImageData);
    // Draws the stream onto the destination at (0, 0), at the destination's
    // own size, unscaled. A stream whose length does not fit the
    // destination's size is refused (false) and the destination is left as
    // it was, rather than reading past its end.
    bool SetImageDataStream(Surface &DstPictureBox, const QByteArray &ImageData);

    // Tints source into destination (they may be the same surface). See
    // tintStream() for the arithmetic. When the source has no image, or the
    // destination's size differs from the source's, the destination is left
    // as it was.
    void tint(Surface &destination, const Surface &source, OleColor tintColor, qint16 brightness, qint32 tintType);
    // Every pixel of source that is not exactly the key colour becomes the
    // fill colour; the result goes to destination (may be the same surface).
    // The same pixels as the stream pass, without a stream.
    void silhouette(Surface &destination, const Surface &source, OleColor keyColor, OleColor fillColor);

    // The pixel passes themselves, over a stream of the given size. Padding
    // bytes are never touched.
    //
    // With source channels r, g, b, tint channels tr, tg, tb, offset o = 0
    // for a black pixel (r + g + b = 0) and the brightness otherwise,
    // A = (r + g + b) / 3 (whole part):
    //   TintNormal 0: o + t * A / 256       TintMetal 1: o + t * c / 155
    //   TintGlow 2:   t * (c + o) / 100     TintBlend 3: t * (c + o) / A
    //   TintFrost 4:  red from o + g + tg, green from o + b + tb,
    //                 blue from o + r + tr
    // computed exactly in integers, rounded to the nearest with halves to
    // even, then limited to 0..255. TintBlend keeps pixels with A = 0; any
    // other type keeps every pixel.
    static void tintStream(QByteArray &stream, int width, int height, OleColor tintColor, qint16 brightness,
                           qint32 tintType);
    static void silhouetteStream(QByteArray &stream, int width, int height, OleColor keyColor, OleColor fillColor);

    const BitmapDescription &bitmapDescription() const { return m_description; }
    const BitmapInfoHeader &bitmapInfo() const { return m_info; }

private:
    FastDrawing() = default;
    void describe(const Surface &surface);
    bool readStream(const Surface &source);

    BitmapDescription m_description;
    BitmapInfoHeader m_info;
    QByteArray m_stream;
};
