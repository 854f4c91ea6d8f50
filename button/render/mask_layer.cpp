#include "mask_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

#include <algorithm>
#include <vector>

namespace {

constexpr qint32 GradientStyle = 13;

// Appends the opaque runs of one row as [first, last] pairs.
void opaqueRuns(const QRgb *line, int width, QRgb key, std::vector<int> &runs)
{
    int x = 0;
    while (x < width) {
        while (x < width && (line[x] & 0xFFFFFF) == key)
            ++x;
        const int first = x;
        while (x < width && (line[x] & 0xFFFFFF) != key)
            ++x;
        if (x > first) {
            runs.push_back(first);
            runs.push_back(x - 1);
        }
    }
}

} // namespace

int roundCornerWidth(const RoundLook &round, QSize face)
{
    return round.sizeAuto ? roundHalfEven((face.width() + face.height()) / 10.0) : roundHalfEven(round.width, 0, 1000);
}

int roundCornerHeight(const RoundLook &round, QSize face)
{
    return round.sizeAuto ? roundHalfEven((face.width() + face.height()) / 10.0) : roundHalfEven(round.height, 0, 1000);
}

void drawMaskShape(FaceSurfaces &s, const SkinLook &skin, const RoundLook &round, const QImage &statePicture)
{
    Surface &mask = s.picTemp;
    const QPoint far(mask.width(), mask.height());
    if (round.enabled) {
        mask.clear();
        mask.drawRoundedRect(QPoint(0, 0), far, roundCornerWidth(round, mask.size()),
                             roundCornerHeight(round, mask.size()));
    } else if (skin.buttonStyle != GradientStyle) {
        mask.stretchPicture(mask.rect(), statePicture);
    } else {
        mask.fillBox(QPoint(0, 0), far, 0xFFFFFF - (skin.maskColor & 0xFFFFFF));
    }
}

const Surface &logicalMask(const Surface &mask, OleColor maskColor, QSize logical, Surface &scratch)
{
    if (mask.size() == logical || logical.isEmpty() || mask.isNull())
        return mask;
    const QRgb key = oleToPixel(maskColor) & 0xFFFFFF;
    scratch.resize(logical, Surface::ResizeMode::KeepContent);
    QImage &out = scratch.image();
    const QImage &in = mask.image();
    const QRgb see = 0xFF000000u | key;
    const QRgb opaque = 0xFF000000u | (0xFFFFFF - key);
    for (int y = 0; y < logical.height(); ++y) {
        const int top = y * in.height() / logical.height();
        const int bottom = std::max(top + 1, (y + 1) * in.height() / logical.height());
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < logical.width(); ++x) {
            const int left = x * in.width() / logical.width();
            const int right = std::max(left + 1, (x + 1) * in.width() / logical.width());
            bool any = false;
            for (int dy = top; dy < bottom && !any; ++dy) {
                const QRgb *row = reinterpret_cast<const QRgb *>(in.constScanLine(dy));
                for (int dx = left; dx < right && !any; ++dx)
                    any = (row[dx] & 0xFFFFFF) != key;
            }
            line[x] = any ? opaque : see;
        }
    }
    return scratch;
}

QRegion maskRegion(const Surface &mask, OleColor maskColor)
{
    const QImage &image = mask.image();
    const QRgb key = oleToPixel(maskColor) & 0xFFFFFF;
    std::vector<QRect> rects;
    std::vector<int> band;
    std::vector<int> row;
    int bandTop = 0;
    const auto closeBand = [&](int bottom) {
        for (size_t i = 0; i < band.size(); i += 2)
            rects.emplace_back(QPoint(band[i], bandTop), QPoint(band[i + 1], bottom));
    };
    for (int y = 0; y < image.height(); ++y) {
        row.clear();
        opaqueRuns(reinterpret_cast<const QRgb *>(image.constScanLine(y)), image.width(), key, row);
        if (y > 0 && row == band)
            continue;
        closeBand(y - 1);
        band.swap(row);
        bandTop = y;
    }
    closeBand(image.height() - 1);
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return region;
}
