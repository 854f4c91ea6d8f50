#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// Overlays the texture picture on the face. The picture is laid on pic2:
// size 1 stretches it over the whole face; a size n from 2 to 100 tiles the
// face with an n by n grid of copies, each stretched over its cell, so a
// larger size gives a finer texture. pic2 then blends with the face by type:
//   TextureGlass:  face into pic2 at 255 - TA, then pic2 into the face at TA
//   TextureScreen: pic2 into the face at TA
//   TextureShine, TextureBump: face into pic2 at TA, then pic2 into the face at TA
// where TA is the texture alpha. Without a picture pic2 keeps what it held
// and the blends still run. Does nothing when the texture is off.
void drawTextureLayer(FaceSurfaces &surfaces, const TextureLook &texture);
