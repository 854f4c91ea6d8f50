#pragma once

#include "button_sounds.h"
#include "ravlen_look.h"

#include <QList>
#include <QPoint>
#include <QPointF>

#include <functional>

// What a button's properties say about its interaction, read afresh for
// every input.
struct InteractionSettings {
    bool animate = true; // False: nothing redraws, everything else happens
    bool sound = false; // the master switch
    bool userDrag = false;
    bool doubleClickEnable = false;
    bool arrowShow = false;
    bool arrowSplit = true;
    qint32 arrowPosition = 0; // ArrowPositionRL
    float splitCoordinate = 0; // where the arrow's zone begins, in pixels

    static InteractionSettings of(const RavlenLook &look, float splitCoordinate);
};

// One mouse notification: Button 1 left, 2 right, 4 middle (for a move the
// buttons held); Shift 1, Ctrl 2, Alt 4; X and Y in the button's pixels.
struct MouseInput {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

// The working fields of the interaction. They live as long as the button.
struct InteractionState {
    // Set when MouseOut is raised, cleared when MouseIn is; it gates the
    // next MouseIn (and, here, the next MouseOut). False at creation and
    // after every resize.
    bool hoverExit = false;
    QPoint cursorPoint; // screen pixels, last read by the hover poll
    // The last hover tick found the pointer over the button with its
    // MouseIn already raised: until the pointer moves, ticks have nothing
    // to tell.
    bool settledInside = false;
    bool dragging = false;
    float dragStartX = 0;
    float dragStartY = 0;
    bool arrowPressed = false; // the last press fell in the arrow's zone
    bool rightPressed = false; // the last left or right press was a right one
    // The button whose press may still become a click (0: none).
    int clickButton = 0;
    // The state the interaction last drew (0 before any).
    int drawnState = 0;
};

// One step for the widget to take, in order. A step that raises an event
// runs the container's handler to its end before the next step; a handler
// may delete the button, and then the remaining steps are dropped.
struct InteractionStep {
    enum class Kind {
        Draw, // DrawIt(value)
        Raise, // the event Interaction::Event(value)
        Sound, // the sound of ButtonSounds::Moment(value)
        SaveSettings, // save the look to a settings file in the current folder
        StartHoverPoll, // enable OverTimer
        StopHoverPoll, // disable OverTimer
        MoveFocused, // move the window's focused control by offset
    };
    Kind kind = Kind::Draw;
    int value = 0;
    QPointF offset;

    bool operator==(const InteractionStep &) const = default;
};
using InteractionSteps = QList<InteractionStep>;

// The button's interaction without a widget: fed with the pointer's hover
// test, presses, moves, releases, double clicks and the access key, it says
// which states to draw, which events to raise and which sounds to play.
//
// Input arrives as Qt delivers it: press, release (which is also the click
// when it ends a press of the same button over the button), and for a double
// click press, release, press, double click, release. The double click takes
// the place of the second click.
class Interaction
{
public:
    enum class Event {
        Click,
        DblClick,
        MouseDown,
        MouseMove,
        MouseUp,
        MouseIn,
        MouseOut,
        ArrowMouseDown,
        RightClick,
        RightDblClick,
    };

    InteractionState &state() { return m_state; }
    const InteractionState &state() const { return m_state; }

    // One tick of the hover poll. hoverTest answers whether the pointer is
    // over the button itself; it is asked twice when the first answer is
    // yes, and only a second yes counts as inside.
    InteractionSteps hoverTick(const InteractionSettings &settings, const std::function<bool()> &hoverTest);
    // Whether the pointer, now at position, still stands where the last
    // tick found it settled over the button. Anything that could change the
    // answer from there on (a move, a window or widget taking the place
    // under the pointer) reaches the button as a move or a leave, so the
    // poll may sleep until one comes.
    bool pointerResting(QPoint position) const;
    InteractionSteps press(const InteractionSettings &settings, const MouseInput &input);
    InteractionSteps move(const InteractionSettings &settings, const MouseInput &input);
    // overButton: the release happened over the button, so that a release
    // of the button that was pressed is a click.
    InteractionSteps release(const InteractionSettings &settings, const MouseInput &input, bool overButton);
    InteractionSteps doubleClick(const InteractionSettings &settings, const MouseInput &input);
    // The access key (and the accessible press action): a click of its own,
    // whatever the mouse did before.
    InteractionSteps accessKey(const InteractionSettings &settings);
    // The button stopped taking input (disabled) in the middle of a press:
    // the drag and the pending click end without a release.
    void cancelPress();

    // Whether a press at (x, y) falls in the split arrow's zone; a press on
    // the split line belongs to the main part.
    static bool inArrowZone(const InteractionSettings &settings, float x, float y);

private:
    void draw(InteractionSteps &steps, const InteractionSettings &settings, int state);
    static void sound(InteractionSteps &steps, const InteractionSettings &settings, ButtonSounds::Moment moment);
    void click(InteractionSteps &steps, const InteractionSettings &settings);

    InteractionState m_state;
};
