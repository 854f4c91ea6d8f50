#include "skin_styles.h"

#include "skin_painter.h"

#include <QPainter>
#include <QRandomGenerator>

#include <array>
#include <cmath>

namespace {

constexpr QRgb black = 0xFF000000;
constexpr QRgb white = 0xFFFFFFFF;

QColor rgb(QRgb value, int alpha = 255)
{
    QColor colour = QColor::fromRgb(value);
    colour.setAlpha(alpha);
    return colour;
}

template <typename T>
T pick(int state, T normal, T over, T down)
{
    return state == 1 ? over : state == 2 ? down : normal;
}

GelRecipe framed(QSize size, const RoundShape &outline, qreal rimX, qreal rimY, QRgb background)
{
    GelRecipe recipe;
    recipe.size = size;
    recipe.outline = outline.path();
    recipe.inner = outline.inset(rimX, rimY).path();
    recipe.background = [background](int, int) { return background; };
    return recipe;
}

// Pixels outside the face fade from one light colour at the top to another
// at the bottom, so the corners read as part of a pale surface.
std::function<QRgb(int, int)> verticalBackground(QRgb top, QRgb bottom, int height)
{
    return [=](int, int y) {
        const qreal t = height > 1 ? qreal(y) / (height - 1) : 0;
        auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
        return qRgb(mix(qRed(top), qRed(bottom)), mix(qGreen(top), qGreen(bottom)), mix(qBlue(top), qBlue(bottom)));
    };
}

// Two flat-ish bands meeting at a hard line: the "glass" look of several styles.
QGradientStops splitBands(qreal split, QRgb topStart, QRgb topEnd, QRgb bottomStart, QRgb bottomEnd)
{
    return stops({std::pair{0.0, rgb(topStart)},
                  {split, rgb(topEnd)},
                  {split + 0.001, rgb(bottomStart)},
                  {1.0, rgb(bottomEnd)}});
}

GelRecipe aqua(int state)
{
    const RoundShape shape{QRectF(0, 0, 300, 60), 30, 30};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.body = pick(state, stops({rgb(0x1A56B8), rgb(0x2A78D8), rgb(0x58B2F2), rgb(0x9EE2FF)}),
                       stops({rgb(0x2270D4), rgb(0x3A94EE), rgb(0x74CCFF), rgb(0xBDF0FF)}),
                       stops({rgb(0x0D3C8A), rgb(0x1A5CB0), rgb(0x3584D0), rgb(0x62AEE6)}));
    recipe.rim = pick(state, stops({rgb(0x082F6E), rgb(0x1552A0)}), stops({rgb(0x0C3E8C), rgb(0x1C6CC0)}),
                      stops({rgb(0x051F4C), rgb(0x0C3C78)}));
    recipe.gloss = {QRectF(18, 4, 264, 25), 12.5, 12.5};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 235, 245, 150));
    recipe.glossBottom = rgb(0xFFFFFF, pick(state, 45, 60, 15));
    recipe.glow = QRectF(20, 34, 260, 44);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xC4F2FF, 0xE0FAFF, 0x8ACBF2), pick(state, 170, 230, 110));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.45);
    return recipe;
}

GelRecipe cherry(int state)
{
    // One-pixel black frame round the whole picture, then the rounded face.
    const RoundShape shape{QRectF(1, 1, 298, 58), 18, 18};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.body = pick(state, stops({rgb(0xE0303A), rgb(0xB00C18), rgb(0x9A0612), rgb(0xD8232E)}),
                       stops({rgb(0xFF5058), rgb(0xD41824), rgb(0xBE0E1A), rgb(0xFF4048)}),
                       stops({rgb(0x8E0A14), rgb(0x70040C), rgb(0x62030A), rgb(0x8A0A14)}));
    recipe.rim = pick(state, stops({rgb(0x4A0006), rgb(0x6A020A)}), stops({rgb(0x5E0208), rgb(0x8A0610)}),
                      stops({rgb(0x300004), rgb(0x480006)}));
    recipe.gloss = {QRectF(14, 4, 272, 24), 12, 12};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 220, 235, 110));
    recipe.glossBottom = rgb(0xFFE0E0, pick(state, 30, 45, 10));
    recipe.glow = QRectF(30, 36, 240, 40);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xFF7A70, 0xFFA090, 0xC03030), pick(state, 170, 220, 90));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.5);
    // A small round shine near the left end: the cherry's highlight.
    recipe.finish = [state](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(rgb(0xFFFFFF, pick(state, 200, 230, 90)));
        painter.drawEllipse(QRectF(22, 8, 16, 9));
    };
    return recipe;
}

GelRecipe cream(int state)
{
    const RoundShape shape{QRectF(0, 0, 300, 60), 24, 20};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.body = pick(state, stops({rgb(0xFFF9EA), rgb(0xF7E8C6), rgb(0xE9D19E)}),
                       stops({rgb(0xFFFCF2), rgb(0xFFEFC6), rgb(0xF6D88E)}),
                       stops({rgb(0xE2CB98), rgb(0xD8BC84), rgb(0xCDAC6E)}));
    recipe.rim = pick(state, stops({rgb(0xB8925A), rgb(0x94703A)}), stops({rgb(0xD09A48), rgb(0xAA7A30)}),
                      stops({rgb(0x8A6632), rgb(0x765628)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 160, 200, 40));
    recipe.innerLightWidth = 2;
    recipe.gloss = {QRectF(14, 4, 272, 24), 14, 12};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 190, 220, 70));
    recipe.glossBottom = rgb(0xFFFFFF, pick(state, 20, 40, 0));
    recipe.glow = QRectF(30, 36, 240, 40);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xFFF4D6, 0xFFE080, 0xE8CE96), pick(state, 150, 230, 60));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.3);
    return recipe;
}

GelRecipe crystal(int state)
{
    const RoundShape shape{QRectF(1, 1, 298, 58), 12, 10};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.body = pick(state, splitBands(0.5, 0xF6FBFE, 0xD8EBF6, 0xA4CDE8, 0xD4EEFB),
                       splitBands(0.5, 0xFAFEFF, 0xDFF3FC, 0x86CDF2, 0xCCF4FF),
                       splitBands(0.5, 0xD8E8F2, 0xBCD5E6, 0x78AACC, 0x9CC8E4));
    recipe.rim = pick(state, stops({rgb(0x58809C), rgb(0x3E6480)}), stops({rgb(0x3A88BC), rgb(0x286A9C)}),
                      stops({rgb(0x2C5470), rgb(0x20445E)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 200, 230, 70));
    recipe.glow = QRectF(40, 40, 220, 36);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xE4FAFF, 0xC4F6FF, 0xA8D8F0), pick(state, 180, 240, 80));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.35);
    // A slanted streak of light, as on cut glass.
    recipe.details = [state](QPainter &painter) {
        QPainterPath streak;
        streak.moveTo(38, 4);
        streak.lineTo(62, 4);
        streak.lineTo(40, 57);
        streak.lineTo(16, 57);
        streak.closeSubpath();
        painter.fillPath(streak, rgb(0xFFFFFF, pick(state, 70, 95, 30)));
    };
    return recipe;
}

GelRecipe ice(int state)
{
    const RoundShape shape{QRectF(0, 0, 100, 40), 9, 8};
    GelRecipe recipe = framed({100, 40}, shape, 2, 2, white);
    // Light corners: white at the top, pale blue below.
    recipe.background = verticalBackground(0xFFFFFF, 0xD4EBF8, 40);
    recipe.body = pick(state, stops({rgb(0xEEF8FE), rgb(0xCDE8F8), rgb(0xB4DAF2)}),
                       stops({rgb(0xF6FCFF), rgb(0xD8F2FF), rgb(0xBAE8FF)}),
                       stops({rgb(0xC4E0F2), rgb(0xA6CEEA), rgb(0x90C0E2)}));
    recipe.rim = pick(state, stops({rgb(0x9CCAE6), rgb(0x7AB0D6)}), stops({rgb(0x78C8F2), rgb(0x4EA8E0)}),
                      stops({rgb(0x6A9EC8), rgb(0x5488B6)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 170, 220, 60));
    recipe.innerLightWidth = 1.5;
    recipe.gloss = {QRectF(5, 2.5, 90, 15), 6, 6};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 210, 235, 90));
    recipe.glossBottom = rgb(0xFFFFFF, pick(state, 40, 60, 10));
    recipe.glow = QRectF(10, 26, 80, 24);
    recipe.glowColour = rgb(0xFFFFFF, pick(state, 120, 200, 40));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.22);
    // Frost: short pale streaks and specks scattered over the pane.
    recipe.details = [state](QPainter &painter) {
        QRandomGenerator random(4041);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 26; ++i) {
            const qreal x = random.bounded(96.0) + 2;
            const qreal y = random.bounded(34.0) + 3;
            const qreal length = random.bounded(7.0) + 3;
            painter.setBrush(rgb(0xFFFFFF, pick(state, 95, 125, 55)));
            painter.drawEllipse(QRectF(x, y, length, 2));
        }
    };
    return recipe;
}

GelRecipe longhorn(int state)
{
    const RoundShape shape{QRectF(0, 0, 300, 60), 16, 14};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, white);
    recipe.body = pick(
        state,
        stops({std::pair{0.0, rgb(0x6A8799)}, {0.48, rgb(0x3E5A6B)}, {0.52, rgb(0x2B4554)}, {1.0, rgb(0x36596A)}}),
        stops({std::pair{0.0, rgb(0x7EA2B8)}, {0.48, rgb(0x4A6E84)}, {0.52, rgb(0x2F5668)}, {1.0, rgb(0x3C7488)}}),
        stops({std::pair{0.0, rgb(0x425C6C)}, {0.48, rgb(0x2C4352)}, {0.52, rgb(0x1E3240)}, {1.0, rgb(0x263E4C)}}));
    recipe.rim = pick(state, stops({rgb(0x24343E), rgb(0x1A2830)}), stops({rgb(0x2A4656), rgb(0x1E3644)}),
                      stops({rgb(0x141E24), rgb(0x10181E)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 70, 95, 25));
    recipe.gloss = {QRectF(10, 4, 280, 24), 11, 10};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 110, 140, 45));
    recipe.glossBottom = rgb(0xFFFFFF, pick(state, 25, 35, 5));
    recipe.glow = QRectF(40, 38, 220, 40);
    recipe.glowColour = rgb(pick<QRgb>(state, 0x58C0D0, 0x70E8F6, 0x3A8A9A), pick(state, 170, 230, 110));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.45);
    return recipe;
}

GelRecipe mac(int state)
{
    // A full rectangle; only the four corner pixels are cut away.
    const RoundShape shape{QRectF(0, 0, 300, 60), 0, 0};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.inner = RoundShape{QRectF(4, 3, 292, 54), 7, 6}.path();
    recipe.body = pick(state, splitBands(0.5, 0xFCFCFC, 0xEAEAEA, 0xD8D8D8, 0xF4F4F4),
                       splitBands(0.5, 0xD2E8FF, 0x8EC2F6, 0x4A98EC, 0xA8DEFF),
                       splitBands(0.5, 0x86B8EC, 0x4A86D0, 0x2462B4, 0x5C9CE0));
    recipe.rim = pick(state, stops({rgb(0x9A9A9A), rgb(0x767676)}), stops({rgb(0x3C6EAE), rgb(0x285490)}),
                      stops({rgb(0x1E4680), rgb(0x163664)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 150, 150, 60));
    recipe.glow = QRectF(30, 40, 240, 36);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xFFFFFF, 0xCCF2FF, 0x8CC8F4), pick(state, 140, 210, 90));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.35);
    return recipe;
}

GelRecipe office2007(int state)
{
    const RoundShape shape{QRectF(0, 0, 301, 61), 8, 6};
    GelRecipe recipe = framed({301, 61}, shape, 4, 3, black);
    recipe.body = pick(state, splitBands(0.42, 0xE6F0FB, 0xD6E5F7, 0xC2D8F2, 0xDCEBFA),
                       splitBands(0.42, 0xFFFBE2, 0xFFEDA8, 0xFFD850, 0xFFEA9C),
                       splitBands(0.42, 0xFCCB90, 0xF9AE66, 0xF78A2A, 0xFDBA6C));
    recipe.rim = pick(state, stops({rgb(0x9BB7DE), rgb(0x7F9FCC)}), stops({rgb(0xDCBC5A), rgb(0xC4A040)}),
                      stops({rgb(0xB47836), rgb(0x9A6226)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 190, 210, 90));
    recipe.innerLightWidth = 2;
    recipe.glow = QRectF(40, 42, 221, 36);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xEAF4FF, 0xFFF6C0, 0xFFD090), pick(state, 160, 200, 150));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.18);
    return recipe;
}

QPainterPath oozOutline()
{
    // A rounded slab of goo with drips hanging from its lower edge; each drip
    // swells out of the slab through a smooth fillet.
    constexpr qreal base = 46;
    QPainterPath goo = RoundShape{QRectF(0, 0, 300, base), 26, 22}.path();
    struct Drip {
        qreal x, width, length;
    };
    for (const Drip &drip : {Drip{66, 22, 11}, Drip{124, 16, 7.5}, Drip{196, 26, 13.5}, Drip{246, 16, 8.5}}) {
        const qreal left = drip.x - drip.width / 2;
        const qreal right = drip.x + drip.width / 2;
        const qreal fillet = drip.width * 0.45;
        const qreal radius = drip.width / 2 - 1;
        const qreal bottom = base + drip.length;
        QPainterPath blob;
        blob.moveTo(left - fillet, base - 6);
        blob.lineTo(left - fillet, base);
        blob.cubicTo(left, base, left + 1, base + 2, left + 1, bottom - radius);
        blob.arcTo(QRectF(drip.x - radius, bottom - 2 * radius, 2 * radius, 2 * radius), 180, 180);
        blob.cubicTo(right - 1, base + 2, right, base, right + fillet, base);
        blob.lineTo(right + fillet, base - 6);
        blob.closeSubpath();
        goo = goo.united(blob);
    }
    return goo.simplified();
}

GelRecipe ooz(int state)
{
    GelRecipe recipe;
    recipe.size = {300, 60};
    recipe.outline = oozOutline();
    QPainterPathStroker stroker;
    stroker.setWidth(7);
    stroker.setJoinStyle(Qt::RoundJoin);
    recipe.inner = recipe.outline.subtracted(stroker.createStroke(recipe.outline)).simplified();
    recipe.background = [](int, int) { return black; };
    // The goo is deepest where captions sit, so white text reads on it.
    recipe.body = pick(state, stops({rgb(0x8AE23E), rgb(0x3E9E12), rgb(0x2A7A0A), rgb(0x2C840C)}),
                       stops({rgb(0xB4FA5C), rgb(0x52B81C), rgb(0x36900E), rgb(0x3A9C12)}),
                       stops({rgb(0x5AA424), rgb(0x2E740C), rgb(0x1E5806), rgb(0x1E5A06)}));
    recipe.rim = pick(state, stops({rgb(0x2A7008), rgb(0x1A4E04)}), stops({rgb(0x34860A), rgb(0x22600A)}),
                      stops({rgb(0x184804), rgb(0x103404)}));
    recipe.gloss = {QRectF(16, 4, 268, 19), 9.5, 9.5};
    recipe.glossTop = rgb(0xFFFFFF, pick(state, 190, 215, 90));
    recipe.glossBottom = rgb(0xF0FFD0, pick(state, 25, 40, 5));
    recipe.glow = QRectF(30, 30, 240, 34);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xC8FF70, 0xE8FF80, 0x80C040), pick(state, 80, 120, 40));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.45);
    // Bubbles trapped in the goo, each with its own glint; they keep to the
    // ends and the drips, clear of the caption in the middle.
    recipe.details = [state](QPainter &painter) {
        struct Bubble {
            qreal x, y, r;
        };
        painter.setPen(Qt::NoPen);
        for (const Bubble &bubble : {Bubble{30, 32, 6}, Bubble{46, 39, 3.5}, Bubble{268, 31, 6}, Bubble{254, 38, 3.5},
                                     Bubble{66, 50, 4.5}, Bubble{196, 52, 5.5}}) {
            painter.setBrush(rgb(pick<QRgb>(state, 0xC8FF88, 0xDEFF9A, 0x8CCC50), 150));
            painter.drawEllipse(QPointF(bubble.x, bubble.y), bubble.r, bubble.r * 0.9);
            painter.setBrush(rgb(0xFFFFFF, pick(state, 200, 230, 110)));
            painter.drawEllipse(QPointF(bubble.x - bubble.r * 0.35, bubble.y - bubble.r * 0.35), bubble.r * 0.35,
                                bubble.r * 0.35);
        }
    };
    return recipe;
}

GelRecipe silver(int state)
{
    const RoundShape shape{QRectF(0, 0, 300, 60), 10, 8};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, white);
    // Light corners: white above, light grey below.
    recipe.background = verticalBackground(0xFFFFFF, 0xC8C8C8, 60);
    recipe.body = pick(state, stops({rgb(0xF2F2F2), rgb(0xD6D6D6), rgb(0xBCBCBC), rgb(0xD0D0D0)}),
                       stops({rgb(0xFCFCFE), rgb(0xE4E8EE), rgb(0xCCD4DE), rgb(0xE2E8F0)}),
                       stops({rgb(0xB4B4B4), rgb(0xC0C0C0), rgb(0xCACACA), rgb(0xB8B8B8)}));
    recipe.rim = pick(state, stops({rgb(0x9C9C9C), rgb(0x6E6E6E)}), stops({rgb(0x8A9AAE), rgb(0x60728A)}),
                      stops({rgb(0x6A6A6A), rgb(0x585858)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 170, 220, 30));
    recipe.innerLightWidth = 2.5;
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.3);
    // Brushing: long faint horizontal strokes, lighter and darker.
    recipe.details = [state](QPainter &painter) {
        QRandomGenerator random(7331);
        for (int i = 0; i < 260; ++i) {
            const qreal y = random.bounded(60.0);
            const qreal x = random.bounded(300.0) - 40;
            const qreal length = random.bounded(140.0) + 40;
            const bool light = random.bounded(2) == 0;
            const int alpha = int(random.bounded(pick(state, 36, 40, 28))) + 8;
            painter.setPen(QPen(light ? rgb(0xFFFFFF, alpha) : rgb(0x505050, alpha), 1.2));
            painter.drawLine(QPointF(x, y), QPointF(x + length, y));
        }
    };
    return recipe;
}

GelRecipe vista(int state)
{
    const RoundShape shape{QRectF(0, 0, 300, 60), 9, 7};
    GelRecipe recipe = framed({300, 60}, shape, 4, 3, black);
    recipe.body = pick(state, splitBands(0.48, 0xF4F4F4, 0xEAEAEA, 0xDCDCDC, 0xCDCDCD),
                       splitBands(0.48, 0xEEF8FE, 0xDAF1FD, 0xBDE6FD, 0xA2D6F4),
                       splitBands(0.48, 0xE2F2FB, 0xC2E3F5, 0x94CDEC, 0x64AED8));
    recipe.rim = pick(state, stops({rgb(0x7A7A7A), rgb(0x626262)}), stops({rgb(0x3C80B4), rgb(0x2C6A9C)}),
                      stops({rgb(0x2C628C), rgb(0x1E4C72)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 220, 230, 120));
    recipe.innerLightWidth = 2;
    recipe.glow = QRectF(40, 40, 220, 40);
    recipe.glowColour = rgb(pick<QRgb>(state, 0xF0F0F0, 0xD6F4FF, 0x8CD2F6), pick(state, 80, 180, 120));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.28);
    return recipe;
}

GelRecipe vistaTaskBar(int state)
{
    // Dark glass on a dark grey ground; this style keys out white, so white
    // is the one colour it must never contain.
    const RoundShape shape{QRectF(0, 0, 150, 60), 8, 7};
    GelRecipe recipe = framed({150, 60}, shape, 3, 3, qRgb(0x3C, 0x3C, 0x3C));
    recipe.maskColour = white;
    recipe.body = pick(state, splitBands(0.48, 0x5A6068, 0x3E444C, 0x262B31, 0x1E2227),
                       splitBands(0.48, 0x6C7886, 0x4A5664, 0x2C3846, 0x284458),
                       splitBands(0.48, 0x30363C, 0x24292E, 0x171A1E, 0x13161A));
    recipe.rim = pick(state, stops({rgb(0x202326), rgb(0x141618)}), stops({rgb(0x3A78A8), rgb(0x285C86)}),
                      stops({rgb(0x101214), rgb(0x0A0C0E)}));
    recipe.innerLight = rgb(0xFFFFFF, pick(state, 55, 80, 20));
    recipe.glow = QRectF(10, 36, 130, 44);
    recipe.glowColour = rgb(pick<QRgb>(state, 0x6A7480, 0x44AAF0, 0x2A78B8), pick(state, 90, 220, 150));
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.5);
    return recipe;
}

GelRecipe winXP(int state)
{
    const RoundShape shape{QRectF(0, 0, 100, 40), 5, 5};
    GelRecipe recipe = framed({100, 40}, shape, 2, 2, black);
    recipe.body = pick(state, stops({rgb(0xFFFFFF), rgb(0xF6F6F2), rgb(0xECEBE4), rgb(0xD8D2C6)}),
                       stops({rgb(0xFFFFFF), rgb(0xFAFAF6), rgb(0xF0EFE8), rgb(0xDED8CC)}),
                       stops({rgb(0xD8D6CC), rgb(0xE2E1DA), rgb(0xE8E7E0), rgb(0xF0F0EA)}));
    recipe.rim = stops({rgb(0x1A4C8C), rgb(0x003C74)});
    recipe.innerShadow = pick(state, 0.0, 0.0, 0.18);
    if (state == 1) {
        // The warm glow just inside the blue frame of a hovered button.
        recipe.finish = [](QPainter &painter) {
            const QPainterPath inner = RoundShape{QRectF(2, 2, 96, 36), 3, 3}.path();
            const QPainterPath core = RoundShape{QRectF(5, 5, 90, 30), 2, 2}.path();
            fillVertical(painter, inner.subtracted(core), 2, 38, stops({rgb(0xFFE6A8), rgb(0xF8B830), rgb(0xE59000)}));
        };
    }
    return recipe;
}

GelRecipe recipeFor(int style, int state)
{
    switch (style) {
    case 0:
        return aqua(state);
    case 1:
        return cherry(state);
    case 2:
        return cream(state);
    case 3:
        return crystal(state);
    case 4:
        return ice(state);
    case 5:
        return longhorn(state);
    case 6:
        return mac(state);
    case 7:
        return office2007(state);
    case 8:
        return ooz(state);
    case 9:
        return silver(state);
    case 10:
        return vista(state);
    case 11:
        return vistaTaskBar(state);
    default:
        return winXP(state);
    }
}

} // namespace

SkinStyle skinStyle(int style)
{
    static const std::array<SkinStyle, skinStyleCount> styles{{
        {QStringLiteral("Aqua"), {300, 60}, black},
        {QStringLiteral("Cherry"), {300, 60}, black},
        {QStringLiteral("Cream"), {300, 60}, black},
        {QStringLiteral("Crystal"), {300, 60}, black},
        {QStringLiteral("Ice"), {100, 40}, black},
        {QStringLiteral("Longhorn"), {300, 60}, black},
        {QStringLiteral("Mac"), {300, 60}, black},
        {QStringLiteral("Office2007"), {301, 61}, black},
        {QStringLiteral("Ooz"), {300, 60}, black},
        {QStringLiteral("Silver"), {300, 60}, black},
        {QStringLiteral("Vista"), {300, 60}, black},
        {QStringLiteral("VistaTaskBar"), {150, 60}, white},
        {QStringLiteral("WinXP"), {100, 40}, black},
    }};
    return styles.at(std::size_t(style));
}

QImage paintSkin(int style, int state)
{
    QImage picture = paintGel(recipeFor(style, state));
    if (style == 6) {
        // Mac: the single corner pixels are the only see-through ones.
        const int right = picture.width() - 1;
        const int bottom = picture.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            picture.setPixel(corner, black);
    }
    return picture;
}
