#pragma once

#include "core/ravlen_look.h"

struct FaceSurfaces;

// Shrinks the face inside its own rectangle by the shadow size S and paints
// a shadow around it over the container's background:
//   Shadow_Normal: rings of the silhouette, the ring at inset i holding
//                  i^2/255 of the shadow colour (all of it from i = 16 on),
//                  darkening towards the face;
//   Shadow_Glass:  a faint, even shadow over the whole silhouette;
//   Shadow_Box:    a box from (2S, 2S) to the far corner;
//   Shadow_Round:  the same as a rounded rectangle with the outline's corners.
// The face is parked on picTemp (so the control's mask keeps the unshrunk
// shape), its silhouette is built on picShadow (cleared first, so nothing
// of an earlier silhouette or icon halo leaks into it), and the shadowed face
// ends as pic2's base picture. Pixels of the mask colour belong to neither
// the silhouette nor the shrunken face. Without a container the face stays
// whole and unshadowed. Does nothing when the shadow is off.
void drawShadowLayer(FaceSurfaces &surfaces, const ShadowLook &shadow, const RoundLook &round, OleColor maskColor);

// The blend alpha that puts the background back over ring i of
// Shadow_Normal: 255 - i^2, limited at 0 rather than wrapping past 255.
int normalShadowRingAlpha(int ring);
// The blend alpha of step i of Shadow_Glass: 255 - 10 * 7^(1/i), rounded.
int glassShadowAlpha(int step);
