#include "contact_sheet.h"

#include "skin_styles.h"

#include <QPainter>

namespace {

const QColor windowColour(201, 207, 214);

// The picture stretched to the button's size and with the mask colour keyed out.
QImage asButton(const QImage &picture, QSize size, QRgb maskColour)
{
    QImage scaled =
        picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (maskColour & 0xFFFFFF))
                line[x] = 0;
        }
    }
    return scaled;
}

void drawCaption(QPainter &painter, const QRect &area, const QString &text, bool darkFace)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(darkFace ? QColor(0, 0, 0, 160) : QColor(255, 255, 255, 160));
    painter.drawText(area.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(darkFace ? Qt::white : Qt::black);
    painter.drawText(area, Qt::AlignCenter, text);
}

bool isDark(const QImage &picture)
{
    const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() * 2 / 3);
    return centre.lightnessF() < 0.55;
}

} // namespace

QImage paintContactSheet(const QList<QList<QImage>> &pictures, const QImage &cursor)
{
    constexpr int gap = 8;
    constexpr int labelWidth = 96;
    constexpr int rowHeight = 61 + 2 * gap;
    const QList<QSize> buttonSizes{{105, 33}, {105, 25}, {161, 33}, {81, 33}};
    int smallWidth = 0;
    for (const QSize size : buttonSizes)
        smallWidth += size.width() + gap;

    const int width = labelWidth + 3 * (301 + gap) + 3 * smallWidth + gap;
    const int height = rowHeight * int(pictures.size()) + 140;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(windowColour);
    QPainter painter(&sheet);
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(12);

    for (int style = 0; style < pictures.size(); ++style) {
        const int top = style * rowHeight + gap;
        const SkinStyle info = skinStyle(style);
        painter.setFont(labelFont);
        painter.setPen(Qt::black);
        painter.drawText(QRect(gap, top, labelWidth - gap, 61), Qt::AlignVCenter | Qt::TextWordWrap, info.name);
        int x = labelWidth;
        for (const QImage &picture : pictures[style]) {
            painter.drawImage(x, top, picture);
            x += 301 + gap;
        }
        for (const QImage &picture : pictures[style]) {
            for (const QSize size : buttonSizes) {
                const QRect area(QPoint(x, top + (61 - size.height()) / 2), size);
                painter.drawImage(area.topLeft(), asButton(picture, size, info.maskColour));
                drawCaption(painter, area, QStringLiteral("Next"), isDark(picture));
                x += size.width() + gap;
            }
        }
    }

    const int cursorTop = int(pictures.size()) * rowHeight + gap;
    painter.drawImage(QRect(labelWidth, cursorTop, 128, 128), cursor);
    painter.drawImage(labelWidth + 140, cursorTop, cursor);
    QImage onDark(40, 40, QImage::Format_RGB32);
    onDark.fill(QColor(40, 40, 40));
    painter.drawImage(labelWidth + 180, cursorTop, onDark);
    painter.drawImage(labelWidth + 184, cursorTop + 4, cursor);
    return sheet;
}
