#pragma once

#include "render/face_surfaces.h"
#include "render/surface.h"

#include <QImage>
#include <QList>
#include <QTest>

// Small builders and pixel probes for the surface and layer tests.

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

// Surfaces of a button of the given size whose face is one colour.
inline FaceSurfaces faceOf(QSize size, OleColor colour)
{
    FaceSurfaces s;
    s.resizeFace(size);
    s.pic.fillBox(QPoint(0, 0), QPoint(size.width(), size.height()), colour);
    return s;
}

// Compares OLE colours and prints both as hex on failure.
#define COMPARE_COLOUR(actual, expected) QCOMPARE(QString::number((actual), 16), QString::number((expected), 16))

struct Probe {
    QPoint at;
    OleColor colour;
};
using Probes = QList<Probe>;
Q_DECLARE_METATYPE(Probes)

// Checks every probe, naming the pixel that differs.
#define CHECK_PROBES(surface, probes)                                                                                                      \
    for (const Probe &probe : (probes)) {                                                                                                  \
        const QString where = QStringLiteral("(%1, %2) ").arg(probe.at.x()).arg(probe.at.y());                                             \
        QCOMPARE(where + QString::number((surface).pixel(probe.at.x(), probe.at.y()), 16), where + QString::number(probe.colour, 16));     \
    }
