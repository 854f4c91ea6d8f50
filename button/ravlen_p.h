#pragma once

#include "core/interaction.h"
#include "core/ravlen_look.h"
#include "core/stored_properties.h"
#include "ravlen.h"
#include "render/face_surfaces.h"
#include "render/skin_library.h"

#include <QImage>
#include <QKeySequence>
#include <QPixmap>
#include <QPoint>
#include <QRegion>

#include <optional>

class QPainter;
class QTimer;

class RavlenPrivate
{
public:
    explicit RavlenPrivate(Ravlen *button);

    static RavlenPrivate *get(Ravlen *button) { return button->d.get(); }
    static const RavlenPrivate *get(const Ravlen *button) { return button->d.get(); }

    // The library's hand cursor (32 x 32, hot spot at 6, 0); empty when the
    // resource is not linked in.
    static QImage defaultMouseIcon();
    static constexpr QPoint defaultMouseIconHotSpot{6, 0};

    // The parent's font, or the application's for a button without one.
    QFont ambientFont() const;

    // The values the stored layout compares with (writing) or falls back on
    // (reading); they differ only in MouseIcon.
    enum class DefaultsFor { Writing, Reading };
    StoredButton storedDefaults(DefaultsFor use) const;

    // Announces a changed stored property under its key.
    void notify(const char *key);

    enum class Redraw { No, Yes };
    // The common setter: store, redraw when the property changes the look,
    // announce.
    template <typename Field, typename Value>
    void set(Field &field, Value value, const char *key, Redraw redraw = Redraw::Yes)
    {
        field = Field(value);
        if (redraw == Redraw::Yes)
            q->DrawIt(look.behaviour.buttonState);
        notify(key);
    }
    // A colour that a system-colour reference is resolved for.
    void setTranslated(OleColor &field, OleColor colour, const char *key);
    // A whole-number Single limited to low..high.
    void setWhole(float &field, float value, int low, int high, const char *key);

    void applyMouseIcon(const QPixmap &icon);
    // TMP, else TEMP, else the system's temporary folder: where the built-in
    // sounds get their private folder when the session has no runtime folder.
    static QString temporaryDirectory();

    // ---- Drawing pipeline --------------------------------------------
    // Everything below up to the end marker is the face's composition;
    // the rest of the widget reaches it only through these functions.

    // Composes and shows the face for a drawing state: state picture, mask,
    // face, layers, output (at once, or through a fade), hover effect,
    // widget mask. Nothing thrown inside a step leaves it; the step is
    // skipped. States other than 0..2 draw with the last valid choices.
    void drawIt(qint32 state);
    // Plays the hover effect (Effects), presenting every frame at once.
    // Unlike drawIt it lets errors reach the caller.
    void drawEffect();
    // Loads the three skin pictures of a built-in style into skinPictures.
    // Does nothing for the gradient style or while CustomPic is set; false,
    // with the pictures kept, for a style without pictures.
    bool loadSkin(int style);
    // Runs on every size change and when AutoSize is set.
    void handleResize();
    // Paints the widget from what drawIt composed, and the focus ring.
    void paintFace(QPainter &painter);
    // One step of the fade: blends the face into the shown frame by a level
    // that rises by 101 - FadeDelay per tick and presents it.
    void fadeTick();

    // The state picture chosen by the last drawIt for states 0..2.
    QImage statePicture;
    SkinPictures skinPictures;
    qint32 currentState = 0;
    // Empty before the first drawing; an empty value counts as rl_Normal.
    std::optional<qint32> lastDrawnState;
    qint32 lastDrawnStateOrNormal() const { return lastDrawnState.value_or(0); }
    // Written by the arrow layer, read by the press handling.
    float splitCoordinate = 0;
    // The hidden surfaces and the working values the layers share.
    FaceSurfaces faces;
    // The control's own surface: the face (or a fade frame) with the
    // caption written on it; paintEvent only copies it to the screen.
    QImage output;
    // 0..255; 255 when no fade runs.
    int fadeLevel = 255;

private:
    void setUpPipeline();
    void chooseStateLook(qint32 state);
    void showFaceAtOnce();
    void presentFrame();
    void writeOutput(const Surface &source);
    void applyMask(OleColor maskKey);
    QImage containerBackground();
    void drawFocusRing(QPainter &painter) const;
    bool fadeHasDelay() const;
    // The RGB value a colour is drawn in, resolved against the palette.
    OleColor drawnColour(OleColor colour) const;

    // The container's background under the control, rendered at most once
    // per drawing and only when a layer asks for it.
    QImage m_containerPixels;
    bool m_containerFresh = false;
    // What the widget's mask was last built from; an unchanged mask is not
    // set again (the window system's shape update is costly).
    QImage m_maskPixels;
    OleColor m_maskKey = 0;
    QRegion m_maskShape;
    bool m_maskEmpty = false;
    // A resize that arrives in the middle of a drawing (rendering a hidden
    // container delivers its pending events) is handled when it is done.
    bool m_drawing = false;
    bool m_resizePending = false;
    int m_resizeRuns = 0;

public:
    // ---- End of drawing pipeline -------------------------------------

    Ravlen *const q;
    // The whole state of the face. The caption's text and colour live here
    // rather than in a hidden label of their own: with one copy, the caption
    // that is measured, drawn, stored and reset is always the same text (a
    // separate label kept its old text after a reset or a stored layout).
    // The caption is set in the widget's font.
    RavlenLook look;
    QPixmap mouseIcon;
    // The fade timer: disabled until a fade starts; its interval follows
    // FadeDelay only when the property is set (1 ms until then).
    QTimer *tmrFade;

    // Interaction: the hover poll, presses, drags and the access key. The
    // decisions are Interaction's; the widget feeds it Qt's events and
    // carries out the steps it answers with.
    Interaction interaction;
    // The resize handling clears the hover-exit flag under this name.
    bool &hoverExit = interaction.state().hoverExit;
    // The hover poll: 1 ms, running from creation until the pointer is
    // found outside or standing still over the button; a mouse move over
    // the button starts it again.
    QTimer *overTimer;
    int accessKeyId = 0;
    QKeySequence accessKey;

    InteractionSettings interactionSettings() const;
    // The pointer is over this very widget (not a child, not a window
    // covering it); records the pointer in the cursor point.
    bool hoverTest();
    void hoverTick();
    // Qt reports the pointer leaving the button.
    void pointerLeft();
    // The button moved or changed size, perhaps from under a resting pointer.
    void geometryChanged();
    // Carries out the steps; mouse events take their arguments from input.
    // Returns false when a handler deleted the button: then nothing of it
    // may be touched any more.
    bool run(const InteractionSteps &steps, MouseInput input = {});
    void raise(Interaction::Event event, MouseInput &input);
    // The click of the access key and of the accessible press action.
    void accessKeyClick();
    void saveSettingsHere();
    void moveFocusedControl(QPointF travel);
    // The folder built-in sounds are unpacked to.
    QString soundFolder() const;
    // Follows a new caption: its access key and its accessible name.
    void captionChanged();

    // Where built-in sounds are unpacked; set when stored properties are read.
    QString tempDir;

    // How many times DrawIt ran, so that tests can tell which setters redraw.
    int drawCalls = 0;
};
