#pragma once

#include <QImage>
#include <QString>

// The thirteen skinned button styles, in the order of their style numbers.
struct SkinStyle {
    QString name; // resource base name, as the button library spells it
    QSize size;
    QRgb maskColour; // the colour the button keys out as see-through
};

constexpr int skinStyleCount = 13;
constexpr int skinStateCount = 3; // normal, hover, pressed

SkinStyle skinStyle(int style);

// The picture of one style in one state (0 normal, 1 hover, 2 pressed).
QImage paintSkin(int style, int state);
