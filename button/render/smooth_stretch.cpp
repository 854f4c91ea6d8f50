#include "smooth_stretch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Enlargements up to this factor keep the nearest-neighbour stretch.
constexpr double SmoothFrom = 1.25;

// Channels of a pixel after the first pass: colour kernel r, g, b, alpha,
// then coverage kernel r, g, b, alpha, colours premultiplied.
constexpr int Channels = 8;

double bSpline(double t)
{
    t = std::abs(t);
    if (t < 1)
        return (4 - 6 * t * t + 3 * t * t * t) / 6;
    if (t < 2)
        return (2 - t) * (2 - t) * (2 - t) / 6;
    return 0;
}

double tent(double t) { return std::max(0.0, 1 - std::abs(t)); }

// The taps of both kernels along one direction: for every target index, the
// source indices (edges repeated) and the normalised weights of each kernel.
struct Axis {
    int taps = 0;
    std::vector<int> source;
    std::vector<float> colour;
    std::vector<float> cover;
};

Axis axisTaps(int from, int to)
{
    const double ratio = double(from) / to;
    const double widen = std::max(1.0, ratio);
    const double reach = 2 * widen; // the B-spline's; the tent's is half of it
    Axis axis;
    axis.taps = int(std::ceil(2 * reach)) + 1;
    const size_t all = size_t(to) * size_t(axis.taps);
    axis.source.resize(all);
    axis.colour.resize(all);
    axis.cover.resize(all);
    for (int d = 0; d < to; ++d) {
        // Centre of the target pixel, in source pixel-centre coordinates.
        const double u = (d + 0.5) * ratio - 0.5;
        const int first = int(std::floor(u - reach)) + 1;
        const size_t base = size_t(d) * size_t(axis.taps);
        double colourSum = 0;
        double coverSum = 0;
        for (int i = 0; i < axis.taps; ++i) {
            const double t = (first + i - u) / widen;
            const double c = tent(t);
            const double b = bSpline(t);
            axis.source[base + size_t(i)] = std::clamp(first + i, 0, from - 1);
            axis.colour[base + size_t(i)] = float(c);
            axis.cover[base + size_t(i)] = float(b);
            colourSum += c;
            coverSum += b;
        }
        for (int i = 0; i < axis.taps; ++i) {
            axis.colour[base + size_t(i)] = float(axis.colour[base + size_t(i)] / colourSum);
            axis.cover[base + size_t(i)] = float(axis.cover[base + size_t(i)] / coverSum);
        }
    }
    return axis;
}

// The picture as premultiplied r, g, b, alpha with key pixels at alpha 0,
// optionally transposed so that the first pass always runs along rows.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> rgba;
};

Plane planeOf(const QImage &picture, QRgb key, bool transposed)
{
    Plane plane;
    plane.width = transposed ? picture.height() : picture.width();
    plane.height = transposed ? picture.width() : picture.height();
    plane.rgba.resize(size_t(plane.width) * size_t(plane.height) * 4);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = line[x];
            const size_t at = transposed ? size_t(x) * size_t(plane.width) + size_t(y)
                                         : size_t(y) * size_t(plane.width) + size_t(x);
            float *out = &plane.rgba[at * 4];
            if ((p & 0xFFFFFF) == key) {
                out[0] = out[1] = out[2] = out[3] = 0;
            } else {
                out[0] = float(qRed(p));
                out[1] = float(qGreen(p));
                out[2] = float(qBlue(p));
                out[3] = 1;
            }
        }
    }
    return plane;
}

// First pass: every row of the plane resampled to `width`, both kernels.
std::vector<float> resampleRows(const Plane &plane, const Axis &axis, int width)
{
    std::vector<float> rows(size_t(width) * size_t(plane.height) * Channels);
    for (int y = 0; y < plane.height; ++y) {
        const float *line = &plane.rgba[size_t(y) * size_t(plane.width) * 4];
        float *out = &rows[size_t(y) * size_t(width) * Channels];
        for (int x = 0; x < width; ++x, out += Channels) {
            const size_t base = size_t(x) * size_t(axis.taps);
            std::array<float, Channels> sum{};
            for (int i = 0; i < axis.taps; ++i) {
                const float *p = line + size_t(axis.source[base + size_t(i)]) * 4;
                const float c = axis.colour[base + size_t(i)];
                const float b = axis.cover[base + size_t(i)];
                for (int ch = 0; ch < 4; ++ch) {
                    sum[size_t(ch)] += c * p[ch];
                    sum[size_t(ch) + 4] += b * p[ch];
                }
            }
            std::copy(sum.begin(), sum.end(), out);
        }
    }
    return rows;
}

int channelOf(double value) { return std::clamp(int(std::lround(value)), 0, 255); }

// One finished pixel from both kernels' sums (see the header).
QRgb finish(const std::array<float, Channels> &sum, QRgb key)
{
    const double coverage = sum[7];
    if (coverage < 0.5)
        return 0xFF000000u | key;
    // Below half the tent's colour is unreliable; fade it into the
    // B-spline's, which has at least half a pixel of face to go on.
    const double tentAlpha = std::max(0.0, double(sum[3]));
    std::array<double, 3> rgb{};
    for (size_t ch = 0; ch < 3; ++ch) {
        const double own = std::max(0.0, double(sum[4 + ch])) / coverage;
        if (tentAlpha >= 0.5)
            rgb[ch] = std::max(0.0, double(sum[ch])) / tentAlpha;
        else
            rgb[ch] = 2 * std::max(0.0, double(sum[ch])) + (1 - 2 * tentAlpha) * own;
    }
    int r = channelOf(rgb[0]);
    int g = channelOf(rgb[1]);
    int b = channelOf(rgb[2]);
    if (QRgb(qRgb(r, g, b) & 0xFFFFFF) == key)
        b += b < 255 ? 1 : -1;
    return qRgb(r, g, b);
}

} // namespace

bool wantsSmoothStretch(QSize from, QSize to)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    return to.width() > SmoothFrom * from.width() || to.height() > SmoothFrom * from.height();
}

QImage smoothStretch(const QImage &picture, QSize size, QRgb key)
{
    if (picture.isNull() || size.isEmpty())
        return QImage();
    const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    key &= 0xFFFFFF;
    // The first pass keeps the source's other dimension; running it along
    // the direction that leaves the smaller intermediate saves memory when a
    // large picture is shrunk one way and enlarged the other.
    const bool transposed = qint64(source.width()) * size.height() < qint64(size.width()) * source.height();
    const Plane plane = planeOf(source, key, transposed);
    const QSize target = transposed ? size.transposed() : size;
    const Axis across = axisTaps(plane.width, target.width());
    const Axis down = axisTaps(plane.height, target.height());
    const std::vector<float> rows = resampleRows(plane, across, target.width());

    QImage result(size, QImage::Format_RGB32);
    for (int y = 0; y < target.height(); ++y) {
        const size_t base = size_t(y) * size_t(down.taps);
        for (int x = 0; x < target.width(); ++x) {
            std::array<float, Channels> sum{};
            for (int i = 0; i < down.taps; ++i) {
                const float *p =
                    &rows[(size_t(down.source[base + size_t(i)]) * size_t(target.width()) + size_t(x)) * Channels];
                const float c = down.colour[base + size_t(i)];
                const float b = down.cover[base + size_t(i)];
                for (size_t ch = 0; ch < 4; ++ch) {
                    sum[ch] += c * p[ch];
                    sum[ch + 4] += b * p[ch + 4];
                }
            }
            const QRgb pixel = finish(sum, key);
            if (transposed)
                reinterpret_cast<QRgb *>(result.scanLine(x))[y] = pixel;
            else
                reinterpret_cast<QRgb *>(result.scanLine(y))[x] = pixel;
        }
    }
    return result;
}
