#pragma once

#include <QImage>
#include <QList>

// A review picture of every skin: the full-size pictures of each style, then
// each state shrunk to common button sizes with nearest-pixel sampling and
// keyed over the game's window colour, as the button shows them.
// pictures[style][state]; cursor shown at the bottom, magnified.
QImage paintContactSheet(const QList<QList<QImage>> &pictures, const QImage &cursor);
