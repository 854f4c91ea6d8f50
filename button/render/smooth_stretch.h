#pragma once

#include <QImage>
#include <QSize>
#include <QtGui/qrgb.h>

// Enlarging a skin with the surfaces' nearest-neighbour stretch turns every
// pixel into a visible block: the face looks coarse and its see-through
// outline becomes a staircase. Enlarged pictures are therefore resampled
// smoothly, but in a way that keeps the one rule the mask relies on: the
// result holds only face colours and pixels of exactly the key colour.
//
// How: pixels of exactly the key colour count as fully transparent and all
// others as opaque, and the picture is resampled with its colours
// premultiplied by that alpha, so a key pixel never darkens (or otherwise
// tints) the face next to it.
// - Coverage comes from a cubic B-spline. It is a slightly smoothing kernel,
//   which is what rounds the staircase off: even along a direction that is
//   not enlarged (a skin stretched only in height), neighbouring columns get
//   different coverage near a step, so the step turns into a slope. A
//   straight edge stays exactly where the nearest-neighbour stretch puts it,
//   and a single stray key pixel inside a face is filled rather than
//   enlarged into a hole.
// - Colour comes from a bilinear (tent) kernel, which keeps the face as sharp
//   as an ordinary smooth enlargement does. Where it sees too little face to
//   give a colour (only at the outline), its colour is mixed with the
//   B-spline's, continuously. Both kernels have only positive weights, so
//   every colour is a mix of face colours: nothing darker or lighter than
//   the face appears.
// - A pixel whose coverage is at least one half is face and takes that
//   colour (moved by one step in one channel should it come out exactly as
//   the key); every other pixel is exactly the key.
// Along a direction that shrinks, both kernels widen with the reduction so
// that every source pixel still counts. Pixels beyond the picture's edges
// repeat the edge pixels.
//
// Shrinking and near-1 scales keep the exact nearest-neighbour stretch: it
// is what the surfaces do everywhere else, it is fast, and at those scales a
// pixel's block is too small to see.

// True when stretching a picture of size `from` onto `to` enlarges it by
// more than a quarter in width or in height.
bool wantsSmoothStretch(QSize from, QSize to);

// The picture resampled to `size` as described above; `key` is the RGB of
// the see-through colour (its high byte is ignored). RGB32 result; a null
// image when the picture or the size is empty.
QImage smoothStretch(const QImage &picture, QSize size, QRgb key);
