#pragma once

#include "core/ravlen_look.h"

#include <QImage>

struct FaceSurfaces;

// The face of a skinned (or custom-picture) button: the state picture,
// tinted at its natural size when tinting is on, stretched over the whole of
// pic and kept as pic's base picture. Without a rounded outline the mask on
// picTemp becomes the same stretched picture, so its mask-coloured pixels
// are see-through. A null state picture leaves pic and picTemp as they were.
//
// A picture enlarged by more than a quarter in either direction is
// resampled smoothly (smooth_stretch.h), with pixels of exactly the mask
// colour `maskKey` (an RGB value) as its see-through part; the result still
// holds only face colours and exact mask-colour pixels, so face and mask
// agree. Other scales use the surfaces' nearest-neighbour stretch.
//
// Faces of the last three state pictures are kept (surfaces.pictureFaces):
// the same picture with the same tint and mask colour at the same size is
// copied from there, without tinting or resampling again, and pic's base
// picture then stays as the last full drawing left it.
void drawPictureFace(FaceSurfaces &surfaces, const QImage &statePicture, const TintLook &tint, const RoundLook &round,
                     OleColor maskKey);
