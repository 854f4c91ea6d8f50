#pragma once

#include "core/ravlen_look.h"
#include "render/face_surfaces.h"
#include "render/skin_library.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRegion>
#include <QSize>

#include <optional>

class QPainter;
class QTimer;

// What the composer needs of the control it draws for. The control stays
// free to be any kind of widget; the composer never sees it.
class FaceHost
{
public:
    virtual ~FaceHost() = default;

    virtual QSize faceSize() const = 0;
    // Device pixels per logical pixel where the control is shown: the face
    // is composed at that density.
    virtual qreal devicePixelRatio() const = 0;
    // System colours are resolved against this palette.
    virtual QPalette palette() const = 0;
    // The caption's font.
    virtual QFont font() const = 0;
    // Logical dots per inch, across and down: the caption's points become
    // pixels at this density.
    virtual QSize logicalDpi() const = 0;
    // Renders the container's background under the control into pixels,
    // which it may reuse when their size fits; null pixels when there is no
    // container to look through.
    virtual void renderContainer(QImage &pixels) = 0;
    enum class Presentation { Later, Now };
    // The output changed: show it when the event loop gets to it, or before
    // returning (frames of a fade or an effect follow one another inside one
    // call).
    virtual void present(Presentation when) = 0;
    // The control's shape; an empty region means no shape at all.
    virtual void setShape(const QRegion &shape) = 0;
    // The control takes a size of its pictures' own (AutoSize); a shown
    // control handles the size in a nested call of resized().
    virtual void resizeTo(QSize size) = 0;
    // Drives the fade: its owner calls fadeTick() on each timeout.
    virtual QTimer &fadeTimer() = 0;
};

// The drawing pipeline of the button: composes the face of a drawing state
// from the look onto the hidden surfaces, layer by layer, shows it at once
// or through a fade, plays the hover effect, and keeps the control's shape
// and output image in step with it.
class FaceComposer
{
public:
    FaceComposer(const RavlenLook &look, FaceHost &host);

    // Composes and shows the face for a drawing state: state picture, mask,
    // face, layers, output (at once, or through a fade), hover effect,
    // shape. Nothing thrown inside a step leaves it; the step is skipped.
    // States other than 0..2 draw with the last valid choices.
    void draw(qint32 state);
    // Plays the hover effect (Effects), presenting every frame at once.
    // Unlike draw it lets errors reach the caller.
    void playEffect();
    // Loads the three skin pictures of a built-in style. Does nothing for
    // the gradient style or while CustomPic is set; false, with the pictures
    // kept, for a style without pictures.
    bool loadSkin(int style);
    // Runs on every size change and when AutoSize is set.
    void resized();
    // One step of the fade: blends the face into the shown frame by a level
    // that rises by 101 - FadeDelay per tick and presents it. An error stops
    // the fade and shows the face as it is.
    void fadeTick();
    // Paints the control from what draw composed, and the focus ring.
    void paint(QPainter &painter, bool focusRing) const;

    // The control's own picture: the face (or a fade frame) with the caption
    // written on it, in device pixels (its devicePixelRatio() is the host's).
    // Above ratio 1 its see-through pixels are transparent: the control's
    // shape is in whole logical pixels, the outline finer than that.
    const QImage &output() const { return m_output; }
    const FaceSurfaces &faces() const { return m_faces; }
    const SkinPictures &skinPictures() const { return m_skinPictures; }
    // Empty before the first drawing.
    std::optional<qint32> drawnState() const { return m_lastDrawnState; }
    // Where the arrow layer put the split line at the last drawing, in
    // logical pixels.
    float splitCoordinate() const { return m_splitCoordinate; }

private:
    void chooseStateLook(qint32 state);
    void showFaceAtOnce();
    void presentFrame();
    void fadeStep();
    void writeOutput(const Surface &source);
    void cutSeeThrough();
    void applyMask(OleColor maskKey);
    // The face's size in device pixels.
    QSize deviceFaceSize() const;
    QImage containerBackground();
    void drawFocusRing(QPainter &painter) const;
    bool fadeHasDelay() const;
    // The RGB value a colour is drawn in, resolved against the palette.
    OleColor drawnColour(OleColor colour) const;

    const RavlenLook &m_look;
    FaceHost &m_host;

    // The hidden surfaces and the working values the layers share.
    FaceSurfaces m_faces;
    QImage m_output;
    SkinPictures m_skinPictures;
    // The state picture chosen by the last drawing of states 0..2.
    QImage m_statePicture;
    std::optional<qint32> m_lastDrawnState;
    float m_splitCoordinate = 0;
    // 0..255; 255 when no fade runs.
    int m_fadeLevel = 255;

    // The container's background under the control, rendered at most once
    // per drawing and only when a layer asks for it.
    QImage m_containerPixels;
    bool m_containerFresh = false;
    // What the shape was last built from; an unchanged shape is not set
    // again (the window system's shape update is costly).
    QImage m_maskPixels;
    OleColor m_maskKey = 0;
    QRegion m_maskShape;
    bool m_maskEmpty = false;
    // Above ratio 1: the mask at logical size, a logical pixel opaque when
    // any of its device pixels is.
    Surface m_logicalMask;
    // The density and see-through colour of the last drawing.
    qreal m_ratio = 1;
    OleColor m_drawnMaskKey = 0;
    // A resize that arrives in the middle of a drawing (rendering a hidden
    // container delivers its pending events) is handled when it is done.
    bool m_drawing = false;
    bool m_resizePending = false;
    int m_resizeRuns = 0;
};
