#pragma once

#include "core/ravlen_look.h"

#include <functional>

struct FaceSurfaces;

// Shows one frame: the widget copies pic2 onto the control, draws the icon
// into pic, writes the caption and refreshes. The argument is a delay
// derived from the fade delay (fade delay / 100) that frames do not wait for.
using PresentFrame = std::function<void(int delay)>;

// The hover effect chosen by look.motion.effects, played to its end: every
// frame blends the finished face on pic into pic2 and is handed to
// presentFrame. Frames (format 1 lightens, see Surface::blend):
//   Fx_BorderGlow  21 frames: whole face at 20, format 1, then the face
//                  inside an inset E = (W + H) * border size / 100 + 1 at 100
//   Fx_BorderShine 11 frames: the face moved i pixels right and down at 20,
//                  format 1, then the inside as above with E one less
//   Fx_Glow        6 frames: whole face at 30, format 1; pic2's base picture
//                  is put back afterwards
//   Fx_Blink       11 frames: whole face at 140, 150, .. 240
//   Fx_Ghost       11 frames: the face moved right and jittered up and down
//                  at 65 - 5i, format 1, over a cleared pic2 (base picture
//                  put back afterwards); icon drawn into pic first
//   Fx_Flash       11 frames: the face from 40 pixels away (by icon
//                  position) closing in, alpha rising 0 to 50, over a copy of
//                  the face; icon drawn into pic first
// Any other value draws nothing and presents nothing.
void drawEffect(FaceSurfaces &surfaces, const RavlenLook &look, const PresentFrame &presentFrame);

// Fx_Ghost's jitter comes from one generator per process, seeded with
// DefaultGhostSeed at first use, so a run of the program repeats the same
// sequence (as the button always did). Tests may reseed it.
constexpr quint32 DefaultGhostSeed = 20240601;
void reseedGhostRandom(quint32 seed = DefaultGhostSeed);
