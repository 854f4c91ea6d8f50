#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// The gradient face: from the start channels R1, G1, B1 to the end channels
// R2, G2, B2 of the surfaces, across the face (Horizontal), down it
// (Vertical) or outwards from its centre (Radial). The straight styles draw
// one line per column or row with pic's current line width; the radial style
// sets the line width to 2 and draws one ring per radius. Corners beyond the
// largest ring and unknown styles keep what pic held.
void drawGradientLayer(FaceSurfaces &surfaces, const GradientLook &gradient);
