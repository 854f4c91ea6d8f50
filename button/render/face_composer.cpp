#include "face_composer.h"

#include "core/ole_color.h"
#include "core/rounding.h"
#include "render/alpha_layer.h"
#include "render/arrow_layer.h"
#include "render/border_layer.h"
#include "render/caption_layer.h"
#include "render/effects.h"
#include "render/gradient_layer.h"
#include "render/icon_layer.h"
#include "render/mask_layer.h"
#include "render/picture_layer.h"
#include "render/shadow_layer.h"
#include "render/texture_layer.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcRavlen, "ravlen")

constexpr OleColor kWindowTextSystemColor = 0x80000008;
constexpr qint32 GradientStyle = 13;
enum DrawState : qint32 { Normal = 0, Over = 1, Down = 2 };

// Runs one step of a drawing. A failing step is skipped and the drawing goes
// on with the next one, so a button always ends up showing something.
template <typename Step>
void guarded(const char *step, Step &&work)
{
    try {
        work();
    } catch (const std::exception &error) {
        qCWarning(lcRavlen) << "drawing step" << step << "failed:" << error.what();
    } catch (...) {
        qCWarning(lcRavlen) << "drawing step" << step << "failed";
    }
}

} // namespace

FaceComposer::FaceComposer(const RavlenLook &look, FaceHost &host)
    : m_look(look)
    , m_host(host)
{
    m_faces.containerBackground = [this] { return containerBackground(); };
}

QSize FaceComposer::deviceFaceSize() const
{
    const QSize face = m_host.faceSize();
    return QSize(qRound(face.width() * m_ratio), qRound(face.height() * m_ratio));
}

void FaceComposer::draw(qint32 state)
{
    // Every layer draws in device pixels: measures in pixels grow with the
    // density, proportions stay as they are.
    m_ratio = std::max<qreal>(1, m_host.devicePixelRatio());
    m_faces.scale = m_ratio;
    const QSize face = deviceFaceSize();
    const bool nested = m_drawing;
    m_drawing = true;
    m_containerFresh = false;
    // A hidden button gets no resize events; its surfaces follow its size here.
    if (m_faces.pic.size() != face)
        guarded("surfaces", [&] { m_faces.resizeFace(face); });

    guarded("state", [&] { chooseStateLook(state); });
    // Stored layouts keep system-colour references as they read them; the
    // layers get every colour as the button's palette resolves it.
    const OleColor maskKey = drawnColour(m_look.skin.maskColor);
    m_drawnMaskKey = maskKey;
    m_faces.picTemp.setPenColor(drawnColour(kWindowTextSystemColor));
    TintLook tint = m_look.tint;
    tint.color = drawnColour(tint.color);
    BorderLook border = m_look.border;
    border.color = drawnColour(border.color);
    border.size = float(border.size * m_ratio);
    ArrowLook arrow = m_look.arrow;
    arrow.color = drawnColour(arrow.color);
    arrow.size = float(arrow.size * m_ratio);
    ShadowLook shadow = m_look.shadow;
    shadow.color = drawnColour(shadow.color);
    shadow.size = float(shadow.size * m_ratio);
    RoundLook round = m_look.round;
    if (!round.sizeAuto) {
        round.width = float(round.width * m_ratio);
        round.height = float(round.height * m_ratio);
    }
    // A skin without a rounded outline lays its face over the mask in the
    // next step, covering it whole.
    const bool faceIsMask = !m_look.round.enabled && m_look.skin.buttonStyle != GradientStyle
                            && !m_statePicture.isNull();
    guarded("mask", [&] {
        if (faceIsMask)
            return;
        SkinLook shape;
        shape.buttonStyle = m_look.skin.buttonStyle;
        shape.maskColor = maskKey;
        drawMaskShape(m_faces, shape, round, m_statePicture);
    });
    guarded("face", [&] {
        if (m_look.skin.buttonStyle != GradientStyle)
            drawPictureFace(m_faces, m_statePicture, tint, round, maskKey);
        else
            drawGradientLayer(m_faces, m_look.gradient);
    });
    guarded("border", [&] { drawBorderLayer(m_faces, border); });
    guarded("arrow", [&] {
        drawArrowLayer(m_faces, arrow);
        m_splitCoordinate = float(m_faces.splitCoordinate / m_ratio);
    });
    guarded("texture", [&] { drawTextureLayer(m_faces, m_look.texture); });
    guarded("shadow", [&] { drawShadowLayer(m_faces, shadow, round, maskKey); });
    guarded("alpha", [&] { drawAlphaLayer(m_faces, m_look.alpha); });

    guarded("output", [&] {
        // An empty last state counts as the normal one.
        if (!m_look.motion.fade || !fadeHasDelay() || m_lastDrawnState.value_or(Normal) == state) {
            showFaceAtOnce();
        } else {
            m_fadeLevel = 0;
            m_faces.fadeRunning = true;
            m_host.fadeTimer().start();
        }
    });
    if (m_look.motion.effectsEnabled && state == Over)
        guarded("effect", [this] { playEffect(); });
    guarded("widget mask", [&] { applyMask(maskKey); });
    m_lastDrawnState = state;

    m_drawing = nested;
    if (!m_drawing && m_resizePending) {
        m_resizePending = false;
        resized();
    }
}

void FaceComposer::chooseStateLook(qint32 state)
{
    if (state < Normal || state > Down)
        return;
    const QSize size = deviceFaceSize();
    const double lift = (size.width() + size.height()) / 100.0;
    const GradientLook &g = m_look.gradient;
    OleColor first = g.normal1;
    OleColor second = g.normal2;
    switch (state) {
    case Normal:
        m_faces.motionOffset = 0;
        break;
    case Over:
        if (m_look.motion.upMotion)
            m_faces.motionOffset = -lift;
        first = g.over1;
        second = g.over2;
        break;
    default:
        if (m_look.motion.upMotion)
            m_faces.motionOffset = lift;
        first = g.down1;
        second = g.down2;
        break;
    }
    const SkinLook &skin = m_look.skin;
    if (skin.customPic) {
        const QImage *custom[] = {&skin.picNormal, &skin.picOver, &skin.picDown};
        m_statePicture = *custom[state];
    } else {
        m_statePicture = m_skinPictures.forState(state);
    }
    if (skin.buttonStyle == GradientStyle && !skin.customPic)
        m_faces.setGradientColours(drawnColour(first), drawnColour(second));
}

OleColor FaceComposer::drawnColour(OleColor colour) const { return drawnOleColor(colour, m_host.palette()); }

bool FaceComposer::fadeHasDelay() const
{
    // A fade delay of 0 would make a timer that fires without pause (or,
    // on some platforms, never): the new face is shown at once instead.
    return roundHalfEven(m_look.motion.fadeDelay) > 0;
}

void FaceComposer::writeOutput(const Surface &source)
{
    const QImage &pixels = source.image();
    if (pixels.isNull()) {
        m_output = QImage();
        return;
    }
    // Above ratio 1 the see-through pixels become transparent; the face's
    // opaque RGB32 bytes are valid premultiplied pixels as they are.
    const QImage::Format format = m_ratio > 1 ? QImage::Format_ARGB32_Premultiplied : pixels.format();
    if (m_output.size() != pixels.size() || m_output.format() != format || !m_output.isDetached())
        m_output = QImage(pixels.size(), format);
    // The caption's points become pixels at the density of the button's screen.
    constexpr double InchesPerMeter = 1 / 0.0254;
    const QSize dpi = m_host.logicalDpi();
    m_output.setDotsPerMeterX(qRound(dpi.width() * InchesPerMeter));
    m_output.setDotsPerMeterY(qRound(dpi.height() * InchesPerMeter));
    m_output.setDevicePixelRatio(m_ratio);
    if (m_output.bytesPerLine() == pixels.bytesPerLine()) {
        std::memcpy(m_output.bits(), pixels.constBits(), size_t(pixels.sizeInBytes()));
    } else {
        const size_t row = size_t(pixels.width()) * 4;
        for (int y = 0; y < pixels.height(); ++y)
            std::memcpy(m_output.scanLine(y), pixels.constScanLine(y), row);
    }
    if (m_ratio > 1)
        cutSeeThrough();
}

void FaceComposer::cutSeeThrough()
{
    const QImage &mask = m_faces.picTemp.image();
    if (mask.size() != m_output.size())
        return;
    const QRgb key = oleToPixel(m_drawnMaskKey) & 0xFFFFFF;
    const int width = m_output.width();
    const int height = m_output.height();
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(m_output.scanLine(y));
        const QRgb *shape = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((shape[x] & 0xFFFFFF) == key)
                line[x] = 0;
        }
    }
}

void FaceComposer::showFaceAtOnce()
{
    QTimer &timer = m_host.fadeTimer();
    if (timer.isActive()) {
        timer.stop();
        m_faces.fadeRunning = false;
        m_fadeLevel = 255;
    }
    guarded("icon", [this] { drawIconLayer(m_faces, m_faces.pic, m_look.icon); });
    writeOutput(m_faces.pic);
    guarded("caption", [this] {
        drawCaptionLayer(m_output, m_faces, m_look.caption, m_look.icon, m_host.font(), m_host.palette());
    });
    // A fading button's next fade starts from the frame it shows: without
    // this, a fade cut short (or a redraw after a property change) would
    // leave an outdated frame to fade from.
    if (m_look.motion.fade)
        m_faces.pic2.blockCopy(QPoint(0, 0), m_faces.pic, m_faces.pic.rect());
    m_host.present(FaceHost::Presentation::Later);
}

void FaceComposer::presentFrame()
{
    writeOutput(m_faces.pic2);
    guarded("icon", [this] { drawIconLayer(m_faces, m_faces.pic, m_look.icon); });
    guarded("caption", [this] {
        drawCaptionLayer(m_output, m_faces, m_look.caption, m_look.icon, m_host.font(), m_host.palette());
    });
    m_host.present(FaceHost::Presentation::Now);
}

void FaceComposer::fadeTick()
{
    // An error in a tick must not unwind through the event loop; the fade
    // stops and the face is shown as it is.
    try {
        fadeStep();
    } catch (...) {
        m_host.fadeTimer().stop();
        m_faces.fadeRunning = false;
        m_fadeLevel = 255;
        qCWarning(lcRavlen) << "the fade stopped after an error";
        guarded("face", [this] { showFaceAtOnce(); });
    }
}

void FaceComposer::fadeStep()
{
    // A stored fade delay is read back unlimited; beyond 100 the level would
    // fall and the fade never end, so the step is at least 1.
    const int delay = roundHalfEven(m_look.motion.fadeDelay, 0, 100);
    m_fadeLevel = std::min(255, m_fadeLevel + (101 - delay));
    if (m_fadeLevel >= 255) {
        m_host.fadeTimer().stop();
        m_faces.fadeRunning = false;
    }
    const QRect whole = m_faces.pic.rect();
    m_faces.pic2.blend(whole, m_faces.pic, whole, m_fadeLevel);
    presentFrame();
}

void FaceComposer::playEffect()
{
    drawEffect(m_faces, m_look, [this](int) { presentFrame(); });
}

void FaceComposer::applyMask(OleColor maskKey)
{
    const QImage &pixels = m_faces.picTemp.image();
    const size_t bytes = size_t(pixels.sizeInBytes());
    const bool samePixels = m_maskPixels.size() == pixels.size() && m_maskPixels.format() == pixels.format()
                            && (bytes == 0 || std::memcmp(m_maskPixels.constBits(), pixels.constBits(), bytes) == 0);
    if (samePixels && maskKey == m_maskKey)
        return;
    if (!samePixels) {
        if (m_maskPixels.size() != pixels.size() || m_maskPixels.format() != pixels.format())
            m_maskPixels = pixels.isNull() ? QImage() : QImage(pixels.size(), pixels.format());
        if (bytes > 0)
            std::memcpy(m_maskPixels.bits(), pixels.constBits(), bytes);
    }
    m_maskKey = maskKey;

    const QRegion shape = maskRegion(logicalMask(m_faces.picTemp, maskKey, m_host.faceSize(), m_logicalMask), maskKey);
    // A face that is all mask colour is wholly see-through; Qt has no empty
    // mask (an empty region means "no mask"), so that face paints nothing.
    m_maskEmpty = shape.isEmpty() && !pixels.isNull();
    if (shape == m_maskShape)
        return;
    m_maskShape = shape;
    m_host.setShape(shape);
}

QImage FaceComposer::containerBackground()
{
    if (!m_containerFresh) {
        m_containerFresh = true;
        m_host.renderContainer(m_containerPixels);
    }
    return m_containerPixels;
}

bool FaceComposer::loadSkin(int style)
{
    if (m_look.skin.buttonStyle == GradientStyle || m_look.skin.customPic)
        return true;
    std::optional<SkinPictures> pictures = SkinLibrary::load(style);
    if (!pictures)
        return false;
    m_skinPictures = std::move(*pictures);
    return true;
}

void FaceComposer::resized()
{
    if (m_drawing) {
        m_resizePending = true;
        return;
    }
    const int run = ++m_resizeRuns;
    guarded("size", [&] {
        // The picture's pixels are the control's pixels.
        if (m_look.behaviour.autoSize && !m_statePicture.isNull() && m_statePicture.size() != m_host.faceSize())
            m_host.resizeTo(m_statePicture.size());
    });
    // A shown control handles the new size in the nested call that the line
    // above caused; this run is then outdated.
    if (run != m_resizeRuns)
        return;
    guarded("surfaces", [this] { m_faces.resizeFace(deviceFaceSize()); });
    if (m_look.border.size > 0) {
        guarded("skin", [this] { (void)loadSkin(m_look.skin.buttonStyle); });
        draw(m_look.behaviour.buttonState);
    }
}

void FaceComposer::paint(QPainter &painter, bool focusRing) const
{
    if (m_output.isNull() || m_maskEmpty)
        return;
    painter.drawImage(0, 0, m_output);
    if (focusRing)
        drawFocusRing(painter);
}

void FaceComposer::drawFocusRing(QPainter &painter) const
{
    // Drawn on the screen only: the composed face stays as the layers left it.
    // Far enough inside to clear the frames the skins draw along their edges.
    const QSize size = m_host.faceSize();
    const int inset = std::clamp(std::min(size.width(), size.height()) / 6, 3, 8);
    const QRectF ring =
        QRectF(QPointF(0, 0), QSizeF(size)).adjusted(inset + 0.5, inset + 0.5, -inset - 0.5, -inset - 0.5);
    if (ring.width() < 4 || ring.height() < 4)
        return;
    QColor colour = oleToQColor(m_look.caption.color, m_host.palette());
    colour.setAlpha(170);
    QPen pen(colour, 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // Most skins have well rounded ends; a square face takes it as well.
    const qreal radius = ring.height() / 2.6;
    painter.drawRoundedRect(ring, radius, radius);
    painter.restore();
}
