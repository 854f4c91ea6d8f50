#pragma once

#include <QPixmap>
#include <QSize>

class QPainter;
class QRectF;

// The artwork of the start-up card, drawn at run time so that it is sharp at
// any window scale: the game's badge (a glossy blue tile with a white Z and
// an orange speech bubble holding a blank) and the card's deep blue face.
namespace SplashArt {

// The badge at size logical pixels for a screen of the given pixel ratio.
QPixmap badge(const QSize &size, qreal devicePixelRatio = 1.0);

// The card's face over rect: a blue gradient with a soft glow behind the
// badge, a light rule under the title block at ruleY, and a fine inner edge.
void paintCard(QPainter &painter, const QRectF &rect, qreal ruleY);

} // namespace SplashArt
