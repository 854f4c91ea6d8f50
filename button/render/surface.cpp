#include "surface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define RAVLEN_AVX2_BLEND
#endif

namespace {

// n / 255 rounded to the nearest, for 0 <= n <= 255 * 255; used two lanes
// at a time on packed channels.
constexpr quint32 div255(quint32 n)
{
    n += 128;
    return (n + (n >> 8)) >> 8;
}

constexpr bool div255IsExact()
{
    for (quint32 n = 0; n <= 255 * 255; ++n) {
        if (div255(n) != (2 * n + 255) / 510)
            return false;
    }
    return true;
}
static_assert(div255IsExact());

// Both 16-bit lanes of a packed pair divided by 255, rounded.
constexpr quint32 div255Lanes(quint32 lanes)
{
    lanes += 0x00800080;
    return ((lanes + ((lanes >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

constexpr QRgb mixPixel(QRgb d, QRgb s, quint32 a)
{
    const quint32 rb = (d & 0x00FF00FF) * (255 - a) + (s & 0x00FF00FF) * a;
    const quint32 g = ((d >> 8) & 0xFF) * (255 - a) + ((s >> 8) & 0xFF) * a;
    return 0xFF000000u | div255Lanes(rb) | (div255(g) << 8);
}

constexpr QRgb lightenPixel(QRgb d, QRgb s, quint32 a)
{
    const quint32 r = std::min<quint32>(255, qRed(d) + div255(quint32(qRed(s)) * a));
    const quint32 g = std::min<quint32>(255, qGreen(d) + div255(quint32(qGreen(s)) * a));
    const quint32 b = std::min<quint32>(255, qBlue(d) + div255(quint32(qBlue(s)) * a));
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A premultiplied pixel over an opaque background.
constexpr QRgb overBackground(QRgb premultiplied, QRgb background)
{
    const quint32 a = qAlpha(premultiplied);
    const QRgb behind = mixPixel(background, 0xFF000000u, a); // background * (255 - a) / 255
    const quint32 rb = (behind & 0x00FF00FF) + (premultiplied & 0x00FF00FF);
    const quint32 g = ((behind >> 8) & 0xFF) + ((premultiplied >> 8) & 0xFF);
    const quint32 r = std::min<quint32>(255, rb >> 16);
    const quint32 b = std::min<quint32>(255, rb & 0xFFFF);
    return 0xFF000000u | (r << 16) | (std::min<quint32>(255, g) << 8) | b;
}

bool isDirect32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

// A source picture read in place: 32-bit rows directly, 8-bit rows through
// their colour table, so that neither needs a converted copy.
struct Source {
    const uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    int width = 0;
    int height = 0;
    QList<QRgb> table; // shares the picture's own table, no copy

    QRgb at(int x, int y) const
    {
        const uchar *line = bits + y * bytesPerLine;
        if (table.isEmpty())
            return reinterpret_cast<const QRgb *>(line)[x];
        return tableColour(line[x]);
    }

    // An index past the end of the table reads as black.
    QRgb tableColour(int index) const { return index < table.size() ? table.constData()[index] : 0xFF000000u; }
};

// Whether a destination row depends on its source row alone (a plain copy)
// or on what it held as well.
enum class RowResult { FromSourceOnly, Mixed };

// The rows of mapRect. Unstretched rows of a 32-bit source go to
// rowOp(destination, source, count) in one piece; everything else pixel by
// pixel through op(destinationPixel, sourcePixel). Rows that only copy are
// copied from the row above when both read the same source row, as every
// enlargement does.
template <bool Direct, typename Op, typename RowOp>
void mapRows(QImage &dst, const QRect &to, const Source &src, const QRect &from, const QRect &visible, Op op,
             RowOp rowOp, RowResult result)
{
    const qint64 dw = to.width();
    const qint64 sw = from.width();
    const bool straight = sw == dw;
    const int shift = from.left() - to.left();
    int first = visible.left();
    int last = visible.right();
    static thread_local std::vector<int> columns;
    if (straight) {
        first = std::max(first, -shift);
        last = std::min(last, src.width - 1 - shift);
        if (first > last)
            return;
    } else {
        // The source column grows with x, so the columns that lie inside
        // the source are one run; the rows then need no test per pixel.
        columns.clear();
        int inside = last + 1;
        for (int x = first; x <= last; ++x) {
            const qint64 sx = from.left() + ((2 * qint64(x - to.left()) + 1) * sw) / (2 * dw);
            if (sx < 0)
                continue;
            if (sx >= src.width)
                break;
            if (columns.empty())
                inside = x;
            columns.push_back(int(sx));
        }
        if (columns.empty())
            return;
        first = inside;
        last = inside + int(columns.size()) - 1;
    }
    const auto read = [&](const uchar *row, int x) {
        if constexpr (Direct)
            return reinterpret_cast<const QRgb *>(row)[x];
        else
            return src.tableColour(row[x]);
    };
    const qint64 dh = to.height();
    const qint64 sh = from.height();
    uchar *bits = dst.bits();
    const qsizetype bpl = dst.bytesPerLine();
    qint64 previousSource = -1;
    const QRgb *previousLine = nullptr;
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const qint64 sy = from.top() + ((2 * qint64(y - to.top()) + 1) * sh) / (2 * dh);
        if (sy < 0 || sy >= src.height)
            continue;
        QRgb *line = reinterpret_cast<QRgb *>(bits + y * bpl);
        if (result == RowResult::FromSourceOnly && sy == previousSource) {
            std::memcpy(line + first, previousLine + first, size_t(last - first + 1) * 4);
            continue;
        }
        previousSource = sy;
        previousLine = line;
        const uchar *sourceRow = src.bits + sy * src.bytesPerLine;
        if (straight && Direct) {
            rowOp(line + first, reinterpret_cast<const QRgb *>(sourceRow) + first + shift, last - first + 1);
        } else if (straight) {
            for (int x = first; x <= last; ++x)
                op(line[x], read(sourceRow, x + shift));
        } else {
            QRgb *out = line + first;
            const int *sourceColumns = columns.data();
            const int count = last - first + 1;
            for (int i = 0; i < count; ++i)
                op(out[i], read(sourceRow, sourceColumns[i]));
        }
    }
}

// Calls op(destinationPixel, sourcePixel) for every destination pixel of `to`
// that lies on dst, with the nearest-neighbour source pixel inside `from`;
// rowOp does the same for a run of unstretched pixels.
template <typename Op, typename RowOp>
void mapRect(QImage &dst, const QRect &to, const Source &src, const QRect &from, Op op, RowOp rowOp,
             RowResult result = RowResult::Mixed)
{
    if (to.width() <= 0 || to.height() <= 0 || from.width() <= 0 || from.height() <= 0 || !src.bits)
        return;
    const QRect visible = to & dst.rect();
    if (visible.isEmpty())
        return;
    if (src.table.isEmpty())
        mapRows<true>(dst, to, src, from, visible, op, rowOp, result);
    else
        mapRows<false>(dst, to, src, from, visible, op, rowOp, result);
}

template <typename Op>
void mapRect(QImage &dst, const QRect &to, const Source &src, const QRect &from, Op op,
             RowResult result = RowResult::Mixed)
{
    mapRect(
        dst, to, src, from, op,
        [op](QRgb *d, const QRgb *s, int count) {
            for (int i = 0; i < count; ++i)
                op(d[i], s[i]);
        },
        result);
}

// The copy of the stretches: the source pixel, opaque. A lambda, so that it
// is inlined into the rows.
constexpr auto copyOpaque = [](QRgb &d, QRgb s) { d = s | 0xFF000000u; };

#if defined(RAVLEN_AVX2_BLEND)
// The constant-alpha run eight pixels at a time, on processors that have
// AVX2; the same arithmetic as the SSE2 run below. Returns the pixels done.
__attribute__((target("avx2"))) int mixRowAvx2(QRgb *d, const QRgb *s, int count, quint32 a)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alpha = _mm256_set1_epi16(short(a));
    const __m256i inverse = _mm256_set1_epi16(short(255 - a));
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i opaque = _mm256_set1_epi32(int(0xFF000000u));
    const auto mixLanes = [&](__m256i dl, __m256i sl) __attribute__((target("avx2")))
    {
        __m256i t = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(dl, inverse), _mm256_mullo_epi16(sl, alpha)),
                                     half);
        return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
    };
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i));
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + i));
        // Unpacking and packing both work within 128-bit halves, so the
        // pixels come out in their order.
        const __m256i low = mixLanes(_mm256_unpacklo_epi8(dv, zero), _mm256_unpacklo_epi8(sv, zero));
        const __m256i high = mixLanes(_mm256_unpackhi_epi8(dv, zero), _mm256_unpackhi_epi8(sv, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + i),
                            _mm256_or_si256(_mm256_packus_epi16(low, high), opaque));
    }
    return i;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// Runs of the two blends, four pixels at a time where SSE2 is there; the
// arithmetic is the same exact rounding as mixPixel and lightenPixel.
void mixRow(QRgb *d, const QRgb *s, int count, quint32 a)
{
    int i = 0;
#if defined(RAVLEN_AVX2_BLEND)
    if (hasAvx2())
        i = mixRowAvx2(d, s, count, a);
#endif
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi16(short(a));
    const __m128i inverse = _mm_set1_epi16(short(255 - a));
    const __m128i half = _mm_set1_epi16(128);
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    const auto mixLanes = [&](__m128i dl, __m128i sl) {
        __m128i t = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(dl, inverse), _mm_mullo_epi16(sl, alpha)), half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i low = mixLanes(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero));
        const __m128i high = mixLanes(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), _mm_or_si128(_mm_packus_epi16(low, high), opaque));
    }
#endif
    for (; i < count; ++i)
        d[i] = mixPixel(d[i], s[i], a);
}

void lightenRow(QRgb *d, const QRgb *s, int count, quint32 a)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi16(short(a));
    const __m128i half = _mm_set1_epi16(128);
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    const auto scaleLanes = [&](__m128i sl) {
        __m128i t = _mm_add_epi16(_mm_mullo_epi16(sl, alpha), half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i added = _mm_packus_epi16(scaleLanes(_mm_unpacklo_epi8(sv, zero)),
                                               scaleLanes(_mm_unpackhi_epi8(sv, zero)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), _mm_or_si128(_mm_adds_epu8(dv, added), opaque));
    }
#endif
    for (; i < count; ++i)
        d[i] = lightenPixel(d[i], s[i], a);
}

// n / d rounded to the nearest, halves upwards; d != 0.
qint64 roundDiv(qint64 n, qint64 d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const qint64 twice = 2 * n + d;
    const qint64 q = twice / (2 * d);
    return (twice % (2 * d) < 0) ? q - 1 : q;
}

// Columns [first, last] of row y that lie inside the rounded rectangle
// [left, right) x [top, bottom) with corner radii ra, rb, sampling pixel centres.
bool roundedSpan(double left, double top, double right, double bottom, double ra, double rb, int y, int &first,
                 int &last)
{
    const double yc = y + 0.5;
    if (yc < top || yc >= bottom || right <= left)
        return false;
    double inset = 0;
    if (ra > 0 && rb > 0) {
        double dy = 0;
        if (yc < top + rb)
            dy = top + rb - yc;
        else if (yc > bottom - rb)
            dy = yc - (bottom - rb);
        const double q = dy / rb;
        inset = ra * (1 - std::sqrt(std::max(0.0, 1 - q * q)));
    }
    first = int(std::ceil(left + inset - 0.5));
    last = int(std::ceil(right - inset - 0.5)) - 1;
    return first <= last;
}

} // namespace

static Source sourceOf(const QImage &image, QImage &converted)
{
    const QImage *readable = &image;
    if (!isDirect32(image.format()) && image.format() != QImage::Format_Indexed8 && !image.isNull()) {
        converted = image.convertToFormat(QImage::Format_RGB32);
        readable = &converted;
    }
    Source source;
    if (readable->isNull())
        return source;
    source.bits = readable->constBits();
    source.bytesPerLine = readable->bytesPerLine();
    source.width = readable->width();
    source.height = readable->height();
    if (readable->format() == QImage::Format_Indexed8) {
        source.table = readable->colorTable();
        if (source.table.isEmpty())
            source.table.append(0xFF000000u);
    }
    return source;
}

// The pixels of a surface as a source; a surface reading from itself reads a
// copy, so that what it writes does not feed back into what it reads.
static Source surfaceSource(const QImage &destination, const QImage &source, QImage &selfCopy)
{
    QImage unused;
    if (&destination == &source) {
        selfCopy = source.copy();
        return sourceOf(selfCopy, unused);
    }
    return sourceOf(source, unused);
}

Surface::Surface() = default;

Surface::Surface(QSize size, OleColor background)
    : m_background(background & 0xFFFFFF)
{
    resize(size);
}

void Surface::resize(QSize size, ResizeMode mode)
{
    size = size.expandedTo(QSize(0, 0));
    if (size == m_image.size()) {
        if (mode == ResizeMode::Redraw)
            redrawFromBase();
        return;
    }
    std::swap(m_image, m_spare);
    if (m_image.size() != size || !m_image.isDetached())
        m_image = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    redrawFromBase();
    if (mode == ResizeMode::KeepContent && !m_spare.isNull() && !m_image.isNull()) {
        const int w = std::min(m_image.width(), m_spare.width());
        const int h = std::min(m_image.height(), m_spare.height());
        for (int y = 0; y < h; ++y)
            std::memcpy(m_image.scanLine(y), m_spare.constScanLine(y), size_t(w) * 4);
    }
}

void Surface::setBasePicture(const QImage &picture)
{
    if (picture.isNull()) {
        removeBasePicture();
        return;
    }
    // The same picture over the same background converts to the same base.
    const bool upToDate = picture.cacheKey() == m_baseSource && m_baseBackground == m_background && !m_base.isNull();
    if (picture.cacheKey() != m_base.cacheKey() && !upToDate) {
        if (m_base.size() != picture.size() || !m_base.isDetached())
            m_base = QImage(picture.size(), QImage::Format_RGB32);
        QImage converted;
        const QImage::Format format = picture.format();
        const bool direct = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied
                            || format == QImage::Format_ARGB32 || format == QImage::Format_Indexed8;
        const QImage &readable = direct ? picture
                                        : (converted = picture.convertToFormat(picture.hasAlphaChannel()
                                                                                   ? QImage::Format_ARGB32_Premultiplied
                                                                                   : QImage::Format_RGB32));
        QImage unused;
        const Source source = sourceOf(readable, unused);
        const QRgb background = oleToPixel(m_background);
        const bool premultiplied = readable.format() == QImage::Format_ARGB32_Premultiplied;
        const bool opaque = readable.format() == QImage::Format_RGB32;
        const int w = m_base.width();
        const int h = m_base.height();
        for (int y = 0; y < h; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(m_base.scanLine(y));
            if (opaque) {
                const QRgb *in = reinterpret_cast<const QRgb *>(source.bits + y * source.bytesPerLine);
                for (int x = 0; x < w; ++x)
                    line[x] = in[x] | 0xFF000000u;
                continue;
            }
            for (int x = 0; x < w; ++x) {
                const QRgb s = source.at(x, y);
                if (premultiplied)
                    line[x] = overBackground(s, background);
                else
                    line[x] = mixPixel(background, s, qAlpha(s));
            }
        }
        m_baseSource = picture.cacheKey();
        m_baseBackground = m_background;
    }
    redrawFromBase();
}

void Surface::removeBasePicture()
{
    m_base = QImage();
    m_baseSource = 0;
    clear();
}

void Surface::clear()
{
    if (!m_image.isNull())
        m_image.fill(oleToPixel(m_background));
}

void Surface::redrawFromBase()
{
    // A base that covers the whole surface leaves no background to clear.
    if (m_base.isNull() || m_base.width() < width() || m_base.height() < height())
        clear();
    if (m_base.isNull() || m_image.isNull())
        return;
    const int w = std::min(m_image.width(), m_base.width());
    const int h = std::min(m_image.height(), m_base.height());
    for (int y = 0; y < h; ++y)
        std::memcpy(m_image.scanLine(y), m_base.constScanLine(y), size_t(w) * 4);
}

OleColor Surface::pixel(int x, int y) const
{
    if (!m_image.rect().contains(x, y))
        return OutsidePixel;
    return pixelToOle(reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x]);
}

void Surface::fillRectClipped(int left, int top, int right, int bottom, QRgb colour)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width() - 1);
    bottom = std::min(bottom, height() - 1);
    if (left > right || top > bottom)
        return;
    uchar *bits = m_image.bits();
    const qsizetype bpl = m_image.bytesPerLine();
    for (int y = top; y <= bottom; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(bits + y * bpl) + left, right - left + 1, colour);
}

void Surface::plot(int x, int y, QRgb colour)
{
    const int w = std::max(1, m_lineWidth);
    const int lo = (w - 1) / 2;
    fillRectClipped(x - lo, y - lo, x - lo + w - 1, y - lo + w - 1, colour);
}

void Surface::drawLine(QPoint from, QPoint to, OleColor colour)
{
    const QRgb c = oleToPixel(colour);
    const int w = std::max(1, m_lineWidth);
    const int lo = (w - 1) / 2;
    const int hi = w - 1 - lo;
    const qint64 dx = qint64(to.x()) - from.x();
    const qint64 dy = qint64(to.y()) - from.y();
    if (dx == 0 && dy == 0) {
        plot(from.x(), from.y(), c);
    } else if (dy == 0) {
        const int last = dx > 0 ? to.x() - 1 : to.x() + 1;
        fillRectClipped(std::min(from.x(), last) - lo, from.y() - lo, std::max(from.x(), last) + hi, from.y() + hi, c);
    } else if (dx == 0) {
        const int last = dy > 0 ? to.y() - 1 : to.y() + 1;
        fillRectClipped(from.x() - lo, std::min(from.y(), last) - lo, from.x() + hi, std::max(from.y(), last) + hi, c);
    } else {
        // Step along the longer axis, only over the part whose stamps can
        // touch the surface, so a line far outside costs nothing.
        const bool alongX = std::abs(dx) >= std::abs(dy);
        const qint64 major = alongX ? dx : dy;
        const qint64 minor = alongX ? dy : dx;
        const int start = alongX ? from.x() : from.y();
        const int base = alongX ? from.y() : from.x();
        const qint64 extent = alongX ? width() : height();
        const qint64 step = major > 0 ? 1 : -1;
        qint64 first = start;
        qint64 last = qint64(start) + major - step;
        if (step < 0)
            std::swap(first, last);
        first = std::max<qint64>(first, -hi);
        last = std::min<qint64>(last, extent - 1 + lo);
        for (qint64 t = first; t <= last; ++t) {
            const qint64 other = base + roundDiv((t - start) * minor, major);
            if (alongX)
                plot(int(t), int(other), c);
            else
                plot(int(other), int(t), c);
        }
    }
}

void Surface::drawBox(QPoint corner1, QPoint corner2, OleColor colour)
{
    const QRgb c = oleToPixel(colour);
    const int w = std::max(1, m_lineWidth);
    const int lo = (w - 1) / 2;
    const int hi = w - 1 - lo;
    const int x1 = std::min(corner1.x(), corner2.x());
    const int x2 = std::max(corner1.x(), corner2.x());
    const int y1 = std::min(corner1.y(), corner2.y());
    const int y2 = std::max(corner1.y(), corner2.y());
    fillRectClipped(x1 - lo, y1 - lo, x2 + hi, y1 + hi, c);
    fillRectClipped(x1 - lo, y2 - lo, x2 + hi, y2 + hi, c);
    fillRectClipped(x1 - lo, y1 - lo, x1 + hi, y2 + hi, c);
    fillRectClipped(x2 - lo, y1 - lo, x2 + hi, y2 + hi, c);
}

void Surface::fillBox(QPoint corner1, QPoint corner2, OleColor colour)
{
    fillRectClipped(std::min(corner1.x(), corner2.x()), std::min(corner1.y(), corner2.y()),
                    std::max(corner1.x(), corner2.x()), std::max(corner1.y(), corner2.y()), oleToPixel(colour));
}

void Surface::drawCircle(QPointF centre, double radius, OleColor colour)
{
    if (m_image.isNull() || !std::isfinite(radius) || !std::isfinite(centre.x()) || !std::isfinite(centre.y()))
        return;
    const double half = std::max(1, m_lineWidth) / 2.0;
    const double outer = radius + half;
    const double inner = radius - half;
    if (outer < 0)
        return;
    const QRgb ring = oleToPixel(colour);
    const QRgb fill = oleToPixel(m_fillColor);
    const bool filled = m_fillStyle == FillStyle::Solid;
    // Columns far outside only need to stay outside, and fit an int.
    const auto limit = [this](double x) { return std::clamp(x, -2.0, width() + 2.0); };
    const int top = int(std::clamp(std::ceil(centre.y() - outer), 0.0, double(height())));
    const int bottom = int(std::clamp(std::floor(centre.y() + outer), -1.0, height() - 1.0));
    for (int y = top; y <= bottom; ++y) {
        const double dy = y - centre.y();
        const double outer2 = outer * outer - dy * dy;
        if (outer2 < 0)
            continue;
        const double so = std::sqrt(outer2);
        const double left = limit(std::ceil(centre.x() - so));
        const double right = limit(std::floor(centre.x() + so));
        const double inner2 = inner * inner - dy * dy;
        if (inner < 0 || inner2 < 0) {
            fillRectClipped(int(left), y, int(right), y, ring);
            continue;
        }
        // Pixels at distance <= inner are inside the ring, not on it.
        const double si = std::sqrt(inner2);
        const double insideLeft = limit(std::ceil(centre.x() - si));
        const double insideRight = limit(std::floor(centre.x() + si));
        fillRectClipped(int(left), y, int(insideLeft) - 1, y, ring);
        fillRectClipped(int(insideRight) + 1, y, int(right), y, ring);
        if (filled)
            fillRectClipped(int(insideLeft), y, int(insideRight), y, fill);
    }
}

void Surface::drawRoundedRect(QPoint topLeft, QPoint bottomRight, int ellipseWidth, int ellipseHeight)
{
    if (m_image.isNull())
        return;
    const double left = std::min(topLeft.x(), bottomRight.x());
    const double right = std::max(topLeft.x(), bottomRight.x());
    const double top = std::min(topLeft.y(), bottomRight.y());
    const double bottom = std::max(topLeft.y(), bottomRight.y());
    const double ra = std::clamp<double>(ellipseWidth, 0, right - left) / 2;
    const double rb = std::clamp<double>(ellipseHeight, 0, bottom - top) / 2;
    const int w = std::max(1, m_lineWidth);
    const QRgb pen = oleToPixel(m_penColor);
    const QRgb fill = oleToPixel(m_fillColor);
    const bool filled = m_fillStyle == FillStyle::Solid;
    const int firstRow = int(std::max(0.0, top));
    const int lastRow = int(std::min(double(height()), bottom)) - 1;
    for (int y = firstRow; y <= lastRow; ++y) {
        int first = 0;
        int last = 0;
        if (!roundedSpan(left, top, right, bottom, ra, rb, y, first, last))
            continue;
        int innerFirst = 0;
        int innerLast = 0;
        if (!roundedSpan(left + w, top + w, right - w, bottom - w, std::max(0.0, ra - w), std::max(0.0, rb - w), y,
                         innerFirst, innerLast)) {
            fillRectClipped(first, y, last, y, pen);
            continue;
        }
        fillRectClipped(first, y, innerFirst - 1, y, pen);
        fillRectClipped(innerLast + 1, y, last, y, pen);
        if (filled)
            fillRectClipped(innerFirst, y, innerLast, y, fill);
    }
}

void Surface::drawPicture(const QRect &target, const QImage &picture)
{
    if (m_image.isNull() || picture.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    QPainter painter(&m_image);
    painter.drawImage(target, picture);
}

void Surface::blockCopy(QPoint to, const Surface &source, const QRect &from)
{
    // Clip against both surfaces, keeping the two rectangles aligned.
    QRect src = from & source.rect();
    QRect dst = src.translated(to - from.topLeft()) & rect();
    src = dst.translated(from.topLeft() - to);
    if (dst.isEmpty())
        return;
    const bool upwards = &source == this && dst.top() > src.top();
    for (int i = 0; i < dst.height(); ++i) {
        const int row = upwards ? dst.height() - 1 - i : i;
        std::memmove(m_image.scanLine(dst.top() + row) + dst.left() * 4,
                     source.m_image.constScanLine(src.top() + row) + src.left() * 4, size_t(dst.width()) * 4);
    }
}

void Surface::stretchCopy(const QRect &to, const Surface &source, const QRect &from)
{
    QImage selfCopy;
    mapRect(m_image, to, surfaceSource(m_image, source.m_image, selfCopy), from, copyOpaque, RowResult::FromSourceOnly);
}

void Surface::stretchPicture(const QRect &to, const QImage &picture)
{
    QImage converted;
    mapRect(m_image, to, sourceOf(picture, converted), picture.rect(), copyOpaque, RowResult::FromSourceOnly);
}

void Surface::keyedStretchCopy(const QRect &to, const Surface &source, const QRect &from, OleColor key)
{
    QImage selfCopy;
    const QRgb keyPixel = oleToPixel(key) & 0xFFFFFF;
    // A select rather than a branch: the key's edges are where a branch
    // guesses wrong, and a run of selects is vectorised.
    mapRect(m_image, to, surfaceSource(m_image, source.m_image, selfCopy), from,
            [keyPixel](QRgb &d, QRgb s) { d = (s & 0xFFFFFF) != keyPixel ? s | 0xFF000000u : d; });
}

void Surface::blendLayered(const QRect &to, QSize size, const Surface &base, const Surface &overlay, OleColor key,
                           int alpha)
{
    const QRect visible = to & rect();
    if (visible.isEmpty() || size.isEmpty() || base.isNull() || overlay.isNull() || &base == this || &overlay == this)
        return;
    // Where a pixel of `to` reads the picture of `size`, and where that
    // picture read each of its two sources: both nearest-neighbour stretches
    // in a row, as the stretches themselves sample.
    const auto through = [](int at, int start, int extent, qint64 middle, int sourceExtent) {
        const qint64 m = ((2 * qint64(at - start) + 1) * middle) / (2 * qint64(extent));
        return int(((2 * m + 1) * sourceExtent) / (2 * middle));
    };
    static thread_local std::vector<int> baseColumns;
    static thread_local std::vector<int> overlayColumns;
    baseColumns.resize(size_t(visible.width()));
    overlayColumns.resize(size_t(visible.width()));
    for (int x = visible.left(); x <= visible.right(); ++x) {
        baseColumns[size_t(x - visible.left())] = through(x, to.left(), to.width(), size.width(), base.width());
        overlayColumns[size_t(x - visible.left())] = through(x, to.left(), to.width(), size.width(), overlay.width());
    }
    const quint32 a = quint32(alpha) & 0xFF;
    const QRgb keyPixel = oleToPixel(key) & 0xFFFFFF;
    const int count = visible.width();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const auto *baseRow = reinterpret_cast<const QRgb *>(
            base.m_image.constScanLine(through(y, to.top(), to.height(), size.height(), base.height())));
        const auto *overlayRow = reinterpret_cast<const QRgb *>(
            overlay.m_image.constScanLine(through(y, to.top(), to.height(), size.height(), overlay.height())));
        QRgb *line = reinterpret_cast<QRgb *>(m_image.scanLine(y)) + visible.left();
        for (int i = 0; i < count; ++i) {
            const QRgb over = overlayRow[overlayColumns[size_t(i)]];
            const QRgb s = (over & 0xFFFFFF) != keyPixel ? over : baseRow[baseColumns[size_t(i)]];
            line[i] = mixPixel(line[i], s | 0xFF000000u, a);
        }
    }
}

void Surface::blend(const QRect &to, const Surface &source, const QRect &from, int alpha, BlendFormat format)
{
    QImage selfCopy;
    const quint32 a = quint32(alpha) & 0xFF;
    const Source src = surfaceSource(m_image, source.m_image, selfCopy);
    if (format == BlendFormat::Lighten)
        mapRect(
            m_image, to, src, from, [a](QRgb &d, QRgb s) { d = lightenPixel(d, s, a); },
            [a](QRgb *d, const QRgb *s, int count) { lightenRow(d, s, count, a); });
    else
        mapRect(
            m_image, to, src, from, [a](QRgb &d, QRgb s) { d = mixPixel(d, s, a); },
            [a](QRgb *d, const QRgb *s, int count) { mixRow(d, s, count, a); });
}
