#pragma once

#include <QPixmap>

// Pictures the gallery hands to its buttons, drawn here so that the example
// needs no files.
namespace SamplePictures {

enum class Icon { Play, Star, Heart, Check, Globe, Ribbon };

// An icon on a magenta background: the button keys an icon picture on its
// top-left pixel, so the magenta is see-through. 48 x 48, except the ribbon
// (64 x 28), whose wide shape suits icons above or below the caption.
QPixmap icon(Icon kind);

// A small tileable weave for the texture layer.
QPixmap texture();

} // namespace SamplePictures
