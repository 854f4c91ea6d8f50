#pragma once

// A button with every layer of its face switched on, as the benchmark times
// it and the density test pins it.

#include "RavlenLib/ravlen.h"
#include "render/skin_library.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

inline QImage iconPicture()
{
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(255, 0, 255)); // the see-through key: the top-left pixel
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 200, 40));
    painter.setPen(QPen(QColor(120, 80, 0), 2));
    painter.drawEllipse(QRectF(4, 4, 24, 24));
    return icon;
}

inline void switchEveryLayerOn(Ravlen &button)
{
    button.setCaption(QStringLiteral("&Next"));
    button.setTint(true);
    button.setTintColor(0x40A0E0);
    button.setBorderStyle(Ravlen::Border_Shaded3D);
    button.setBorderSize(2);
    button.setArrowShow(true);
    button.setArrowSize(4);
    button.setTexture(true);
    button.setTextureImage(QPixmap::fromImage(SkinLibrary::picture(QStringLiteral("OOZ1"))));
    button.setTextureSize(3);
    button.setShadow(true);
    button.setShadowSize(3);
    button.setAlpha(true);
    button.setAlphaValue(60);
    button.setButtonIcon(QPixmap::fromImage(iconPicture()));
    button.setButtonIconShow(true);
    button.setCaptionShadow(true);
}
