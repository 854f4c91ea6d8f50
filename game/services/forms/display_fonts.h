#pragma once

#include "services/forms/form_layout.h"

#include <QFont>

// The board's display fonts come from older desktops ("Wide Latin", "Ravie",
// "Times New Roman", "MS Sans Serif"). Each is mapped to an installed
// look-alike, so the board reads large and bold on any machine.
namespace DisplayFonts {

// Registers the substitutions with QFont; once, at start-up.
void install();

// The font a layout asks for, over the inherited one, its size scaled by
// fontScale.
QFont resolve(const FontDesign &design, const QFont &inherited, double fontScale);

} // namespace DisplayFonts
