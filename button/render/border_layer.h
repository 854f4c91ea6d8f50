#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// Sets pic's line width to the border size (the straight gradients and the
// arrow of the next drawing use it too) and draws the border: none, one box
// in the border colour, or shaded 3D, a nest of boxes from the border colour
// inside to 10 darker per channel for every step outwards.
//
// The boxes run along the face's last row and column (corners (i, i) and
// (W - 1 - i, H - 1 - i)), so all four sides show.
void drawBorderLayer(FaceSurfaces &surfaces, const BorderLook &border);
