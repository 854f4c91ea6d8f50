#include "face_surfaces.h"

#include <QGuiApplication>
#include <QPalette>

FaceSurfaces::FaceSurfaces()
    : picShadow(QSize(ShadowWidth, ShadowHeight), ShadowKey)
{
    // The mask: black background, solid white inside, outlined in the
    // window-text colour.
    picTemp.setFillStyle(Surface::FillStyle::Solid);
    picTemp.setFillColor(0xFFFFFF);
    const QColor text = QGuiApplication::palette().color(QPalette::WindowText);
    picTemp.setPenColor(oleRgb(text.red(), text.green(), text.blue()));
    picIcon.setBackgroundColor(IconBackground);
}

void FaceSurfaces::resizeFace(QSize size)
{
    pic.resize(size, Surface::ResizeMode::KeepContent);
    pic2.resize(size, Surface::ResizeMode::KeepContent);
    picTemp.resize(size, Surface::ResizeMode::KeepContent);
}

void FaceSurfaces::setGradientColours(OleColor first, OleColor second)
{
    R1 = oleRed(first);
    G1 = oleGreen(first);
    B1 = oleBlue(first);
    R2 = oleRed(second);
    G2 = oleGreen(second);
    B2 = oleBlue(second);
}

bool FaceSurfaces::fetchContainerBackground()
{
    if (!containerBackground)
        return false;
    const QImage background = containerBackground();
    if (background.isNull())
        return false;
    pic2.stretchPicture(pic2.rect(), background);
    return true;
}
