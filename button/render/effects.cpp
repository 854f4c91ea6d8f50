#include "effects.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"
#include "render/icon_layer.h"

#include <algorithm>
#include <random>

namespace {

enum Effect { Fx_BorderGlow, Fx_BorderShine, Fx_Glow, Fx_Blink, Fx_Ghost, Fx_Flash };
enum IconPosition { LeftIcon, TopIcon, RightIcon, BottomIcon, BackgroundIcon };

constexpr auto Lighten = Surface::BlendFormat::Lighten;

std::mt19937 &ghostRandom()
{
    static std::mt19937 generator(DefaultGhostSeed);
    return generator;
}

// Uniform in [0, 1).
double nextGhostNumber() { return ghostRandom()() / 4294967296.0; }

QRect insideBorder(QSize face, double inset)
{
    // A thick border on a small face reaches past the face's middle; beyond
    // the face's own extent the rectangle is empty anyway.
    const double extent = face.width() + face.height();
    inset = std::clamp(inset, -extent, extent);
    return QRect(roundHalfEven(inset), roundHalfEven(inset), roundHalfEven(face.width() - 2 * inset),
                 roundHalfEven(face.height() - 2 * inset));
}

struct FlashOffsets {
    int dx = 0;
    int dy = 0;
    int dw = 0;
    int dh = 0;
};

// Where Fx_Flash's frame i sits, by icon position: the flash comes from the
// side the icon is on.
FlashOffsets flashOffsets(qint16 iconPosition, int i)
{
    switch (iconPosition) {
    case LeftIcon:
        return {i, 0, i, 0};
    case TopIcon:
        return {0, i, 0, i};
    case RightIcon:
        return {-i, 0, -i, 0};
    case BottomIcon:
        return {0, -i, 0, -i};
    case BackgroundIcon:
        return {-i, -i, 2 * i, 2 * i};
    default:
        return {};
    }
}

} // namespace

void reseedGhostRandom(quint32 seed) { ghostRandom().seed(seed); }

void drawEffect(FaceSurfaces &s, const RavlenLook &look, const PresentFrame &presentFrame)
{
    Surface &pic = s.pic;
    Surface &pic2 = s.pic2;
    const int w = pic.width();
    const int h = pic.height();
    const QRect whole = pic.rect();
    const int delay = roundHalfEven(look.motion.fadeDelay / 100.0);
    const auto present = [&] {
        if (presentFrame)
            presentFrame(delay);
    };
    switch (look.motion.effects) {
    case Fx_BorderGlow: {
        const QRect inner = insideBorder(pic.size(), (w + h) * limitedSize(look.border.size, 1, 1000) / 100 + 1);
        for (int i = 0; i <= 20; ++i) {
            pic2.blend(whole, pic, whole, 20, Lighten);
            pic2.blend(inner, pic, inner, 100);
            present();
        }
        break;
    }
    case Fx_BorderShine: {
        const QRect inner = insideBorder(pic.size(), (w + h) * limitedSize(look.border.size, 1, 1000) / 100);
        for (int i = 0; i <= 10; ++i) {
            pic2.blend(QRect(i, i, w + i, h + i), pic, whole, 20, Lighten);
            pic2.blend(inner, pic, inner, 100);
            present();
        }
        break;
    }
    case Fx_Glow: {
        const QImage remembered = pic2.basePicture();
        for (int i = 0; i <= 5; ++i) {
            pic2.blend(whole, pic, whole, 30, Lighten);
            present();
        }
        pic2.setBasePicture(remembered);
        break;
    }
    case Fx_Blink:
        for (int i = 0; i <= 250; i += 10) {
            if (i <= 130 || i >= 250)
                continue;
            pic2.blend(whole, pic, whole, i);
            present();
        }
        break;
    case Fx_Ghost: {
        const QImage remembered = pic2.basePicture();
        drawIconLayer(s, pic, look.icon);
        pic2.removeBasePicture();
        for (int i = 0; i <= 10; ++i) {
            const double r1 = nextGhostNumber();
            const double r2 = nextGhostNumber();
            pic2.blend(QRect(i, roundHalfEven(3 - 6 * r1), w + i, roundHalfEven(6 * r2 + h)), pic, whole, 65 - 5 * i,
                       Lighten);
            present();
        }
        pic2.setBasePicture(remembered);
        break;
    }
    case Fx_Flash:
        drawIconLayer(s, pic, look.icon);
        pic2.setBasePicture(pic.image());
        for (int i = 10; i >= 0; --i) {
            const FlashOffsets d = flashOffsets(look.icon.position, i);
            pic2.blend(QRect(4 * d.dx, 4 * d.dy, w + 4 * d.dw, h + 4 * d.dh), pic, whole, 50 - 5 * i);
            present();
        }
        break;
    default:
        break;
    }
}
