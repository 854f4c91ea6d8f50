#include "face_surfaces.h"

FaceSurfaces::FaceSurfaces()
    : picShadow(QSize(ShadowWidth, ShadowHeight), ShadowKey)
{
    // The mask: black background, solid white inside; the drawing outlines
    // it in the window-text colour of the button's palette.
    picTemp.setFillStyle(Surface::FillStyle::Solid);
    picTemp.setFillColor(0xFFFFFF);
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
