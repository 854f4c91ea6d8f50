#pragma once

#include <QImage>

class QString;

// A QR code of a short text, one pixel per module with the quiet zone
// around it, black on white, for a view to scale up without smoothing.
// Null when the text does not fit a QR code.
QImage qrCode(const QString &text);
