#pragma once

#include "render/surface.h"

#include <QImage>
#include <QTest>

// Small builders for pixel probes.

inline Surface filledSurface(QSize size, OleColor colour)
{
    Surface surface(size, colour);
    return surface;
}

inline QImage solidPicture(QSize size, OleColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(oleToPixel(colour));
    return picture;
}

inline OleColor grey(int level)
{
    return oleRgb(level, level, level);
}

// Compares OLE colours and prints both as hex on failure.
#define COMPARE_COLOUR(actual, expected)                                                                     \
    QCOMPARE(QString::number((actual), 16), QString::number((expected), 16))
