#include "play/phone/qr_code.h"

#include <QString>

#include <qrencode.h>

#include <memory>

namespace {

constexpr int kQuietZone = 4;

} // namespace

QImage qrCode(const QString &text)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return {};
    const int width = code->width;
    QImage image(width + 2 * kQuietZone, width + 2 * kQuietZone, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width; ++x) {
            if (code->data[y * width + x] & 1)
                image.setPixel(x + kQuietZone, y + kQuietZone, 1);
        }
    }
    return image;
}
