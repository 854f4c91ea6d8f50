#pragma once

#include "render/surface.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

#include <array>
#include <functional>

// Where the icon ended up at its last drawing (pixels, real-valued); the
// caption is laid out beside it.
struct IconGeometry {
    double Xi = 0;
    double Yi = 0;
    double Wi = 0;
    double Hi = 0;
    double Cx = 0;
    double Cy = 0;
    double aspect = 1;
};

// The caption's rectangle on the control's surface (right and bottom are
// the far edges, as the text drawing takes them) and its text format, a set
// of the platform's text-drawing flags: 0 left without wrapping, 19 centred
// with wrapping, 20/21/22 left/centred/right with wrapping.
struct CaptionBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int format = 0;

    friend bool operator==(const CaptionBox &, const CaptionBox &) = default;
};

// The caption as measured for its layout, kept while the stored caption,
// the font and the density stay the same: measuring sets the text, which
// would otherwise happen at every drawing.
struct CaptionMeasure {
    QString stored; // the caption as stored, "~$" escapes and all
    QFont font;
    int dpi = 0;
    QString text; // as drawn: decoded, lines joined by "\n"
    double textWidth = 0; // the widest line
    double lineHeight = 0;
    QList<double> lineWidths; // every line's width when there are several
};

// The drawing surfaces of one button and the working values its layers
// hand to each other during a drawing. The widget owns one; the layers read
// the button's look from RavlenLook and draw here.
struct FaceSurfaces {
    // The shadow surface keeps this size whatever the button's size: faces
    // and icons up to it survive the stretch into it and back unchanged.
    static constexpr int ShadowWidth = 400;
    static constexpr int ShadowHeight = 200;
    // Background of picShadow, and so the key colour of its silhouette.
    static constexpr OleColor ShadowKey = 0xBD4E2D;
    // Background of picIcon, showing through an icon's transparent pixels;
    // a colour unlikely to be part of an icon.
    static constexpr OleColor IconBackground = 0xFF00FF;

    FaceSurfaces();

    // Gives pic, pic2 and picTemp the button's inner size, keeping what each
    // holds where it still fits (pic2 feeds the next fade).
    void resizeFace(QSize size);

    // Splits the drawn state's two gradient colours into R1..B2.
    void setGradientColours(OleColor first, OleColor second);

    // Stretches the container's background under the control over the whole
    // of pic2. False, with pic2 untouched, when there is no container to
    // read from.
    bool fetchContainerBackground();

    Surface pic; // the working face
    Surface pic2; // previous frame, scratch for background and texture
    Surface picTemp; // the transparency mask; also the parked face
    Surface picShadow; // the shadow silhouette and the icon's halo
    Surface picIcon; // the icon picture for colour-keyed drawing

    // Gradient channels of the drawn state, 0..255.
    int R1 = 0;
    int G1 = 0;
    int B1 = 0;
    int R2 = 0;
    int G2 = 0;
    int B2 = 0;

    // Device pixels per logical pixel: the surfaces hold the face at the
    // density it is shown at.
    qreal scale = 1;
    // Lifts the icon and caption on hover (negative), lowers them pressed.
    double motionOffset = 0;
    // Edge of the arrow zone (x for arrows left or right, y for top or
    // bottom); written by the arrow layer when it draws a split.
    double splitCoordinate = 0;
    // Where the arrow was anchored last.
    QPointF arrowAnchor;
    IconGeometry icon;
    CaptionBox caption;
    CaptionMeasure captionMeasure;
    // True while a fade runs; the icon's halo is left out of such frames.
    bool fadeRunning = false;

    // The pixels of the container under the control, of any size (they are
    // stretched over the face). An empty function or a null image means the
    // button has no container to look through.
    std::function<QImage()> containerBackground;

    // Finished picture faces of the last few state pictures: the picture
    // stretched over the face, tinted when tinting is on. A button moves
    // between its three states all the time; drawing one again copies its
    // face instead of tinting and stretching the picture once more.
    struct PictureFace {
        qint64 picture = 0; // the state picture's cache key; 0: unused
        TintLook tint;
        OleColor maskKey = 0; // RGB of the see-through colour it was resampled with
        quint64 lastUse = 0;
        Surface face;
    };
    std::array<PictureFace, 3> pictureFaces;
    quint64 pictureFaceUses = 0;

    // Working space of the shadow layer's silhouette at the face's size.
    Surface silhouette;
    // The face under the icon, as the icon's halo reads it.
    Surface haloFace;
};
