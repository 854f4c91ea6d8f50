#pragma once

#include "core/ravlen_look.h"

#include <QImage>

struct FaceSurfaces;

// The face of a skinned (or custom-picture) button: the state picture,
// tinted at its natural size when tinting is on, stretched over the whole of
// pic and kept as pic's base picture (the effects read it back). Without a
// rounded outline the mask on picTemp becomes the same stretched picture, so
// its mask-coloured pixels are see-through. A null state picture leaves pic
// and picTemp as they were.
void drawPictureFace(FaceSurfaces &surfaces, const QImage &statePicture, const TintLook &tint,
                     const RoundLook &round);
