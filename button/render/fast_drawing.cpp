#include "fast_drawing.h"

#include "surface.h"

#include <algorithm>

namespace {

// n / d rounded to the nearest whole number, halves to the even one; d > 0.
qint64 divideHalfEven(qint64 n, qint64 d)
{
    qint64 q = n / d;
    qint64 r = n % d;
    if (r < 0) { // floor division, so that the remainder is never negative
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && (q & 1)))
        ++q;
    return q;
}

uchar channel(qint64 n, qint64 d) { return uchar(std::clamp<qint64>(divideHalfEven(n, d), 0, 255)); }

// Calls op(blue, green, red) for every pixel of the stream, skipping padding.
template <typename Op>
void forEachPixel(QByteArray &stream, int width, int height, Op op)
{
    const qint32 row = FastDrawing::streamRowLength(width);
    if (width <= 0 || height <= 0 || stream.size() < qsizetype(row) * height)
        return;
    uchar *bytes = reinterpret_cast<uchar *>(stream.data());
    for (int y = 0; y < height; ++y) {
        uchar *p = bytes + qsizetype(y) * row;
        for (int x = 0; x < width; ++x, p += 3)
            op(p[0], p[1], p[2]);
    }
}

} // namespace

FastDrawing &FastDrawing::instance()
{
    static FastDrawing shared;
    return shared;
}

qint32 FastDrawing::streamRowLength(int width) { return width <= 0 ? 0 : ((3 * width + 3) / 4) * 4; }

void FastDrawing::describe(const Surface &surface)
{
    m_description.bmWidth = surface.width();
    m_description.bmHeight = surface.height();
    m_description.bmWidthBytes = qint32(surface.image().bytesPerLine());
    m_info.biWidth = surface.width();
    m_info.biHeight = surface.height();
    m_info.biSizeImage = streamRowLength(surface.width()) * surface.height();
}

qint32 FastDrawing::GetImageStreamLength(const Surface &SrcPictureBox)
{
    describe(SrcPictureBox);
    return m_info.biSizeImage;
}

bool FastDrawing::GetImageDataStream(const Surface &SrcPictureBox, QByteArray &ImageData)
{
    const qint32 length = GetImageStreamLength(SrcPictureBox);
    ImageData.resize(length);
    if (length == 0)
        return false;
    const QImage &image = SrcPictureBox.image();
    const int w = image.width();
    const int h = image.height();
    const qint32 row = streamRowLength(w);
    uchar *out = reinterpret_cast<uchar *>(ImageData.data());
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(h - 1 - y));
        uchar *p = out + qsizetype(y) * row;
        for (int x = 0; x < w; ++x) {
            *p++ = uchar(qBlue(line[x]));
            *p++ = uchar(qGreen(line[x]));
            *p++ = uchar(qRed(line[x]));
        }
        std::fill(p, out + qsizetype(y + 1) * row, uchar(0));
    }
    return true;
}

bool FastDrawing::SetImageDataStream(Surface &DstPictureBox, const QByteArray &ImageData)
{
    const qint32 length = GetImageStreamLength(DstPictureBox);
    if (length == 0 || ImageData.size() != length)
        return false;
    QImage &image = DstPictureBox.image();
    const int w = image.width();
    const int h = image.height();
    const qint32 row = streamRowLength(w);
    const uchar *in = reinterpret_cast<const uchar *>(ImageData.constData());
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(h - 1 - y));
        const uchar *p = in + qsizetype(y) * row;
        for (int x = 0; x < w; ++x, p += 3)
            line[x] = qRgb(p[2], p[1], p[0]);
    }
    return true;
}

bool FastDrawing::readStream(const Surface &source) { return GetImageDataStream(source, m_stream); }

void FastDrawing::tint(Surface &destination, const Surface &source, OleColor tintColor, qint16 brightness,
                       qint32 tintType)
{
    if (destination.size() == source.size() && readStream(source)) {
        tintStream(m_stream, source.width(), source.height(), tintColor, brightness, tintType);
        SetImageDataStream(destination, m_stream);
    }
    m_stream.resize(0);
}

void FastDrawing::silhouette(Surface &destination, const Surface &source, OleColor keyColor, OleColor fillColor)
{
    if (destination.size() != source.size() || source.isNull())
        return;
    describe(source);
    // The stream's rule applied to the pixels where they are: the shadow
    // makes a silhouette at every drawing, and a stream would only carry the
    // pixels there and back.
    const QImage &in = source.image();
    QImage &out = destination.image();
    const QRgb key = oleToPixel(keyColor) & 0xFFFFFF;
    const QRgb fill = oleToPixel(fillColor);
    const int width = in.width();
    for (int y = 0; y < in.height(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(in.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = (from[x] & 0xFFFFFF) == key ? from[x] | 0xFF000000u : fill;
    }
}

void FastDrawing::tintStream(QByteArray &stream, int width, int height, OleColor tintColor, qint16 brightness,
                             qint32 tintType)
{
    if (tintType < 0 || tintType > 4)
        return;
    const qint64 tr = oleRed(tintColor);
    const qint64 tg = oleGreen(tintColor);
    const qint64 tb = oleBlue(tintColor);
    forEachPixel(stream, width, height, [&](uchar &b, uchar &g, uchar &r) {
        const qint64 sum = qint64(r) + g + b;
        const qint64 o = sum == 0 ? 0 : brightness;
        const qint64 a = sum / 3;
        uchar nr = r;
        uchar ng = g;
        uchar nb = b;
        switch (tintType) {
        case 0:
            nr = channel(o * 256 + tr * a, 256);
            ng = channel(o * 256 + tg * a, 256);
            nb = channel(o * 256 + tb * a, 256);
            break;
        case 1:
            nr = channel(o * 155 + tr * r, 155);
            ng = channel(o * 155 + tg * g, 155);
            nb = channel(o * 155 + tb * b, 155);
            break;
        case 2:
            nr = channel(tr * (r + o), 100);
            ng = channel(tg * (g + o), 100);
            nb = channel(tb * (b + o), 100);
            break;
        case 3:
            if (a == 0)
                return;
            nr = channel(tr * (r + o), a);
            ng = channel(tg * (g + o), a);
            nb = channel(tb * (b + o), a);
            break;
        case 4:
            nr = channel(o + g + tg, 1);
            ng = channel(o + b + tb, 1);
            nb = channel(o + r + tr, 1);
            break;
        }
        r = nr;
        g = ng;
        b = nb;
    });
}

void FastDrawing::silhouetteStream(QByteArray &stream, int width, int height, OleColor keyColor, OleColor fillColor)
{
    const OleColor key = keyColor & 0xFFFFFF;
    forEachPixel(stream, width, height, [&](uchar &b, uchar &g, uchar &r) {
        if (oleRgb(r, g, b) == key)
            return;
        r = oleRed(fillColor);
        g = oleGreen(fillColor);
        b = oleBlue(fillColor);
    });
}
