#pragma once

#include <QFont>
#include <QPalette>
#include <QString>

class QApplication;

// The game's window skin: one calm blue-grey look for every window of the
// program, in the colours of the Aqua buttons. It is handed to the
// application once, so every window opened later is drawn in it too.
//
// The skin is a palette, a style sheet and a small style under it (see
// SkinStyle). It styles the standard controls only (tab control, frames,
// lists, options, check boxes, scroll bars, text boxes, message boxes, tool
// tips) and never sets a background on a window or on a text box: the
// board's background and the player boxes' colours are the game's own, set
// through their palettes. The game's buttons draw themselves and are left
// alone.
//
// Under an application style sheet Qt no longer hands a font or palette set
// on a widget down to the children it already has; a child created later
// still starts from its parent's.
class Skinner
{
public:
    // The colours every window starts from.
    static QPalette palette();

    // The font of everything a window's design does not set: the windows'
    // own face and size, at scale.
    static QFont font(double scale = 1.0);

    // The style sheet for windows whose design pixel is scale screen pixels.
    static QString styleSheet(double scale = 1.0);

    // Gives the application the skin's style, palette, font and style sheet. Only
    // the first call of a run does so (restyling every window again would
    // cost a repaint of each); returns whether this call attached it.
    static bool attach(QApplication &app, double scale);

    static bool isAttached(const QApplication &app);
};
