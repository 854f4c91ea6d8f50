#pragma once

#include "RavlenLib/ravlen.h"
#include "core/interaction.h"
#include "core/ravlen_look.h"
#include "core/stored_properties.h"
#include "render/face_composer.h"

#include <QImage>
#include <QKeySequence>
#include <QPixmap>
#include <QPoint>

class QTimer;

// The widget's state and the work behind its properties, events and
// interaction. Only the widget itself reaches inside; its face is drawn by
// the composer, which sees the widget through FaceHost alone.
class RavlenPrivate : private FaceHost
{
public:
    explicit RavlenPrivate(Ravlen *button);

    static RavlenPrivate *get(Ravlen *button) { return button->d.get(); }
    static const RavlenPrivate *get(const Ravlen *button) { return button->d.get(); }

    // The drawing pipeline; the widget draws only through it.
    FaceComposer &composer() { return m_composer; }
    const FaceComposer &composer() const { return m_composer; }

    // The click of the access key and of the accessible press action.
    void accessKeyClick();

    // Whether a setter redraws the face.
    enum class Redraw { No, Yes };

private:
    friend class Ravlen;

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

    // Runs on every size change and when AutoSize is set.
    void handleResize();
    // Draws the face last drawn again, as its colours or density now are.
    void redrawShownFace();

    // FaceHost
    QSize faceSize() const override;
    qreal devicePixelRatio() const override;
    QPalette palette() const override;
    QFont font() const override;
    QSize logicalDpi() const override;
    void renderContainer(QImage &pixels) override;
    void present(Presentation when) override;
    void setShape(const QRegion &shape) override;
    void resizeTo(QSize size) override;
    QTimer &fadeTimer() override;

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
    void saveSettingsHere();
    void moveFocusedControl(QPointF travel);
    // The folder built-in sounds are unpacked to.
    QString soundFolder() const;
    // Follows a new caption: its access key and its accessible name.
    void captionChanged();

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
    FaceComposer m_composer;

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

    // Where built-in sounds are unpacked; set when stored properties are read.
    QString tempDir;
};
