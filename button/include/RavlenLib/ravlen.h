#pragma once

#include "ravlenlib_export.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

/*!
 * \file ravlen.h
 * The Ravlen widget, RavlenLib's push button.
 */

class PropertyBag;
class RavlenPrivate;

/*!
 * \brief A skinnable push button.
 *
 * The face is composed off-screen from layers (skin or gradient, tint,
 * border, arrow, texture, shadow, transparency, icon, caption) and shown in
 * one of three drawing states: normal, hover and pressed. A change of state
 * can fade, and the hover state can play an effect.
 *
 * Properties keep the names the game and its stored window layouts use
 * (ButtonStyle, GradientNormal1, ...); their C++ accessors follow Qt.
 * Colours are OLE colours (0x00BBGGRR); a value with the high bit set
 * (0x80000000 + index) refers to a system colour. "Translated" colour
 * properties resolve such a reference against the widget's palette when set
 * and keep the RGB value; the others keep the reference. "Whole" Single
 * properties are rounded to the nearest whole number (halves to even), then
 * limited to their range. Single properties are float in C++ and double in
 * the meta-object (property(), setProperty(), Qt Designer and .ui files, which
 * know no float); a value set through the meta-object is made a float first.
 * Enumeration properties accept any 32-bit value.
 * "Redraws" means the setter calls DrawIt(ButtonState) after storing.
 *
 * Every setter emits storedPropertyChanged() with the property's stored key,
 * so that a container knows its stored layout is out of date.
 *
 * A new Ravlen is initialised as a newly placed button (see initNew()); to
 * restore one from a stored layout, call readProperties() next.
 *
 * Input. A 1 ms hover poll (the timer OverTimer) raises MouseIn and MouseOut,
 * once per entry and exit, and stops while the pointer is elsewhere or
 * stands still over the button; a move over the button starts it again, and
 * leaving the button raises MouseOut at once. A left press draws the pressed state, any
 * release the hover state, leaving draws normal; with Animate False nothing
 * is redrawn but every event and sound still happens. A press of any of the
 * three mouse buttons released over the button is a click: Click, or
 * RightClick for the right button. A press in the zone of a split arrow
 * raises ArrowMouseDown instead of MouseDown, and no click follows it.
 * Ctrl+Alt+right-click also saves the look to "name-caption.rls" (with
 * "(index)" after the name when the host sets the dynamic property
 * controlIndex) in the current folder. No key presses the button, Space and
 * Enter included: keys only raise KeyDown, KeyPress and KeyUp. The access
 * key of the caption ("&S": Alt+S) clicks it, as does an assistive tool's
 * press action. A handler may delete the button from any event.
 *
 * Events are signals with the event's name. Their arguments are references:
 * a handler connected with a direct connection (the default within one
 * thread) may change them; a queued connection sees copies.
 *
 * In Qt Designer (the plugin installs with the library) the button sits in
 * the widget box under "RavlenLib"; every property is in the property editor,
 * enumerations as drop-down lists, and a form that holds buttons builds with
 * uic like any other.
 */
class RAVLENLIB_EXPORT Ravlen : public QWidget
{
    Q_OBJECT
    //! True. Enables the widget; a disabled button takes no input and looks the same. No redraw.
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    //! The container's font (the parent's, or the application font). The caption's font. Redraws.
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    //! Border_None. The border drawn around the face. Redraws.
    Q_PROPERTY(BorderStylesRL BorderStyle READ borderStyle WRITE setBorderStyle)
    //! 0xFFFFFF (white) for a new button. The caption's colour, not translated. Redraws.
    Q_PROPERTY(uint CaptionColor READ captionColor WRITE setCaptionColor)
    //! False. Tints the skin with TintColor. Redraws.
    Q_PROPERTY(bool Tint READ tint WRITE setTint)
    //! 1500000 (0x16E360). Translated. Redraws.
    Q_PROPERTY(uint TintColor READ tintColor WRITE setTintColor)
    //! 0, limited to -255..255. Brightens or darkens the tint. Redraws.
    Q_PROPERTY(int TintBright READ tintBright WRITE setTintBright)
    //! Empty. The normal-state picture when CustomPic is set. Redraws.
    Q_PROPERTY(QPixmap picNormal READ picNormal WRITE setPicNormal)
    //! Empty. The hover-state picture when CustomPic is set. Redraws.
    Q_PROPERTY(QPixmap picOver READ picOver WRITE setPicOver)
    //! Empty. The pressed-state picture when CustomPic is set. Redraws.
    Q_PROPERTY(QPixmap picDown READ picDown WRITE setPicDown)
    //! False. True: picNormal, picOver and picDown replace the style's skin. Redraws.
    Q_PROPERTY(bool CustomPic READ customPic WRITE setCustomPic)
    //! Empty. The icon drawn beside or behind the caption. Redraws.
    Q_PROPERTY(QPixmap ButtonIcon READ buttonIcon WRITE setButtonIcon)
    //! False. Shows ButtonIcon. Redraws.
    Q_PROPERTY(bool ButtonIconShow READ buttonIconShow WRITE setButtonIconShow)
    //! 0 (black). Face pixels of exactly this colour are see-through; not translated. Redraws.
    Q_PROPERTY(uint MaskColor READ maskColor WRITE setMaskColor)
    //! LeftIcon. Where the icon sits; kept in 16 bits (beyond them limited to -32768..32767). Redraws.
    Q_PROPERTY(ButtonIconPosition ButtonIconPos READ buttonIconPos WRITE setButtonIconPos)
    //! 255 (red). Gradient start colour, normal state. Translated. Redraws.
    Q_PROPERTY(uint GradientNormal1 READ gradientNormal1 WRITE setGradientNormal1)
    //! 65535 (yellow). Gradient end colour, normal state. Translated. Redraws.
    Q_PROPERTY(uint GradientNormal2 READ gradientNormal2 WRITE setGradientNormal2)
    //! 0xFF0000 (blue). Gradient start colour, hover state. Translated. Redraws.
    Q_PROPERTY(uint GradientOver1 READ gradientOver1 WRITE setGradientOver1)
    //! 255 (red). Gradient end colour, hover state. Translated. Redraws.
    Q_PROPERTY(uint GradientOver2 READ gradientOver2 WRITE setGradientOver2)
    //! 65280 (green). Gradient start colour, pressed state. Translated. Redraws.
    Q_PROPERTY(uint GradientDown1 READ gradientDown1 WRITE setGradientDown1)
    //! 65535 (yellow). Gradient end colour, pressed state. Translated. Redraws.
    Q_PROPERTY(uint GradientDown2 READ gradientDown2 WRITE setGradientDown2)
    //! Horizontal. Direction of the gradient face. Redraws.
    Q_PROPERTY(GradientStyles GradientStyle READ gradientStyle WRITE setGradientStyle)
    //! False. Lifts icon and caption on hover, lowers them when pressed. Stored only.
    Q_PROPERTY(bool UpMotion READ upMotion WRITE setUpMotion)
    //! False. Shift+press drags the focused control. Stored only.
    Q_PROPERTY(bool UserDrag READ userDrag WRITE setUserDrag)
    //! True. Fades from one drawn state to the next. Redraws.
    Q_PROPERTY(bool Fade READ fade WRITE setFade)
    //! 75, whole, 0..100. Also the fade timer's interval in milliseconds. Redraws.
    Q_PROPERTY(double FadeDelay READ fadeDelay WRITE setFadeDelay)
    //! False. Draws a shadow 1 pixel below and right of the caption. Redraws.
    Q_PROPERTY(bool CaptionShadow READ captionShadow WRITE setCaptionShadow)
    //! 0x404040. Translated. Redraws.
    Q_PROPERTY(uint CaptionShadowColor READ captionShadowColor WRITE setCaptionShadowColor)
    //! False. True: the button takes the size of its state picture. Runs the resize handling; no other redraw.
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    //! Fx_BorderGlow. The hover effect. Redraws.
    Q_PROPERTY(EffectsRL Effects READ effects WRITE setEffects)
    //! True. Plays the hover effect on hover. Redraws.
    Q_PROPERTY(bool EnableEffects READ enableEffects WRITE setEnableEffects)
    //! 80, whole, 0..1000: the icon's size in percent. Redraws.
    Q_PROPERTY(double ButtonIconSize READ buttonIconSize WRITE setButtonIconSize)
    //! Aqua. Loads the style's skin and sets MaskColor (white for VistaTaskBar, black otherwise). Redraws.
    Q_PROPERTY(RavlenStyles ButtonStyle READ buttonStyle WRITE setButtonStyle)
    //! False. Lets the container show through the face. Redraws.
    Q_PROPERTY(bool Alpha READ alpha WRITE setAlpha)
    //! 150, whole, 0..255: how much of the container shows through the face (0 none, 255 the container alone). Redraws.
    Q_PROPERTY(double AlphaValue READ alphaValue WRITE setAlphaValue)
    //! False. Rounds the button's outline. Redraws.
    Q_PROPERTY(bool RoundBorder READ roundBorder WRITE setRoundBorder)
    //! 5, whole, 0..1000: corner width in pixels. Redraws.
    Q_PROPERTY(double RoundWidth READ roundWidth WRITE setRoundWidth)
    //! 5, whole, 0..1000: corner height in pixels. Redraws.
    Q_PROPERTY(double RoundHeight READ roundHeight WRITE setRoundHeight)
    //! True. Corners follow the button's size instead of RoundWidth and RoundHeight. Redraws.
    Q_PROPERTY(bool RoundSizeAuto READ roundSizeAuto WRITE setRoundSizeAuto)
    //! TintNormal. Redraws.
    Q_PROPERTY(TintTypeRL TintType READ tintType WRITE setTintType)
    //! False. Shows the split-button arrow. Redraws.
    Q_PROPERTY(bool ArrowShow READ arrowShow WRITE setArrowShow)
    //! ArrowDown. Redraws.
    Q_PROPERTY(ArrowDirectionRL ArrowDirection READ arrowDirection WRITE setArrowDirection)
    //! 0xFFFFFF (white). Translated. Redraws.
    Q_PROPERTY(uint ArrowColor READ arrowColor WRITE setArrowColor)
    //! PositionRight. Where the arrow and its press zone lie. Redraws.
    Q_PROPERTY(ArrowPositionRL ArrowPosition READ arrowPosition WRITE setArrowPosition)
    //! 5, whole, 1..1000. Redraws.
    Q_PROPERTY(double ArrowSize READ arrowSize WRITE setArrowSize)
    //! True. Lays the caption out by itself (beside the icon); False uses CaptionAlignment. Redraws.
    Q_PROPERTY(bool CaptionAutoAlign READ captionAutoAlign WRITE setCaptionAutoAlign)
    //! AlignMiddleCenter. Used when CaptionAutoAlign is False. Redraws.
    Q_PROPERTY(CaptionAlignmentsRL CaptionAlignment READ captionAlignment WRITE setCaptionAlignment)
    //! True. A press on the arrow raises ArrowMouseDown instead of a click. Redraws.
    Q_PROPERTY(bool ArrowSplit READ arrowSplit WRITE setArrowSplit)
    //! False. True: a double click raises DblClick; False: it counts as a second Click. Stored only.
    Q_PROPERTY(bool DoubleClickEnable READ doubleClickEnable WRITE setDoubleClickEnable)
    //! False. Lays a texture over the face. Redraws.
    Q_PROPERTY(bool Texture READ texture WRITE setTexture)
    //! Empty. The texture picture. Redraws.
    Q_PROPERTY(QPixmap TextureImage READ textureImage WRITE setTextureImage)
    //! 1, whole, 1..100. Redraws.
    Q_PROPERTY(double TextureSize READ textureSize WRITE setTextureSize)
    //! 100, whole, 0..255. Redraws.
    Q_PROPERTY(double TextureAlpha READ textureAlpha WRITE setTextureAlpha)
    //! TextureGlass. Redraws.
    Q_PROPERTY(TextureTypeRL TextureType READ textureType WRITE setTextureType)
    //! Sound_None. Sound on a click or double click. Stored only, any value.
    Q_PROPERTY(SoundEffectRL SoundClick READ soundClick WRITE setSoundClick)
    //! Sound_None. Sound when the pointer enters. Stored only, any value.
    Q_PROPERTY(SoundEffectRL SoundIn READ soundIn WRITE setSoundIn)
    //! Sound_None. Sound when the pointer leaves. Stored only, any value.
    Q_PROPERTY(SoundEffectRL SoundOut READ soundOut WRITE setSoundOut)
    //! Sound_None. Sound on a press. Stored only, any value.
    Q_PROPERTY(SoundEffectRL SoundDown READ soundDown WRITE setSoundDown)
    //! Sound_None. Sound on a release. Stored only, any value.
    Q_PROPERTY(SoundEffectRL SoundUp READ soundUp WRITE setSoundUp)
    //! "". Path of the wave file Sound_Custom1 plays. Stored only.
    Q_PROPERTY(QString SoundCustom1 READ soundCustom1 WRITE setSoundCustom1)
    //! "". Path of the wave file Sound_Custom2 plays. Stored only.
    Q_PROPERTY(QString SoundCustom2 READ soundCustom2 WRITE setSoundCustom2)
    //! False. Master switch for all the button's sounds. Stored only.
    Q_PROPERTY(bool Sound READ sound WRITE setSound)
    //! A command, always reads SettingsNone: SettingsLoad and SettingsSave use SettingsFile, SettingsReset makes the button new.
    Q_PROPERTY(SettingsRL Settings READ settings WRITE setSettings)
    //! "Ravlen.rls". The settings file the Settings command uses. Stored only.
    Q_PROPERTY(QString SettingsFile READ settingsFile WRITE setSettingsFile)
    //! 1, whole, 1..1000. Also the line width of the later layers. Redraws.
    Q_PROPERTY(double BorderSize READ borderSize WRITE setBorderSize)
    //! 0 (black). Translated. Redraws.
    Q_PROPERTY(uint BorderColor READ borderColor WRITE setBorderColor)
    //! The library's hand cursor. The mouse cursor over the button; empty shows a pointing hand. No redraw.
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon)
    //! False. Draws a shadow under the face. Redraws.
    Q_PROPERTY(bool Shadow READ shadow WRITE setShadow)
    //! 0 (black). Translated. Redraws.
    Q_PROPERTY(uint ShadowColor READ shadowColor WRITE setShadowColor)
    //! 6. Kept as set (not made whole, not limited); a value that is not a finite number is ignored. Redraws.
    Q_PROPERTY(double ShadowSize READ shadowSize WRITE setShadowSize)
    //! Shadow_Normal. Redraws.
    Q_PROPERTY(ShadowStyleRL ShadowStyle READ shadowStyle WRITE setShadowStyle)
    //! True. Draws a soft halo around the icon. Redraws.
    Q_PROPERTY(bool ButtonIconShadow READ buttonIconShadow WRITE setButtonIconShadow)
    //! "Ravlen". "&" marks the access key; "~$" and five digits stand for one character. Redraws.
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    //! True. False: hover and presses do not redraw (events and sounds still happen). Redraws.
    Q_PROPERTY(bool Animate READ animate WRITE setAnimate)
    //! True. Draws the icon as a picture keyed on its top-left pixel instead of as an icon. Redraws.
    Q_PROPERTY(bool ButtonIconAllPic READ buttonIconAllPic WRITE setButtonIconAllPic)
    //! False. Smooths the caption's letters. Redraws.
    Q_PROPERTY(bool CaptionAntiAliased READ captionAntiAliased WRITE setCaptionAntiAliased)
    //! rl_Normal. Draws the button in this state at once (DrawIt), wherever the pointer is.
    Q_PROPERTY(ButtonStateRL ButtonState READ buttonState WRITE setButtonState)

public:
    //! The built-in looks (ButtonStyle): thirteen skins, each three pictures (normal, hover, pressed)
    //! stretched over the whole face, and Gradient, which paints the face from the state's two
    //! gradient colours instead.
    enum RavlenStyles : qint32 {
        Aqua = 0,
        Cherry = 1,
        Cream = 2,
        Crystal = 3,
        Ice = 4,
        Longhorn = 5,
        Mac = 6,
        Office2007 = 7,
        Ooz = 8,
        Silver = 9,
        Vista = 10,
        VistaTaskBar = 11, //!< Its corners are white, so selecting it sets MaskColor to white.
        WinXP = 12,
        Gradient = 13, //!< No skin: the face is the gradient of the state's two colours.
    };
    Q_ENUM(RavlenStyles)

    //! The three drawing states of DrawIt() and ButtonState.
    enum ButtonStateRL : qint32 {
        rl_Normal = 0, //!< The pointer is elsewhere.
        rl_Over = 1, //!< The pointer is over the button (hover).
        rl_Down = 2, //!< The button is pressed.
    };
    Q_ENUM(ButtonStateRL)

    //! How the shadow layer (Shadow) darkens the face's surroundings.
    enum ShadowStyleRL : qint32 {
        Shadow_Normal = 0, //!< A soft shadow that darkens towards the middle of the silhouette.
        Shadow_Glass = 1, //!< A faint, even shadow over the whole silhouette.
        Shadow_Box = 2, //!< A solid box in ShadowColor, offset down and right by twice ShadowSize.
        Shadow_Round = 3, //!< As Shadow_Box, with the corners of RoundBorder.
    };
    Q_ENUM(ShadowStyleRL)

    //! The commands of the Settings property.
    enum SettingsRL : qint32 {
        SettingsNone = 0, //!< Does nothing; what the property always reads back.
        SettingsLoad = 1, //!< Applies SettingsFile, as LoadButtonSettings() does.
        SettingsSave = 2, //!< Writes the look to SettingsFile, as SaveButtonSettings() does.
        SettingsReset = 3, //!< Makes the button newly placed again (initNew()), size and font included.
    };
    Q_ENUM(SettingsRL)

    //! What a sound property plays: nothing, one of the ten sounds built into the library, or the
    //! wave file named by SoundCustom1 or SoundCustom2.
    enum SoundEffectRL : qint32 {
        Sound_None = 0, //!< Silence.
        Sound_1 = 1, //!< The first of the library's ten built-in sounds; Sound_2 to Sound_10 are the others.
        Sound_2 = 2,
        Sound_3 = 3,
        Sound_4 = 4,
        Sound_5 = 5,
        Sound_6 = 6,
        Sound_7 = 7,
        Sound_8 = 8,
        Sound_9 = 9,
        Sound_10 = 10,
        Sound_Custom1 = 98, //!< The wave file named by SoundCustom1.
        Sound_Custom2 = 99, //!< The wave file named by SoundCustom2.
    };
    Q_ENUM(SoundEffectRL)

    //! How the texture layer (Texture, TextureImage) mixes the texture into the face.
    enum TextureTypeRL : qint32 {
        TextureGlass = 0, //!< The face into the texture (255 - TextureAlpha), then that mixture into the face.
        TextureScreen = 1, //!< The texture laid over the face with TextureAlpha.
        TextureShine = 2, //!< The face into the texture, then that mixture into the face, both with TextureAlpha.
        TextureBump = 3, //!< Drawn as TextureShine.
    };
    Q_ENUM(TextureTypeRL)

    //! Where the caption sits when CaptionAutoAlign is False: vertical position, then horizontal,
    //! each with a margin of 5 pixels.
    enum CaptionAlignmentsRL : qint32 {
        AlignMiddleCenter = 0,
        AlignTopCenter = 1,
        AlignBottomCenter = 2,
        AlignMiddleLeft = 3,
        AlignTopLeft = 4,
        AlignBottomLeft = 5,
        AlignMiddleRight = 6,
        AlignTopRight = 7,
        AlignBottomRight = 8,
    };
    Q_ENUM(CaptionAlignmentsRL)

    //! Which way the split arrow (ArrowShow) points.
    enum ArrowDirectionRL : qint32 {
        ArrowDown = 0,
        ArrowUp = 1,
        ArrowRight = 2,
        ArrowLeft = 3,
    };
    Q_ENUM(ArrowDirectionRL)

    //! Where the split arrow and its press zone lie; PositionMiddle draws the arrow in the middle
    //! without a separate press zone.
    enum ArrowPositionRL : qint32 {
        PositionRight = 0,
        PositionLeft = 1,
        PositionBottom = 2,
        PositionTop = 3,
        PositionMiddle = 4, //!< In the middle of the face; no press zone of its own.
    };
    Q_ENUM(ArrowPositionRL)

    //! How Tint colours the skin with TintColor and TintBright.
    enum TintTypeRL : qint32 {
        TintNormal = 0,
        TintMetal = 1,
        TintGlow = 2,
        TintBlend = 3,
        TintFrost = 4,
    };
    Q_ENUM(TintTypeRL)

    //! The hover effect (Effects) that plays when the pointer enters, if EnableEffects is set.
    enum EffectsRL : qint32 {
        Fx_BorderGlow = 0, //!< The edge glows up while the middle stays sharp.
        Fx_BorderShine = 1, //!< A glow sweeps out from the edge.
        Fx_Glow = 2, //!< The whole face brightens.
        Fx_Blink = 3, //!< The face blinks once from the previous state.
        Fx_Ghost = 4, //!< Fading copies of the face drift sideways.
        Fx_Flash = 5, //!< A copy of the face flies in from the icon's side.
    };
    Q_ENUM(EffectsRL)

    //! Where ButtonIcon sits; the automatic caption layout (CaptionAutoAlign) keeps the caption clear of it.
    enum ButtonIconPosition : qint32 {
        LeftIcon = 0,
        TopIcon = 1,
        RightIcon = 2,
        BottomIcon = 3,
        BackgroundIcon = 4, //!< Stretched behind the caption over nine tenths of the face.
    };
    Q_ENUM(ButtonIconPosition)

    //! The direction of the Gradient style's face.
    enum GradientStyles : qint32 {
        Horizontal = 0,
        Vertical = 1,
        Radial = 2, //!< From the middle outwards.
    };
    Q_ENUM(GradientStyles)

    //! The border drawn in BorderColor and BorderSize around the face.
    enum BorderStylesRL : qint32 {
        Border_None = 0, //!< No border.
        Border_SimpleBox = 1, //!< A plain outline.
        Border_Shaded3D = 2, //!< BorderSize outlines, each further out 10 darker per channel.
    };
    Q_ENUM(BorderStylesRL)

    //! A newly placed button (see initNew()), a child of \a parent.
    explicit Ravlen(QWidget *parent = nullptr);
    //! Destroys the button with its timers, surfaces and sounds.
    ~Ravlen() override;

    //! Writes the look to a settings file (".rls"); an empty name writes nothing, and
    //! a file that cannot be written is left as it was.
    Q_INVOKABLE void SaveButtonSettings(const QString &FileName);
    //! Applies a settings file, then reloads the skin and redraws (also when
    //! the file cannot be read). An empty name does nothing.
    Q_INVOKABLE void LoadButtonSettings(const QString &FileName);
    //! Composes and shows the face for a drawing state (ButtonStateRL), fading
    //! to it when Fade is set; ButtonState itself is left as it is.
    Q_INVOKABLE void DrawIt(int state);
    //! Plays the hover effect chosen by Effects, whether or not EnableEffects is set.
    Q_INVOKABLE void DrawEffect();
    //! Repaints from what is already drawn, without composing again.
    Q_INVOKABLE void Refresh();

    //! \brief Restores the button from a stored layout.
    //!
    //! The container's side of the stored layout. readProperties() puts the
    // stored values straight into the fields: nothing is limited, no colour
    // is translated, nothing is redrawn and nothing is announced (except
    //! MouseIcon, which goes through its setter). A missing key gives its
    //! default; a CaptionColor missing from the bag gives 0x80000012, the
    //! system's button-text colour, and a missing MouseIcon the library's
    //! hand cursor. The temporary folder, under which the built-in sounds get a
    //! folder of the user's own when the session has no runtime folder, is
    //! taken from TMP, else TEMP, else the system's temporary folder.
    //! The button draws itself when it is next shown.
    void readProperties(const PropertyBag &bag);
    //! \brief Stores the button into a layout's bag.
    //!
    //! Leaves out every value equal to its default (MouseIcon's written default
    //! is empty, so the hand cursor is written), so that the bag holds only what
    //! sets this button apart; readProperties() gives the same button back.
    void writeProperties(PropertyBag &bag) const;

    //! Makes the button as newly placed: enabled, the container's font, every
    //! property at its default (MaskColor through its setter, the rest
    //! without drawing or announcing), the hand cursor, 81 x 33 pixels. The
    //! fade timer keeps its interval.
    void initNew();

    //! 81 x 33 pixels, a newly placed button's size, whatever the caption:
    //! the skins stretch to any size, so layouts may make it larger or smaller.
    QSize sizeHint() const override;

    //! \brief Enables or disables the button and announces the change.
    //!
    //! Enabled and Font: these hide QWidget's setters so that setting them
    //! on a Ravlen announces the change (and for the font redraws); through a
    //! QWidget pointer they change the widget without announcing it.
    void setEnabled(bool enabled);
    //! Gives the caption its font, announces the change and redraws; see setEnabled().
    void setFont(const QFont &font);

    //! \name Property accessors
    //!@{

    //! \brief The C++ side of the property of the same name.
    //!
    //! One pair for each property: the getter has the property's name in lower
    //! camel case (buttonStyle() for ButtonStyle), the setter "set" and the
    //! property's name (setButtonStyle()). A getter reads back the stored
    //! value; a setter does what its property's description says (limits,
    //! colour translation, redraw) and emits storedPropertyChanged() with the
    //! property's name.
    BorderStylesRL borderStyle() const;
    void setBorderStyle(BorderStylesRL style);
    uint captionColor() const;
    void setCaptionColor(uint colour);
    bool tint() const;
    void setTint(bool tint);
    uint tintColor() const;
    void setTintColor(uint colour);
    int tintBright() const;
    void setTintBright(int bright);
    QPixmap picNormal() const;
    void setPicNormal(const QPixmap &picture);
    QPixmap picOver() const;
    void setPicOver(const QPixmap &picture);
    QPixmap picDown() const;
    void setPicDown(const QPixmap &picture);
    bool customPic() const;
    void setCustomPic(bool custom);
    QPixmap buttonIcon() const;
    void setButtonIcon(const QPixmap &icon);
    bool buttonIconShow() const;
    void setButtonIconShow(bool show);
    uint maskColor() const;
    void setMaskColor(uint colour);
    ButtonIconPosition buttonIconPos() const;
    void setButtonIconPos(ButtonIconPosition position);
    uint gradientNormal1() const;
    void setGradientNormal1(uint colour);
    uint gradientNormal2() const;
    void setGradientNormal2(uint colour);
    uint gradientOver1() const;
    void setGradientOver1(uint colour);
    uint gradientOver2() const;
    void setGradientOver2(uint colour);
    uint gradientDown1() const;
    void setGradientDown1(uint colour);
    uint gradientDown2() const;
    void setGradientDown2(uint colour);
    GradientStyles gradientStyle() const;
    void setGradientStyle(GradientStyles style);
    bool upMotion() const;
    void setUpMotion(bool upMotion);
    bool userDrag() const;
    void setUserDrag(bool userDrag);
    bool fade() const;
    void setFade(bool fade);
    float fadeDelay() const;
    void setFadeDelay(float delay);
    bool captionShadow() const;
    void setCaptionShadow(bool shadow);
    uint captionShadowColor() const;
    void setCaptionShadowColor(uint colour);
    bool autoSize() const;
    void setAutoSize(bool autoSize);
    EffectsRL effects() const;
    void setEffects(EffectsRL effect);
    bool enableEffects() const;
    void setEnableEffects(bool enable);
    float buttonIconSize() const;
    void setButtonIconSize(float size);
    RavlenStyles buttonStyle() const;
    void setButtonStyle(RavlenStyles style);
    bool alpha() const;
    void setAlpha(bool alpha);
    float alphaValue() const;
    void setAlphaValue(float value);
    bool roundBorder() const;
    void setRoundBorder(bool round);
    float roundWidth() const;
    void setRoundWidth(float width);
    float roundHeight() const;
    void setRoundHeight(float height);
    bool roundSizeAuto() const;
    void setRoundSizeAuto(bool automatic);
    TintTypeRL tintType() const;
    void setTintType(TintTypeRL type);
    bool arrowShow() const;
    void setArrowShow(bool show);
    ArrowDirectionRL arrowDirection() const;
    void setArrowDirection(ArrowDirectionRL direction);
    uint arrowColor() const;
    void setArrowColor(uint colour);
    ArrowPositionRL arrowPosition() const;
    void setArrowPosition(ArrowPositionRL position);
    float arrowSize() const;
    void setArrowSize(float size);
    bool captionAutoAlign() const;
    void setCaptionAutoAlign(bool automatic);
    CaptionAlignmentsRL captionAlignment() const;
    void setCaptionAlignment(CaptionAlignmentsRL alignment);
    bool arrowSplit() const;
    void setArrowSplit(bool split);
    bool doubleClickEnable() const;
    void setDoubleClickEnable(bool enable);
    bool texture() const;
    void setTexture(bool texture);
    QPixmap textureImage() const;
    void setTextureImage(const QPixmap &image);
    float textureSize() const;
    void setTextureSize(float size);
    float textureAlpha() const;
    void setTextureAlpha(float alpha);
    TextureTypeRL textureType() const;
    void setTextureType(TextureTypeRL type);
    SoundEffectRL soundClick() const;
    void setSoundClick(SoundEffectRL sound);
    SoundEffectRL soundIn() const;
    void setSoundIn(SoundEffectRL sound);
    SoundEffectRL soundOut() const;
    void setSoundOut(SoundEffectRL sound);
    SoundEffectRL soundDown() const;
    void setSoundDown(SoundEffectRL sound);
    SoundEffectRL soundUp() const;
    void setSoundUp(SoundEffectRL sound);
    QString soundCustom1() const;
    void setSoundCustom1(const QString &path);
    QString soundCustom2() const;
    void setSoundCustom2(const QString &path);
    bool sound() const;
    void setSound(bool sound);
    SettingsRL settings() const;
    void setSettings(SettingsRL action);
    QString settingsFile() const;
    void setSettingsFile(const QString &fileName);
    float borderSize() const;
    void setBorderSize(float size);
    uint borderColor() const;
    void setBorderColor(uint colour);
    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap &icon);
    bool shadow() const;
    void setShadow(bool shadow);
    uint shadowColor() const;
    void setShadowColor(uint colour);
    float shadowSize() const;
    void setShadowSize(float size);
    ShadowStyleRL shadowStyle() const;
    void setShadowStyle(ShadowStyleRL style);
    bool buttonIconShadow() const;
    void setButtonIconShadow(bool shadow);
    QString caption() const;
    void setCaption(const QString &caption);
    bool animate() const;
    void setAnimate(bool animate);
    bool buttonIconAllPic() const;
    void setButtonIconAllPic(bool allPic);
    bool captionAntiAliased() const;
    void setCaptionAntiAliased(bool antiAliased);
    ButtonStateRL buttonState() const;
    void setButtonState(ButtonStateRL state);
    //!@}

Q_SIGNALS:
    // Events, in this order. Arguments are references: a handler connected
    // directly may change them. Button: 1 left, 2 right, 4 middle; Shift:
    // 1 Shift, 2 Ctrl, 4 Alt; X, Y: pixels within the button.

    //! A left or middle press released over the button, the access key, or an
    //! assistive tool's press; not after a press on the split arrow.
    void Click();
    //! The second click of a double click, when DoubleClickEnable is set
    //! (otherwise that click is a Click).
    void DblClick();
    //! A key went down while the button has the focus. \a KeyCode is the
    //! desktop's virtual-key number (see KeyCodes), \a Shift the modifier bits.
    void KeyDown(int &KeyCode, int &Shift);
    //! A key produced the character \a KeyAscii.
    void KeyPress(int &KeyAscii);
    //! A key went up; arguments as for KeyDown().
    void KeyUp(int &KeyCode, int &Shift);
    //! A mouse button went down over the button, outside the split arrow's zone.
    void MouseDown(int &Button, int &Shift, float &X, float &Y);
    //! The pointer moved over the button, or anywhere while a press lasts.
    void MouseMove(int &Button, int &Shift, float &X, float &Y);
    //! A mouse button went up after a press on the button.
    void MouseUp(int &Button, int &Shift, float &X, float &Y);
    //! The pointer entered the button (raised once per entry by the hover poll).
    void MouseIn();
    //! The pointer left the button.
    void MouseOut();
    //! A press on the split arrow's zone (ArrowShow with ArrowSplit): the place
    //! to open a drop-down menu. No MouseDown or click follows it.
    void ArrowMouseDown();
    //! A right press released over the button.
    void RightClick();
    //! The second right click of a double click, when DoubleClickEnable is set.
    void RightDblClick();

    //! A stored property changed; \a key is its name in the stored layout. A
    //! container connects it to mark its stored layout as out of date.
    void storedPropertyChanged(const QString &key);

protected:
    //! \name Event handlers
    //!@{

    //! \brief Qt's event handler, reimplemented for the button.
    //!
    //! Input goes to the button's interaction logic (which raises the events
    //! above and draws the states), size and show changes recompose the face,
    //! and paintEvent() copies the face composed last. A subclass that
    //! reimplements one should call it.
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    //!@}

private:
    friend class RavlenPrivate;
    std::unique_ptr<RavlenPrivate> const d;
};
