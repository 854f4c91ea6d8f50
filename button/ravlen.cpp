#include "RavlenLib/ravlen.h"
#include "ravlen_p.h"

#include "RavlenLib/key_codes.h"
#include "RavlenLib/property_bag.h"
#include "core/ole_color.h"
#include "core/pointer_probe.h"
#include "core/rounding.h"
#include "core/settings_file.h"
#include "core/settings_file_name.h"
#include "ravlen_accessible.h"
#include "render/caption_layer.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

Q_LOGGING_CATEGORY(lcRavlen, "ravlen")

constexpr OleColor kButtonTextSystemColor = 0x80000012;
constexpr QSize kNewButtonSize(81, 33);

} // namespace

// ---- RavlenPrivate ------------------------------------------------------

RavlenPrivate::RavlenPrivate(Ravlen *button)
    : q(button)
    , tmrFade(new QTimer(button))
    , m_composer(look, *this)
    , overTimer(new QTimer(button))
{
    tmrFade->setObjectName(QStringLiteral("tmrFade"));
    tmrFade->setInterval(1);
    QObject::connect(tmrFade, &QTimer::timeout, q, [this] { m_composer.fadeTick(); });
    overTimer->setObjectName(QStringLiteral("OverTimer"));
    overTimer->setInterval(1);
}

QImage RavlenPrivate::defaultMouseIcon() { return QImage(QStringLiteral(":/ravlen/cursor101.png")); }

QFont RavlenPrivate::ambientFont() const
{
    const QWidget *container = q->parentWidget();
    return container ? container->font() : QApplication::font();
}

StoredButton RavlenPrivate::storedDefaults(DefaultsFor use) const
{
    StoredButton defaults;
    defaults.font = ambientFont();
    // A layout that never stored the caption colour gets the system's
    // button-text colour, while a new button starts white; so a white
    // caption is stored and reads back white.
    defaults.look.caption.color = kButtonTextSystemColor;
    if (use == DefaultsFor::Reading)
        defaults.mouseIcon = defaultMouseIcon();
    return defaults;
}

void RavlenPrivate::notify(const char *key) { Q_EMIT q->storedPropertyChanged(QLatin1String(key)); }

void RavlenPrivate::setTranslated(OleColor &field, OleColor colour, const char *key)
{
    set(field, translateOleColor(colour, q->palette()), key);
}

void RavlenPrivate::setWhole(float &field, float value, int low, int high, const char *key)
{
    set(field, float(roundHalfEven<int>(value, low, high)), key);
}

void RavlenPrivate::applyMouseIcon(const QPixmap &icon)
{
    mouseIcon = icon;
    if (icon.isNull()) {
        q->setCursor(Qt::PointingHandCursor);
        return;
    }
    // The library's own cursor points with its finger tip; any other
    // picture points with its centre.
    // Both sides pass through a pixmap, so that the comparison is not upset
    // by the pixmap's premultiplied alpha.
    static const QImage ownAsPixmap = QPixmap::fromImage(defaultMouseIcon()).toImage();
    const bool ownCursor = icon.toImage() == ownAsPixmap;
    const QPoint hotSpot = ownCursor ? defaultMouseIconHotSpot : QPoint(-1, -1);
    q->setCursor(QCursor(icon, hotSpot.x(), hotSpot.y()));
}

QString RavlenPrivate::temporaryDirectory()
{
    // The Windows names come first so that a setup made for the game's
    // original platform still decides; on this platform they are usually
    // unset, and the system's temporary folder is the natural place.
    for (const char *name : {"TMP", "TEMP"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QDir::tempPath();
}

// ---- Drawing ------------------------------------------------------------

void RavlenPrivate::handleResize()
{
    hoverExit = false;
    m_composer.resized();
}

void RavlenPrivate::redrawShownFace()
{
    if (const std::optional<qint32> state = m_composer.drawnState())
        m_composer.draw(*state);
}

QSize RavlenPrivate::faceSize() const { return q->size(); }

qreal RavlenPrivate::devicePixelRatio() const { return q->devicePixelRatioF(); }

QPalette RavlenPrivate::palette() const { return q->palette(); }

QFont RavlenPrivate::font() const { return q->font(); }

QSize RavlenPrivate::logicalDpi() const { return QSize(q->logicalDpiX(), q->logicalDpiY()); }

void RavlenPrivate::renderContainer(QImage &pixels)
{
    QWidget *container = q->parentWidget();
    if (!container || q->width() <= 0 || q->height() <= 0) {
        pixels = QImage();
        return;
    }
    // At the density the face is composed at, so that what shows through
    // is as sharp as the face.
    const qreal ratio = q->devicePixelRatioF();
    const QSize device(qRound(q->width() * ratio), qRound(q->height() * ratio));
    if (pixels.size() != device)
        pixels = QImage(device, QImage::Format_RGB32);
    pixels.setDevicePixelRatio(ratio);
    pixels.fill(container->palette().color(container->backgroundRole()));
    container->render(&pixels, QPoint(), QRegion(q->geometry()), QWidget::DrawWindowBackground);
}

void RavlenPrivate::present(Presentation when)
{
    if (when == Presentation::Now)
        q->repaint();
    else
        q->update();
}

void RavlenPrivate::setShape(const QRegion &shape) { q->setMask(shape); }

void RavlenPrivate::resizeTo(QSize size) { q->resize(size); }

QTimer &RavlenPrivate::fadeTimer() { return *tmrFade; }

// ---- Interaction ----------------------------------------------------------

InteractionSettings RavlenPrivate::interactionSettings() const
{
    return InteractionSettings::of(look, m_composer.splitCoordinate());
}

bool RavlenPrivate::hoverTest()
{
    const PointerProbe &pointer = PointerProbe::instance();
    QPoint &cursorPoint = interaction.state().cursorPoint;
    cursorPoint = pointer.position();
    return pointer.widgetAt(cursorPoint) == q;
}

void RavlenPrivate::hoverTick()
{
    // A disabled button takes no input, hover included; enabling it starts
    // the poll again.
    if (!q->isEnabled() || interaction.pointerResting(PointerProbe::instance().position())) {
        overTimer->stop();
        return;
    }
    run(interaction.hoverTick(interactionSettings(), [this] { return hoverTest(); }));
}

void RavlenPrivate::pointerLeft()
{
    if (!q->isEnabled())
        return;
    // Some platforms stop updating the pointer's position once it is outside
    // the application's windows, so after a quick exit the hover test would
    // still find it over the button; the leave is the better word then. A
    // modal window or a popup elsewhere takes the pointer without moving
    // it: there the hover test decides, as on any tick.
    const QWidget *window = q->window();
    const QWidget *modal = QApplication::activeModalWidget();
    const QWidget *popup = QApplication::activePopupWidget();
    const bool takenAway = (modal && modal != window) || (popup && popup != window);
    run(interaction.hoverTick(interactionSettings(), [this, takenAway] { return takenAway && hoverTest(); }));
}

void RavlenPrivate::geometryChanged()
{
    // The poll sleeps while the pointer rests; a button that slides away from
    // under it gets no move event, so the next tick has to look again.
    interaction.state().settledInside = false;
    if (q->isEnabled() && !overTimer->isActive())
        overTimer->start();
}

bool RavlenPrivate::run(const InteractionSteps &steps, MouseInput input)
{
    using Kind = InteractionStep::Kind;
    const QPointer<Ravlen> alive(q);
    for (const InteractionStep &step : steps) {
        switch (step.kind) {
        case Kind::Draw:
            q->DrawIt(step.value);
            break;
        case Kind::Raise:
            raise(Interaction::Event(step.value), input);
            break;
        case Kind::Sound:
            ButtonSounds::play(look.sound, ButtonSounds::Moment(step.value), soundFolder());
            break;
        case Kind::SaveSettings:
            saveSettingsHere();
            break;
        case Kind::StartHoverPoll:
            if (!overTimer->isActive())
                overTimer->start();
            break;
        case Kind::StopHoverPoll:
            overTimer->stop();
            break;
        case Kind::MoveFocused:
            moveFocusedControl(step.offset);
            break;
        }
        // A handler (or a nested event loop it ran) may have deleted us.
        if (!alive)
            return false;
    }
    return true;
}

void RavlenPrivate::raise(Interaction::Event event, MouseInput &input)
{
    using Event = Interaction::Event;
    switch (event) {
    case Event::Click:
        Q_EMIT q->Click();
        break;
    case Event::DblClick:
        Q_EMIT q->DblClick();
        break;
    case Event::MouseDown:
        Q_EMIT q->MouseDown(input.button, input.shift, input.x, input.y);
        break;
    case Event::MouseMove:
        Q_EMIT q->MouseMove(input.button, input.shift, input.x, input.y);
        break;
    case Event::MouseUp:
        Q_EMIT q->MouseUp(input.button, input.shift, input.x, input.y);
        break;
    case Event::MouseIn:
        Q_EMIT q->MouseIn();
        break;
    case Event::MouseOut:
        Q_EMIT q->MouseOut();
        break;
    case Event::ArrowMouseDown:
        Q_EMIT q->ArrowMouseDown();
        break;
    case Event::RightClick:
        Q_EMIT q->RightClick();
        break;
    case Event::RightDblClick:
        Q_EMIT q->RightDblClick();
        break;
    }
}

void RavlenPrivate::accessKeyClick() { run(interaction.accessKey(interactionSettings())); }

void RavlenPrivate::saveSettingsHere()
{
    // The form loader marks the members of a control array with their index.
    const QVariant indexProperty = q->property("controlIndex");
    bool isIndex = false;
    const int index = indexProperty.toInt(&isIndex);
    const std::optional<int> arrayIndex = indexProperty.isValid() && isIndex ? std::optional(index) : std::nullopt;
    const QString name = settingsFileName(q->objectName(), arrayIndex, look.caption.text);
    q->SaveButtonSettings(QDir::current().absoluteFilePath(name));
}

void RavlenPrivate::moveFocusedControl(QPointF travel)
{
    // After the press the focus is normally on the button itself. A window
    // is never moved this way, only a control inside one.
    QWidget *focused = q->window()->focusWidget();
    if (!focused || focused->isWindow())
        return;
    focused->move(focused->pos() + QPoint(roundHalfEven<int>(travel.x()), roundHalfEven<int>(travel.y())));
}

QString RavlenPrivate::soundFolder() const { return tempDir.isEmpty() ? temporaryDirectory() : tempDir; }

void RavlenPrivate::captionChanged()
{
    const QKeySequence key = QKeySequence::mnemonic(decodeCaption(look.caption.text));
    if (key != accessKey) {
        if (accessKeyId != 0)
            q->releaseShortcut(accessKeyId);
        accessKeyId = key.isEmpty() ? 0 : q->grabShortcut(key);
        accessKey = key;
    }
    QAccessibleEvent event(q, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// ---- Ravlen ---------------------------------------------------------------

Ravlen::Ravlen(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<RavlenPrivate>(this))
{
    RavlenAccessible::install();
    // Keys such as PageUp and the arrows reach the button (and its KeyDown)
    // once it has the focus; Tab and Backtab still move the focus on.
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button held restart the hover poll.
    setMouseTracking(true);
    initNew();
    connect(d->overTimer, &QTimer::timeout, this, [this] { d->hoverTick(); });
    d->overTimer->start();
}

Ravlen::~Ravlen() = default;

QSize Ravlen::sizeHint() const { return kNewButtonSize; }

void Ravlen::initNew()
{
    d->hoverExit = false;
    QWidget::setEnabled(true);
    QWidget::setFont(d->ambientFont());
    RavlenLook &look = d->look;
    look.tint = TintLook{};
    look.skin.picNormal = QImage();
    look.skin.picOver = QImage();
    look.skin.picDown = QImage();
    look.skin.customPic = false;
    look.icon.icon = QImage();
    look.icon.show = false;
    setMaskColor(0);
    // Everything else, caption and state included, without drawing.
    look = RavlenLook{};
    d->applyMouseIcon(QPixmap::fromImage(RavlenPrivate::defaultMouseIcon()));
    resize(kNewButtonSize);
    d->captionChanged();
}

void Ravlen::readProperties(const PropertyBag &bag)
{
    StoredButton stored{isEnabled(), font(), d->look, d->mouseIcon.toImage()};
    StoredProperties::read(stored, bag, d->storedDefaults(RavlenPrivate::DefaultsFor::Reading));
    QWidget::setEnabled(stored.enabled);
    QWidget::setFont(stored.font);
    d->look = stored.look;
    d->tempDir = RavlenPrivate::temporaryDirectory();
    setMouseIcon(QPixmap::fromImage(stored.mouseIcon));
    d->captionChanged();
}

void Ravlen::writeProperties(PropertyBag &bag) const
{
    const StoredButton stored{isEnabled(), font(), d->look, d->mouseIcon.toImage()};
    StoredProperties::write(stored, bag, d->storedDefaults(RavlenPrivate::DefaultsFor::Writing));
}

// ---- Methods --------------------------------------------------------------

void Ravlen::SaveButtonSettings(const QString &FileName)
{
    if (FileName.isEmpty())
        return;
    if (!SettingsFile::save(FileName, d->look, font()))
        qCWarning(lcRavlen) << "could not write the settings file" << QDir::toNativeSeparators(FileName);
}

void Ravlen::LoadButtonSettings(const QString &FileName)
{
    if (FileName.isEmpty())
        return;
    if (const auto lines = SettingsFile::load(FileName)) {
        const SettingsFile::Tail tail = SettingsFile::apply(*lines, d->look);
        if (tail.captionColor)
            setCaptionColor(*tail.captionColor);
        QFont changed = font();
        if (tail.fontFamily)
            changed.setFamily(*tail.fontFamily);
        if (tail.fontPointSize)
            changed.setPointSizeF(*tail.fontPointSize);
        if (tail.fontBold)
            changed.setBold(*tail.fontBold);
        QWidget::setFont(changed);
        if (tail.maskColor)
            setMaskColor(*tail.maskColor);
    } else {
        qCWarning(lcRavlen) << "could not read the settings file" << QDir::toNativeSeparators(FileName);
    }
    d->m_composer.loadSkin(d->look.skin.buttonStyle);
    DrawIt(d->look.behaviour.buttonState);
}

void Ravlen::DrawIt(int state) { d->m_composer.draw(state); }

void Ravlen::DrawEffect() { d->m_composer.playEffect(); }

void Ravlen::Refresh() { repaint(); }

// ---- Properties -----------------------------------------------------------

using Redraw = RavlenPrivate::Redraw;

void Ravlen::setEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    d->notify("Enabled");
}

void Ravlen::setFont(const QFont &font)
{
    QWidget::setFont(font);
    DrawIt(d->look.behaviour.buttonState);
    d->notify("Font");
}

Ravlen::BorderStylesRL Ravlen::borderStyle() const { return BorderStylesRL(d->look.border.style); }
void Ravlen::setBorderStyle(BorderStylesRL style) { d->set(d->look.border.style, style, "BorderStyle"); }
uint Ravlen::captionColor() const { return d->look.caption.color; }
void Ravlen::setCaptionColor(uint colour) { d->set(d->look.caption.color, colour, "CaptionColor"); }
bool Ravlen::tint() const { return d->look.tint.enabled; }
void Ravlen::setTint(bool tint) { d->set(d->look.tint.enabled, tint, "Tint"); }
uint Ravlen::tintColor() const { return d->look.tint.color; }
void Ravlen::setTintColor(uint colour) { d->setTranslated(d->look.tint.color, colour, "TintColor"); }
int Ravlen::tintBright() const { return d->look.tint.bright; }
void Ravlen::setTintBright(int bright) { d->set(d->look.tint.bright, qBound(-255, bright, 255), "TintBright"); }
QPixmap Ravlen::picNormal() const { return QPixmap::fromImage(d->look.skin.picNormal); }
void Ravlen::setPicNormal(const QPixmap &picture) { d->set(d->look.skin.picNormal, picture.toImage(), "PicNormal"); }
QPixmap Ravlen::picOver() const { return QPixmap::fromImage(d->look.skin.picOver); }
void Ravlen::setPicOver(const QPixmap &picture) { d->set(d->look.skin.picOver, picture.toImage(), "PicOver"); }
QPixmap Ravlen::picDown() const { return QPixmap::fromImage(d->look.skin.picDown); }
void Ravlen::setPicDown(const QPixmap &picture) { d->set(d->look.skin.picDown, picture.toImage(), "PicDown"); }
bool Ravlen::customPic() const { return d->look.skin.customPic; }
void Ravlen::setCustomPic(bool custom) { d->set(d->look.skin.customPic, custom, "CustomPic"); }
QPixmap Ravlen::buttonIcon() const { return QPixmap::fromImage(d->look.icon.icon); }
void Ravlen::setButtonIcon(const QPixmap &icon) { d->set(d->look.icon.icon, icon.toImage(), "ButtonIcon"); }
bool Ravlen::buttonIconShow() const { return d->look.icon.show; }
void Ravlen::setButtonIconShow(bool show) { d->set(d->look.icon.show, show, "ButtonIconShow"); }
uint Ravlen::maskColor() const { return d->look.skin.maskColor; }
void Ravlen::setMaskColor(uint colour) { d->set(d->look.skin.maskColor, colour, "MaskColor"); }
Ravlen::ButtonIconPosition Ravlen::buttonIconPos() const { return ButtonIconPosition(d->look.icon.position); }

void Ravlen::setButtonIconPos(ButtonIconPosition position)
{
    constexpr qint32 low = std::numeric_limits<qint16>::min();
    constexpr qint32 high = std::numeric_limits<qint16>::max();
    d->set(d->look.icon.position, qBound(low, qint32(position), high), "ButtonIconPos");
}

uint Ravlen::gradientNormal1() const { return d->look.gradient.normal1; }
void Ravlen::setGradientNormal1(uint colour) { d->setTranslated(d->look.gradient.normal1, colour, "GradientNormal1"); }
uint Ravlen::gradientNormal2() const { return d->look.gradient.normal2; }
void Ravlen::setGradientNormal2(uint colour) { d->setTranslated(d->look.gradient.normal2, colour, "GradientNormal2"); }
uint Ravlen::gradientOver1() const { return d->look.gradient.over1; }
void Ravlen::setGradientOver1(uint colour) { d->setTranslated(d->look.gradient.over1, colour, "GradientOver1"); }
uint Ravlen::gradientOver2() const { return d->look.gradient.over2; }
void Ravlen::setGradientOver2(uint colour) { d->setTranslated(d->look.gradient.over2, colour, "GradientOver2"); }
uint Ravlen::gradientDown1() const { return d->look.gradient.down1; }
void Ravlen::setGradientDown1(uint colour) { d->setTranslated(d->look.gradient.down1, colour, "GradientDown1"); }
uint Ravlen::gradientDown2() const { return d->look.gradient.down2; }
void Ravlen::setGradientDown2(uint colour) { d->setTranslated(d->look.gradient.down2, colour, "GradientDown2"); }
Ravlen::GradientStyles Ravlen::gradientStyle() const { return GradientStyles(d->look.gradient.style); }
void Ravlen::setGradientStyle(GradientStyles style) { d->set(d->look.gradient.style, style, "GradientStyle"); }
bool Ravlen::upMotion() const { return d->look.motion.upMotion; }
void Ravlen::setUpMotion(bool upMotion) { d->set(d->look.motion.upMotion, upMotion, "UpMotion", Redraw::No); }
bool Ravlen::userDrag() const { return d->look.behaviour.userDrag; }
void Ravlen::setUserDrag(bool userDrag) { d->set(d->look.behaviour.userDrag, userDrag, "UserDrag", Redraw::No); }
bool Ravlen::fade() const { return d->look.motion.fade; }
void Ravlen::setFade(bool fade) { d->set(d->look.motion.fade, fade, "Fade"); }
float Ravlen::fadeDelay() const { return d->look.motion.fadeDelay; }

void Ravlen::setFadeDelay(float delay)
{
    const int whole = roundHalfEven<int>(delay, 0, 100);
    d->tmrFade->setInterval(whole);
    d->set(d->look.motion.fadeDelay, float(whole), "FadeDelay");
}

bool Ravlen::captionShadow() const { return d->look.caption.shadow; }
void Ravlen::setCaptionShadow(bool shadow) { d->set(d->look.caption.shadow, shadow, "CaptionShadow"); }
uint Ravlen::captionShadowColor() const { return d->look.caption.shadowColor; }
void Ravlen::setCaptionShadowColor(uint colour)
{
    d->setTranslated(d->look.caption.shadowColor, colour, "CaptionShadowColor");
}
bool Ravlen::autoSize() const { return d->look.behaviour.autoSize; }

void Ravlen::setAutoSize(bool autoSize)
{
    d->look.behaviour.autoSize = autoSize;
    d->handleResize();
    d->notify("AutoSize");
}

Ravlen::EffectsRL Ravlen::effects() const { return EffectsRL(d->look.motion.effects); }
void Ravlen::setEffects(EffectsRL effect) { d->set(d->look.motion.effects, effect, "Effects"); }
bool Ravlen::enableEffects() const { return d->look.motion.effectsEnabled; }
void Ravlen::setEnableEffects(bool enable) { d->set(d->look.motion.effectsEnabled, enable, "EnableEffects"); }
float Ravlen::buttonIconSize() const { return d->look.icon.size; }
void Ravlen::setButtonIconSize(float size) { d->setWhole(d->look.icon.size, size, 0, 1000, "ButtonIconSize"); }
Ravlen::RavlenStyles Ravlen::buttonStyle() const { return RavlenStyles(d->look.skin.buttonStyle); }

void Ravlen::setButtonStyle(RavlenStyles style)
{
    d->look.skin.buttonStyle = style;
    d->m_composer.loadSkin(style);
    // The task-bar skin is drawn on white, every other skin on black.
    setMaskColor(style == VistaTaskBar ? 0xFFFFFF : 0);
    d->set(d->look.skin.buttonStyle, style, "ButtonStyle");
}

bool Ravlen::alpha() const { return d->look.alpha.enabled; }
void Ravlen::setAlpha(bool alpha) { d->set(d->look.alpha.enabled, alpha, "Alpha"); }
float Ravlen::alphaValue() const { return d->look.alpha.value; }
void Ravlen::setAlphaValue(float value) { d->setWhole(d->look.alpha.value, value, 0, 255, "AlphaValue"); }
bool Ravlen::roundBorder() const { return d->look.round.enabled; }
void Ravlen::setRoundBorder(bool round) { d->set(d->look.round.enabled, round, "RoundBorder"); }
float Ravlen::roundWidth() const { return d->look.round.width; }
void Ravlen::setRoundWidth(float width) { d->setWhole(d->look.round.width, width, 0, 1000, "RoundWidth"); }
float Ravlen::roundHeight() const { return d->look.round.height; }
void Ravlen::setRoundHeight(float height) { d->setWhole(d->look.round.height, height, 0, 1000, "RoundHeight"); }
bool Ravlen::roundSizeAuto() const { return d->look.round.sizeAuto; }
void Ravlen::setRoundSizeAuto(bool automatic) { d->set(d->look.round.sizeAuto, automatic, "RoundSizeAuto"); }
Ravlen::TintTypeRL Ravlen::tintType() const { return TintTypeRL(d->look.tint.type); }
void Ravlen::setTintType(TintTypeRL type) { d->set(d->look.tint.type, type, "TintType"); }
bool Ravlen::arrowShow() const { return d->look.arrow.show; }
void Ravlen::setArrowShow(bool show) { d->set(d->look.arrow.show, show, "ArrowShow"); }
Ravlen::ArrowDirectionRL Ravlen::arrowDirection() const { return ArrowDirectionRL(d->look.arrow.direction); }
void Ravlen::setArrowDirection(ArrowDirectionRL direction)
{
    d->set(d->look.arrow.direction, direction, "ArrowDirection");
}
uint Ravlen::arrowColor() const { return d->look.arrow.color; }
void Ravlen::setArrowColor(uint colour) { d->setTranslated(d->look.arrow.color, colour, "ArrowColor"); }
Ravlen::ArrowPositionRL Ravlen::arrowPosition() const { return ArrowPositionRL(d->look.arrow.position); }
void Ravlen::setArrowPosition(ArrowPositionRL position) { d->set(d->look.arrow.position, position, "ArrowPosition"); }
float Ravlen::arrowSize() const { return d->look.arrow.size; }
void Ravlen::setArrowSize(float size) { d->setWhole(d->look.arrow.size, size, 1, 1000, "ArrowSize"); }
bool Ravlen::captionAutoAlign() const { return d->look.caption.autoAlign; }
void Ravlen::setCaptionAutoAlign(bool automatic) { d->set(d->look.caption.autoAlign, automatic, "CaptionAutoAlign"); }
Ravlen::CaptionAlignmentsRL Ravlen::captionAlignment() const { return CaptionAlignmentsRL(d->look.caption.alignment); }
void Ravlen::setCaptionAlignment(CaptionAlignmentsRL alignment)
{
    d->set(d->look.caption.alignment, alignment, "CaptionAlignment");
}
bool Ravlen::arrowSplit() const { return d->look.arrow.split; }
void Ravlen::setArrowSplit(bool split) { d->set(d->look.arrow.split, split, "ArrowSplit"); }
bool Ravlen::doubleClickEnable() const { return d->look.behaviour.doubleClickEnable; }
void Ravlen::setDoubleClickEnable(bool enable)
{
    d->set(d->look.behaviour.doubleClickEnable, enable, "DoubleClickEnable", Redraw::No);
}
bool Ravlen::texture() const { return d->look.texture.enabled; }
void Ravlen::setTexture(bool texture) { d->set(d->look.texture.enabled, texture, "Texture"); }
QPixmap Ravlen::textureImage() const { return QPixmap::fromImage(d->look.texture.image); }
void Ravlen::setTextureImage(const QPixmap &image) { d->set(d->look.texture.image, image.toImage(), "TextureImage"); }
float Ravlen::textureSize() const { return d->look.texture.size; }
void Ravlen::setTextureSize(float size) { d->setWhole(d->look.texture.size, size, 1, 100, "TextureSize"); }
float Ravlen::textureAlpha() const { return d->look.texture.alpha; }
void Ravlen::setTextureAlpha(float alpha) { d->setWhole(d->look.texture.alpha, alpha, 0, 255, "TextureAlpha"); }
Ravlen::TextureTypeRL Ravlen::textureType() const { return TextureTypeRL(d->look.texture.type); }
void Ravlen::setTextureType(TextureTypeRL type) { d->set(d->look.texture.type, type, "TextureType"); }
Ravlen::SoundEffectRL Ravlen::soundClick() const { return SoundEffectRL(d->look.sound.click); }
void Ravlen::setSoundClick(SoundEffectRL sound) { d->set(d->look.sound.click, sound, "SoundClick", Redraw::No); }
Ravlen::SoundEffectRL Ravlen::soundIn() const { return SoundEffectRL(d->look.sound.in); }
void Ravlen::setSoundIn(SoundEffectRL sound) { d->set(d->look.sound.in, sound, "SoundIn", Redraw::No); }
Ravlen::SoundEffectRL Ravlen::soundOut() const { return SoundEffectRL(d->look.sound.out); }
void Ravlen::setSoundOut(SoundEffectRL sound) { d->set(d->look.sound.out, sound, "SoundOut", Redraw::No); }
Ravlen::SoundEffectRL Ravlen::soundDown() const { return SoundEffectRL(d->look.sound.down); }
void Ravlen::setSoundDown(SoundEffectRL sound) { d->set(d->look.sound.down, sound, "SoundDown", Redraw::No); }
Ravlen::SoundEffectRL Ravlen::soundUp() const { return SoundEffectRL(d->look.sound.up); }
void Ravlen::setSoundUp(SoundEffectRL sound) { d->set(d->look.sound.up, sound, "SoundUp", Redraw::No); }
QString Ravlen::soundCustom1() const { return d->look.sound.custom1; }
void Ravlen::setSoundCustom1(const QString &path) { d->set(d->look.sound.custom1, path, "SoundCustom1", Redraw::No); }
QString Ravlen::soundCustom2() const { return d->look.sound.custom2; }
void Ravlen::setSoundCustom2(const QString &path) { d->set(d->look.sound.custom2, path, "SoundCustom2", Redraw::No); }
bool Ravlen::sound() const { return d->look.sound.sound; }
void Ravlen::setSound(bool sound) { d->set(d->look.sound.sound, sound, "Sound", Redraw::No); }
Ravlen::SettingsRL Ravlen::settings() const { return SettingsRL(d->look.behaviour.settings); }

void Ravlen::setSettings(SettingsRL action)
{
    d->look.behaviour.settings = action;
    switch (action) {
    case SettingsSave:
        SaveButtonSettings(d->look.behaviour.settingsFile);
        break;
    case SettingsLoad:
        LoadButtonSettings(d->look.behaviour.settingsFile);
        break;
    case SettingsReset:
        initNew();
        d->m_composer.loadSkin(d->look.skin.buttonStyle);
        DrawIt(d->look.behaviour.buttonState);
        break;
    default:
        break;
    }
    // A command, not a state: it always reads back as none.
    d->set(d->look.behaviour.settings, SettingsNone, "Settings", Redraw::No);
}

QString Ravlen::settingsFile() const { return d->look.behaviour.settingsFile; }
void Ravlen::setSettingsFile(const QString &fileName)
{
    d->set(d->look.behaviour.settingsFile, fileName, "SettingsFile", Redraw::No);
}
float Ravlen::borderSize() const { return d->look.border.size; }
void Ravlen::setBorderSize(float size) { d->setWhole(d->look.border.size, size, 1, 1000, "BorderSize"); }
uint Ravlen::borderColor() const { return d->look.border.color; }
void Ravlen::setBorderColor(uint colour) { d->setTranslated(d->look.border.color, colour, "BorderColor"); }
QPixmap Ravlen::mouseIcon() const { return d->mouseIcon; }

void Ravlen::setMouseIcon(const QPixmap &icon)
{
    d->applyMouseIcon(icon);
    d->notify("MouseIcon");
}

bool Ravlen::shadow() const { return d->look.shadow.enabled; }
void Ravlen::setShadow(bool shadow) { d->set(d->look.shadow.enabled, shadow, "Shadow"); }
uint Ravlen::shadowColor() const { return d->look.shadow.color; }
void Ravlen::setShadowColor(uint colour) { d->setTranslated(d->look.shadow.color, colour, "ShadowColor"); }
float Ravlen::shadowSize() const { return d->look.shadow.size; }

void Ravlen::setShadowSize(float size)
{
    // Kept as given, but a size that is no number would reach pixel
    // arithmetic later on.
    d->set(d->look.shadow.size, std::isfinite(size) ? size : d->look.shadow.size, "ShadowSize");
}

Ravlen::ShadowStyleRL Ravlen::shadowStyle() const { return ShadowStyleRL(d->look.shadow.style); }
void Ravlen::setShadowStyle(ShadowStyleRL style) { d->set(d->look.shadow.style, style, "ShadowStyle"); }
bool Ravlen::buttonIconShadow() const { return d->look.icon.shadow; }
void Ravlen::setButtonIconShadow(bool shadow) { d->set(d->look.icon.shadow, shadow, "ButtonIconShadow"); }
QString Ravlen::caption() const { return d->look.caption.text; }

void Ravlen::setCaption(const QString &caption)
{
    d->set(d->look.caption.text, caption, "Caption");
    d->captionChanged();
}

bool Ravlen::animate() const { return d->look.motion.animate; }
void Ravlen::setAnimate(bool animate) { d->set(d->look.motion.animate, animate, "Animate"); }
bool Ravlen::buttonIconAllPic() const { return d->look.icon.allPic; }
void Ravlen::setButtonIconAllPic(bool allPic) { d->set(d->look.icon.allPic, allPic, "ButtonIconAllPic"); }
bool Ravlen::captionAntiAliased() const { return d->look.caption.antiAliased; }
void Ravlen::setCaptionAntiAliased(bool antiAliased)
{
    d->set(d->look.caption.antiAliased, antiAliased, "CaptionAntiAliased");
}
Ravlen::ButtonStateRL Ravlen::buttonState() const { return ButtonStateRL(d->look.behaviour.buttonState); }
void Ravlen::setButtonState(ButtonStateRL state) { d->set(d->look.behaviour.buttonState, state, "ButtonState"); }

// ---- Events ---------------------------------------------------------------

void Ravlen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    d->m_composer.paint(painter, hasFocus());
}

void Ravlen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    DrawIt(d->look.behaviour.buttonState);
}

void Ravlen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->handleResize();
    d->geometryChanged();
}

void Ravlen::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    d->geometryChanged();
}

bool Ravlen::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (d->accessKeyId != 0 && shortcut->shortcutId() == d->accessKeyId) {
            // Several controls sharing the key take the focus in turn, as
            // Qt's own buttons do; a key of its own clicks.
            if (shortcut->isAmbiguous())
                setFocus(Qt::ShortcutFocusReason);
            else if (isEnabled())
                d->accessKeyClick();
            return true;
        }
    }
    // The face is composed at the density of the screen it is on.
    if (event->type() == QEvent::ScreenChangeInternal)
        d->redrawShownFace();
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange)
        d->redrawShownFace();
#endif
    return QWidget::event(event);
}

void Ravlen::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    d->pointerLeft();
}

void Ravlen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // System-colour references follow the palette, a dark one included.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        d->redrawShownFace();
    if (event->type() != QEvent::EnabledChange)
        return;
    if (isEnabled()) {
        d->overTimer->start();
    } else {
        // The release of a press under way never arrives now; without this a
        // later move would still drag.
        d->interaction.cancelPress();
    }
}

namespace {

MouseInput mouseInput(const QMouseEvent *event, int button)
{
    return {button, KeyCodes::shiftBits(event->modifiers()), float(event->position().x()),
            float(event->position().y())};
}

} // namespace

void Ravlen::mousePressEvent(QMouseEvent *event)
{
    // Only the three buttons the events can name take part.
    const int button = KeyCodes::mouseButtonBits(event->button());
    if (button == 0)
        return QWidget::mousePressEvent(event);
    const MouseInput input = mouseInput(event, button);
    d->run(d->interaction.press(d->interactionSettings(), input), input);
}

void Ravlen::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput input = mouseInput(event, KeyCodes::mouseButtonBits(event->buttons()));
    d->run(d->interaction.move(d->interactionSettings(), input), input);
}

void Ravlen::mouseReleaseEvent(QMouseEvent *event)
{
    const int button = KeyCodes::mouseButtonBits(event->button());
    if (button == 0)
        return QWidget::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    // Where the mask makes the button see-through it is not under the pointer.
    const bool overButton = rect().contains(at) && (mask().isEmpty() || mask().contains(at));
    const MouseInput input = mouseInput(event, button);
    d->run(d->interaction.release(d->interactionSettings(), input, overButton), input);
}

void Ravlen::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int button = KeyCodes::mouseButtonBits(event->button());
    if (button == 0)
        return QWidget::mouseDoubleClickEvent(event);
    const MouseInput input = mouseInput(event, button);
    d->run(d->interaction.doubleClick(d->interactionSettings(), input), input);
}

void Ravlen::keyPressEvent(QKeyEvent *event)
{
    // The button does nothing of its own with any key, Space and Enter
    // included: the container decides in its KeyDown handler.
    int keyCode = KeyCodes::keyCode(event->key(), event->modifiers());
    int shift = KeyCodes::shiftBits(event->modifiers());
    const QString text = event->text();
    const QPointer<Ravlen> alive(this);
    Q_EMIT KeyDown(keyCode, shift);
    if (alive && text.size() == 1) {
        int keyAscii = text.at(0).unicode();
        Q_EMIT KeyPress(keyAscii);
    }
}

void Ravlen::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    int keyCode = KeyCodes::keyCode(event->key(), event->modifiers());
    int shift = KeyCodes::shiftBits(event->modifiers());
    Q_EMIT KeyUp(keyCode, shift);
}
