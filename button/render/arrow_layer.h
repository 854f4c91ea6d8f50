#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// The split-button arrow: a solid triangle of the arrow size A in the arrow
// colour, anchored by the arrow position (right, left, bottom, top or
// middle), drawn with pic's current line width. With a split, two lines one
// pixel apart divide the arrow zone from the rest of the face, drawn in the
// face's own colours (the pixels at the face's centre and at its
// quarter point), and the surfaces' split coordinate becomes the first
// line's x (right, left) or y (bottom, top). The middle position has no split
// and leaves the split coordinate alone; an unknown position keeps the last
// anchor. Does nothing when the arrow is hidden.
void drawArrowLayer(FaceSurfaces &surfaces, const ArrowLook &arrow);
