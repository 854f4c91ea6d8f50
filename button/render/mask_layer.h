#pragma once

#include "core/ravlen_look.h"

#include <QImage>
#include <QRegion>

struct FaceSurfaces;
class Surface;

// Lays the button's outline on picTemp before the face is drawn: a rounded
// rectangle (filled with picTemp's fill colour, outlined with its pen) on
// the background colour when the outline is rounded; otherwise the state
// picture stretched over it for skinned styles, or for the gradient style a
// box in the one colour that cannot be the mask colour (so it is all opaque).
void drawMaskShape(FaceSurfaces &surfaces, const SkinLook &skin, const RoundLook &round, const QImage &statePicture);

// Corner ellipse size of the rounded outline on a face of the given size.
int roundCornerWidth(const RoundLook &round, QSize face);
int roundCornerHeight(const RoundLook &round, QSize face);

// The opaque part of the mask surface: every pixel that is not exactly the
// mask colour (an RGB value; the high byte is ignored). Built from runs of
// each row, with equal neighbouring rows merged into one band.
QRegion maskRegion(const Surface &mask, OleColor maskColor);

// The mask at the control's logical size: the mask itself when it has that
// size, else `scratch` made from it, where a logical pixel is opaque (any
// colour but maskColor) when any of the device pixels it covers is.
const Surface &logicalMask(const Surface &mask, OleColor maskColor, QSize logical, Surface &scratch);
