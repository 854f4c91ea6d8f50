#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// Lets the container show through the face: its background under the
// control goes onto pic2 and is blended into the face with the alpha value
// (0 keeps the face, 255 shows only the container). Without a container the
// face stays as it was. Does nothing when the layer is off.
void drawAlphaLayer(FaceSurfaces &surfaces, const AlphaLook &alpha);
