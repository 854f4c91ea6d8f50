#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// Tints pic's base picture (the state picture) at its natural size, so the
// result does not depend on the button's size, and makes the tinted image
// the new base picture. pic is left at its own size showing the base picture
// in its top-left corner; the caller stretches it over the face. Does
// nothing when tinting is off or pic has no base picture.
void drawTintStep(FaceSurfaces &surfaces, const TintLook &tint);
