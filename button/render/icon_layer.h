#pragma once

#include "core/ravlen_look.h"
#include "render/face_surfaces.h"

#include <QSizeF>

// Places the icon by its position (left, top, right, bottom or over the
// whole face as background), follows the motion offset, scales it about its
// centre by the icon size (percent) and draws it on target:
// - as an icon, honouring the picture's own alpha; or
// - as a picture whose top-left pixel's colour is see-through, with a soft
//   halo up to 4 pixels wide behind it when the icon shadow is on (left out
//   while a fade runs, to keep fade frames cheap).
// The geometry is kept in the surfaces for the caption. An unknown position
// keeps the last geometry as it is; a hidden icon or an empty picture draws
// nothing and keeps it too.
void drawIconLayer(FaceSurfaces &surfaces, Surface &target, const IconLook &icon);

// The geometry the icon layer computes on a target of the given size.
// Returns false, leaving `geometry` untouched, for an unknown position.
bool placeIcon(IconGeometry &geometry, QSizeF target, QSize picture, qint16 position, double sizePercent,
               double motionOffset);
