#include "interaction.h"
#include "RavlenLib/key_codes.h"

namespace {

using Kind = InteractionStep::Kind;
using Event = Interaction::Event;
using Moment = ButtonSounds::Moment;

constexpr int kShiftOnly = KeyCodes::ShiftBit;
constexpr int kCtrlAlt = KeyCodes::CtrlBit | KeyCodes::AltBit;

enum ArrowPosition : qint32 { PositionRight = 0, PositionLeft = 1, PositionBottom = 2, PositionTop = 3 };
enum DrawState : int { Normal = 0, Over = 1, Down = 2 };

InteractionStep raise(Event event) { return {Kind::Raise, int(event), {}}; }

InteractionStep step(Kind kind) { return {kind, 0, {}}; }

} // namespace

InteractionSettings InteractionSettings::of(const RavlenLook &look, float splitCoordinate)
{
    InteractionSettings settings;
    settings.animate = look.motion.animate;
    settings.sound = look.sound.sound;
    settings.userDrag = look.behaviour.userDrag;
    settings.doubleClickEnable = look.behaviour.doubleClickEnable;
    settings.arrowShow = look.arrow.show;
    settings.arrowSplit = look.arrow.split;
    settings.arrowPosition = look.arrow.position;
    settings.splitCoordinate = splitCoordinate;
    return settings;
}

bool Interaction::inArrowZone(const InteractionSettings &settings, float x, float y)
{
    if (!settings.arrowSplit || !settings.arrowShow)
        return false;
    const float s = settings.splitCoordinate;
    switch (settings.arrowPosition) {
    case PositionRight:
        return x > s;
    case PositionLeft:
        return x < s;
    case PositionBottom:
        return y > s;
    case PositionTop:
        return y < s;
    default:
        return false; // PositionMiddle and unnamed values never split
    }
}

void Interaction::draw(InteractionSteps &steps, const InteractionSettings &settings, int state)
{
    if (!settings.animate)
        return;
    steps.append({Kind::Draw, state, {}});
    m_state.drawnState = state;
}

void Interaction::sound(InteractionSteps &steps, const InteractionSettings &settings, Moment moment)
{
    if (settings.sound)
        steps.append({Kind::Sound, int(moment), {}});
}

InteractionSteps Interaction::hoverTick(const InteractionSettings &settings, const std::function<bool()> &hoverTest)
{
    InteractionSteps steps;
    m_state.settledInside = false;
    if (!hoverTest()) {
        if (m_state.hoverExit) {
            // Already out: no second MouseOut for the same exit. A release
            // outside may have drawn the hover face since; take it back.
            steps.append(step(Kind::StopHoverPoll));
            if (m_state.drawnState != Normal)
                draw(steps, settings, Normal);
            return steps;
        }
        steps.append(raise(Event::MouseOut));
        steps.append(step(Kind::StopHoverPoll));
        sound(steps, settings, Moment::Out);
        m_state.hoverExit = true;
        draw(steps, settings, Normal);
        return steps;
    }
    if (!hoverTest())
        return steps;
    m_state.settledInside = true;
    if (!m_state.hoverExit)
        return steps;
    steps.append(raise(Event::MouseIn));
    steps.append(step(Kind::StartHoverPoll));
    sound(steps, settings, Moment::In);
    m_state.hoverExit = false;
    draw(steps, settings, Over);
    return steps;
}

bool Interaction::pointerResting(QPoint position) const
{
    return m_state.settledInside && position == m_state.cursorPoint;
}

InteractionSteps Interaction::press(const InteractionSettings &settings, const MouseInput &input)
{
    InteractionSteps steps;
    if (input.button == KeyCodes::LeftButton) {
        draw(steps, settings, Down);
        m_state.rightPressed = false;
    } else if (input.button == KeyCodes::RightButton) {
        m_state.rightPressed = true;
        if (input.shift == kCtrlAlt)
            steps.append(step(Kind::SaveSettings));
    } else if (input.button == KeyCodes::MiddleButton) {
        // A middle click is a plain Click, even right after a right one.
        m_state.rightPressed = false;
    }
    if (settings.userDrag && input.shift == kShiftOnly) {
        m_state.dragging = true;
        m_state.dragStartX = input.x;
        m_state.dragStartY = input.y;
    }
    m_state.arrowPressed = inArrowZone(settings, input.x, input.y);
    steps.append(raise(m_state.arrowPressed ? Event::ArrowMouseDown : Event::MouseDown));
    sound(steps, settings, Moment::Down);
    m_state.clickButton = input.button;
    return steps;
}

InteractionSteps Interaction::move(const InteractionSettings &, const MouseInput &input)
{
    InteractionSteps steps;
    steps.append(step(Kind::StartHoverPoll));
    if (m_state.dragging) {
        // Measured from the press point every time: the press point stays
        // under the pointer while the control follows it.
        const QPointF travel(input.x - m_state.dragStartX, input.y - m_state.dragStartY);
        steps.append({Kind::MoveFocused, 0, travel});
    }
    steps.append(raise(Event::MouseMove));
    return steps;
}

InteractionSteps Interaction::release(const InteractionSettings &settings, const MouseInput &input, bool overButton)
{
    InteractionSteps steps;
    draw(steps, settings, Over);
    m_state.dragging = false;
    steps.append(raise(Event::MouseUp));
    sound(steps, settings, Moment::Up);
    // The hover face just drawn is only right while the pointer is over the
    // button: let the poll look again (the pointer may have left while the
    // button was held, and that exit was already reported).
    steps.append(step(Kind::StartHoverPoll));
    const bool clicked = overButton && input.button != 0 && input.button == m_state.clickButton;
    m_state.clickButton = 0;
    if (clicked)
        click(steps, settings);
    return steps;
}

void Interaction::click(InteractionSteps &steps, const InteractionSettings &settings)
{
    sound(steps, settings, Moment::Click);
    if (!m_state.arrowPressed)
        steps.append(raise(m_state.rightPressed ? Event::RightClick : Event::Click));
}

InteractionSteps Interaction::doubleClick(const InteractionSettings &settings, const MouseInput &)
{
    InteractionSteps steps;
    // It takes the place of the click its release would otherwise make.
    m_state.clickButton = 0;
    sound(steps, settings, Moment::Click);
    draw(steps, settings, Down);
    if (m_state.arrowPressed)
        return steps;
    if (settings.doubleClickEnable)
        steps.append(raise(m_state.rightPressed ? Event::RightDblClick : Event::DblClick));
    else
        steps.append(raise(m_state.rightPressed ? Event::RightClick : Event::Click));
    return steps;
}

InteractionSteps Interaction::accessKey(const InteractionSettings &settings)
{
    InteractionSteps steps;
    sound(steps, settings, Moment::Click);
    steps.append(raise(Event::Click));
    return steps;
}

void Interaction::cancelPress()
{
    m_state.dragging = false;
    m_state.clickButton = 0;
}
