#pragma once

#include "core/ravlen_look.h"
#include "render/face_surfaces.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QString>
#include <QStringList>

// The stored caption as shown: every "~$" and the five characters after it
// become the one character with that decimal code (read as far as the five
// characters form a number; none gives character 0, codes past 0xFFFF give
// the character with that code point). Everything else is copied.
QString decodeCaption(const QString &stored);

// The lines of a shown caption: it breaks at "\r\n", "\n" and a lone "\r".
// A caption without line breaks is one line.
QStringList captionLines(const QString &shown);

// What the caption's layout depends on; sizes in pixels.
struct CaptionLayoutInput {
    double width = 0; // W, the control's inner size
    double height = 0; // H
    double textWidth = 0; // Lw, the caption set in one line (its widest line)
    double textHeight = 0; // Lh, one line's height, rounded by the caller
    // The width of every line, set in one line, when the caption has line
    // breaks; empty for a caption of one line.
    QList<double> lineWidths;
    double motionOffset = 0;
    bool autoAlign = true;
    qint32 alignment = 0; // CaptionAlignmentsRL
    bool iconShown = false;
    qint16 iconPosition = 0; // ButtonIconPosition
    IconGeometry icon;
};

// The caption's rectangle and text format. Fixed alignments keep a 5 pixel
// margin; auto alignment places the caption beside the icon, or centres it
// over as many lines as its width needs when there is no icon or the icon is
// the background. An unknown alignment keeps the previous top and bottom
// (without moving them again) and sets format 0; an unknown icon position
// under auto alignment keeps the previous rectangle, centred.
//
// A caption with line breaks is placed as one block: each of its lines
// counts as many lines as its width needs in the space it wraps in (the
// sum is the block's line count n), and the block is n lines high
// wherever one line's height was used. A caption of one line keeps the
// one-line rules, wrapped or not.
CaptionBox layoutCaption(const CaptionLayoutInput &input, const CaptionBox &previous);

// Qt text flags for a text format of CaptionBox.
int captionTextFlags(int format);

// The font the caption is drawn in: the control's font as it is (smoothed
// wherever the platform smooths it), or, anti-aliased, a smoothed font of the
// same family at the pixel height its point size has at the given density,
// bold or normal, italic and underlined as the control's font, never struck
// out.
QFont captionFont(const QFont &controlFont, bool antiAliased, int logicalDpiY);

// Lays out the caption (kept in surfaces.caption, in logical pixels) and
// writes it onto the control's output image at its device pixel ratio: first its shadow, when on, in the computed
// rectangle, then the caption itself one pixel up and left of it. An "&"
// marks the access key, shown underlined; "&&" shows one "&". The control's
// font is measured and left as it was; system-colour references are
// resolved against the control's palette, as for every other colour.
void drawCaptionLayer(QImage &output, FaceSurfaces &surfaces, const CaptionLook &caption, const IconLook &icon,
                      const QFont &controlFont, const QPalette &palette);
