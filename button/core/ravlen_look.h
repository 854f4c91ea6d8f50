#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>

// The state of one Ravlen button, grouped by the part of the face or the
// behaviour each group feeds. The widget owns one RavlenLook; its property
// setters write it (rounding and clamping first), stored properties and
// settings files write it directly, and every layer of the drawing pipeline
// reads only the group it draws.
//
// Field types follow the button's public vocabulary: Boolean is bool,
// "32-bit" is qint32 (enumerations accept any 32-bit value), "16-bit" is
// qint16, Single is float. Colours are OLE colours: red in the lowest byte,
// then green, then blue; a value with the high bit set names a system colour.
// Pictures are held as QImage (empty when not set).

using OleColor = quint32;

constexpr quint8 oleRed(OleColor colour) { return colour & 0xFF; }
constexpr quint8 oleGreen(OleColor colour) { return (colour >> 8) & 0xFF; }
constexpr quint8 oleBlue(OleColor colour) { return (colour >> 16) & 0xFF; }
constexpr OleColor oleRgb(int r, int g, int b) { return OleColor(r) | (OleColor(g) << 8) | (OleColor(b) << 16); }

struct SkinLook {
    qint32 buttonStyle = 0; // RavlenStyles; 13 is the gradient face
    bool customPic = false; // the three pictures below replace the skin
    QImage picNormal;
    QImage picOver;
    QImage picDown;
    OleColor maskColor = 0; // the see-through key colour
};

struct GradientLook {
    OleColor normal1 = 0x0000FF; // red
    OleColor normal2 = 0x00FFFF; // yellow
    OleColor over1 = 0xFF0000; // blue
    OleColor over2 = 0x0000FF;
    OleColor down1 = 0x00FF00; // green
    OleColor down2 = 0x00FFFF;
    qint32 style = 0; // GradientStyles
};

struct TintLook {
    bool enabled = false;
    OleColor color = 1500000;
    qint16 bright = 0; // -255..255
    qint32 type = 0; // TintTypeRL
};

struct BorderLook {
    qint32 style = 0; // BorderStylesRL
    float size = 1; // 1..1000; also the line width of later layers
    OleColor color = 0;
};

struct RoundLook {
    bool enabled = false; // RoundBorder
    float width = 5;
    float height = 5;
    bool sizeAuto = true;
};

struct TextureLook {
    bool enabled = false;
    QImage image;
    float size = 1; // 1..100
    float alpha = 100; // 0..255
    qint32 type = 0; // TextureTypeRL
};

struct AlphaLook {
    bool enabled = false;
    float value = 150; // 0..255
};

struct ShadowLook {
    bool enabled = false;
    OleColor color = 0;
    float size = 6; // kept as set
    qint32 style = 0; // ShadowStyleRL
};

struct ArrowLook {
    bool show = false;
    qint32 direction = 0; // ArrowDirectionRL
    OleColor color = 0xFFFFFF;
    qint32 position = 0; // ArrowPositionRL
    float size = 5; // 1..1000
    bool split = true;
};

struct CaptionLook {
    QString text = QStringLiteral("Ravlen"); // as stored: "~$" escapes undecoded
    OleColor color = 0xFFFFFF;
    bool autoAlign = true;
    qint32 alignment = 0; // CaptionAlignmentsRL
    bool shadow = false;
    OleColor shadowColor = 0x404040;
    bool antiAliased = false;
};

struct IconLook {
    QImage icon;
    bool show = false;
    qint16 position = 0; // ButtonIconPosition
    float size = 80; // percent, 0..1000
    bool shadow = true; // the halo
    bool allPic = true; // drawn as a colour-keyed picture, not as an icon
};

struct MotionLook {
    bool fade = true;
    float fadeDelay = 75; // 0..100 ms
    bool effectsEnabled = true; // EnableEffects
    qint32 effects = 0; // EffectsRL
    bool upMotion = false;
    bool animate = true;
};

struct SoundLook {
    bool sound = false; // master switch
    qint32 click = 0; // SoundEffectRL for each moment
    qint32 in = 0;
    qint32 out = 0;
    qint32 down = 0;
    qint32 up = 0;
    QString custom1;
    QString custom2;
};

struct BehaviourLook {
    bool userDrag = false;
    bool doubleClickEnable = false;
    bool autoSize = false;
    qint32 settings = 0; // SettingsRL; reads back 0
    QString settingsFile = QStringLiteral("Ravlen.rls");
    qint32 buttonState = 0; // ButtonStateRL
};

struct RavlenLook {
    SkinLook skin;
    GradientLook gradient;
    TintLook tint;
    BorderLook border;
    RoundLook round;
    TextureLook texture;
    AlphaLook alpha;
    ShadowLook shadow;
    ArrowLook arrow;
    CaptionLook caption;
    IconLook icon;
    MotionLook motion;
    SoundLook sound;
    BehaviourLook behaviour;
};
