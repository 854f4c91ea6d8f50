#include "gallery_window.h"

#include "backdrop.h"
#include "property_panel.h"
#include "sample_pictures.h"

#include "RavlenLib/ravlen.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaEnum>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A dark palette for the whole application; the buttons' system colours
// follow it as Qt's own widgets do.
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Light, QColor(90, 90, 96));
    dark.setColor(QPalette::Midlight, QColor(75, 75, 80));
    dark.setColor(QPalette::Mid, QColor(40, 40, 44));
    dark.setColor(QPalette::Dark, QColor(25, 25, 28));
    dark.setColor(QPalette::Shadow, QColor(0, 0, 0));
    dark.setColor(QPalette::Highlight, QColor(60, 120, 200));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::Link, QColor(110, 170, 255));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    return dark;
}

constexpr uint White = 0xFFFFFF;
constexpr uint Ink = 0x2A2A2A;

// Skins light enough to need a dark caption.
bool lightSkin(int style)
{
    switch (style) {
    case Ravlen::Cream:
    case Ravlen::Crystal:
    case Ravlen::Ice:
    case Ravlen::Mac:
    case Ravlen::Office2007:
    case Ravlen::Silver:
    case Ravlen::Vista:
    case Ravlen::WinXP:
        return true;
    default:
        return false;
    }
}

QVariant picture(SamplePictures::Icon kind) { return SamplePictures::icon(kind); }

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A titled frame around one part of the gallery.
QGroupBox *group(const QString &title, QWidget *content)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(content);
    return box;
}

// The grid a group's buttons go in; a backdrop keeps a margin of its colours
// around them.
QGridLayout *buttonGrid(QWidget *content, int margin = 0)
{
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(margin, margin, margin, margin);
    return grid;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("RavlenLib gallery"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(stylesPanel());
    layout->addWidget(layersPanel(), 1);
    layout->addWidget(livePanel());
    // Shows the keyboard focus ring as well.
    m_live->setFocus();
}

void GalleryWindow::setDarkPalette(bool dark) { m_dark->setChecked(dark); }

QWidget *GalleryWindow::makeButton(QWidget *parent, QSize size, const QString &caption, Properties properties)
{
    auto *button = new Ravlen(parent);
    button->setFixedSize(size);
    button->setProperty("Caption", caption);
    for (const auto &[name, value] : properties)
        button->setProperty(name, value);
    return button;
}

QWidget *GalleryWindow::stylesPanel()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    const char *states[] = {"rl_Normal", "rl_Over", "rl_Down"};
    for (int state = 0; state < 3; ++state)
        grid->addWidget(heading(QString::fromLatin1(states[state])), 0, state);
    const QMetaEnum styles = QMetaEnum::fromType<Ravlen::RavlenStyles>();
    for (int i = 0; i < styles.keyCount(); ++i) {
        const int style = styles.value(i);
        const bool light = lightSkin(style);
        for (int state = 0; state < 3; ++state) {
            QWidget *button = makeButton(panel, QSize(124, 40), QString::fromLatin1(styles.key(i)),
                                         {{"ButtonStyle", style},
                                          {"Fade", false},
                                          {"CaptionColor", light ? Ink : White},
                                          {"CaptionShadow", !light},
                                          {"CaptionShadowColor", 0x202020u},
                                          {"CaptionAntiAliased", true},
                                          {"ButtonState", state}});
            grid->addWidget(button, i + 1, state);
        }
    }
    auto *note = new QLabel(QStringLiteral("Each button is drawn with ButtonState 0, 1 or 2 and Fade off. "
                                           "The hover state ends on the last frame of its hover effect "
                                           "(Fx_BorderGlow, the default)."));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(note, styles.keyCount() + 1, 0, 1, 3);
    grid->setRowStretch(styles.keyCount() + 1, 1);
    return group(QStringLiteral("Styles in their three states"), panel);
}

QWidget *GalleryWindow::layersPanel()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(8);
    grid->addWidget(tintGroup(), 0, 0);
    grid->addWidget(outlineGroup(), 0, 1);
    grid->addWidget(textureGroup(), 1, 0);
    grid->addWidget(arrowGroup(), 1, 1);
    grid->addWidget(alphaGroup(), 2, 0);
    grid->addWidget(shadowGroup(), 2, 1);
    grid->addWidget(iconGroup(), 3, 0, 1, 2);
    grid->addWidget(captionGroup(), 4, 0, 1, 2);
    return panel;
}

QGroupBox *GalleryWindow::tintGroup()
{
    auto *content = new QWidget;
    QGridLayout *grid = buttonGrid(content);
    const QMetaEnum types = QMetaEnum::fromType<Ravlen::TintTypeRL>();
    for (int i = 0; i < types.keyCount(); ++i) {
        grid->addWidget(makeButton(content, QSize(118, 36), QString::fromLatin1(types.key(i)),
                                   {{"ButtonStyle", int(Ravlen::Silver)},
                                    {"Tint", true},
                                    {"TintColor", 0x3C8CF0u},
                                    {"TintType", types.value(i)},
                                    {"CaptionColor", i == Ravlen::TintFrost || i == Ravlen::TintGlow ? Ink : White},
                                    {"CaptionShadow", i != Ravlen::TintFrost && i != Ravlen::TintGlow},
                                    {"CaptionAntiAliased", true}}),
                        i / 3, i % 3);
    }
    return group(QStringLiteral("Tint over the Silver skin"), content);
}

QGroupBox *GalleryWindow::outlineGroup()
{
    auto *content = new QWidget;
    QGridLayout *grid = buttonGrid(content);
    const Properties common = {
        {"ButtonStyle", int(Ravlen::Gradient)}, {"CaptionShadow", true}, {"CaptionAntiAliased", true}};
    const auto gradient = [&](const QString &caption, Properties extra) {
        QWidget *button = makeButton(content, QSize(118, 36), caption, common);
        for (const auto &[name, value] : extra)
            button->setProperty(name, value);
        return button;
    };
    grid->addWidget(gradient(QStringLiteral("Horizontal"), {{"GradientNormal1", 0x8A3B12u},
                                                            {"GradientNormal2", 0xE8B45Cu},
                                                            {"BorderStyle", int(Ravlen::Border_SimpleBox)},
                                                            {"BorderColor", 0x4A1E08u}}),
                    0, 0);
    grid->addWidget(gradient(QStringLiteral("Vertical 3D"), {{"GradientStyle", int(Ravlen::Vertical)},
                                                             {"GradientNormal1", 0x7FE0A0u},
                                                             {"GradientNormal2", 0x1E7A2Eu},
                                                             {"BorderStyle", int(Ravlen::Border_Shaded3D)},
                                                             {"BorderSize", 3},
                                                             {"BorderColor", 0x3A9A4Au}}),
                    0, 1);
    grid->addWidget(gradient(QStringLiteral("Radial"), {{"GradientStyle", int(Ravlen::Radial)},
                                                        {"GradientNormal1", 0x40F0FFu},
                                                        {"GradientNormal2", 0x1030C0u}}),
                    0, 2);
    grid->addWidget(gradient(QStringLiteral("Round auto"), {{"RoundBorder", true},
                                                            {"GradientStyle", int(Ravlen::Vertical)},
                                                            {"GradientNormal1", 0xF0A070u},
                                                            {"GradientNormal2", 0x903010u}}),
                    1, 0);
    grid->addWidget(gradient(QStringLiteral("Round 30 x 30"), {{"RoundBorder", true},
                                                               {"RoundSizeAuto", false},
                                                               {"RoundWidth", 30},
                                                               {"RoundHeight", 30},
                                                               {"GradientStyle", int(Ravlen::Vertical)},
                                                               {"GradientNormal1", 0xD070D0u},
                                                               {"GradientNormal2", 0x601060u}}),
                    1, 1);
    grid->addWidget(gradient(QStringLiteral("Round skin"), {{"ButtonStyle", int(Ravlen::Cherry)},
                                                            {"RoundBorder", true},
                                                            {"RoundSizeAuto", false},
                                                            {"RoundWidth", 12},
                                                            {"RoundHeight", 12}}),
                    1, 2);
    return group(QStringLiteral("Gradients, borders and round outlines"), content);
}

QGroupBox *GalleryWindow::textureGroup()
{
    auto *content = new QWidget;
    QGridLayout *grid = buttonGrid(content);
    const QMetaEnum types = QMetaEnum::fromType<Ravlen::TextureTypeRL>();
    for (int i = 0; i < types.keyCount(); ++i) {
        grid->addWidget(makeButton(content, QSize(136, 40), QString::fromLatin1(types.key(i)),
                                   {{"ButtonStyle", int(Ravlen::Aqua)},
                                    {"Texture", true},
                                    {"TextureImage", SamplePictures::texture()},
                                    {"TextureSize", 6},
                                    {"TextureAlpha", 70},
                                    {"TextureType", types.value(i)},
                                    {"CaptionShadow", true},
                                    {"CaptionAntiAliased", true}}),
                        i / 2, i % 2);
    }
    return group(QStringLiteral("Texture over the Aqua skin"), content);
}

QGroupBox *GalleryWindow::alphaGroup()
{
    auto *backdrop = new Backdrop;
    QGridLayout *grid = buttonGrid(backdrop, 10);
    int column = 0;
    for (int value : {50, 110, 170}) {
        grid->addWidget(makeButton(backdrop, QSize(110, 34), QStringLiteral("Alpha %1").arg(value),
                                   {{"ButtonStyle", int(Ravlen::Cherry)},
                                    {"Alpha", true},
                                    {"AlphaValue", value},
                                    {"CaptionShadow", true},
                                    {"CaptionAntiAliased", true}}),
                        0, column++);
    }
    return group(QStringLiteral("Alpha: the container shows through"), backdrop);
}

QGroupBox *GalleryWindow::shadowGroup()
{
    auto *backdrop = new Backdrop;
    QGridLayout *grid = buttonGrid(backdrop, 10);
    // The rings of Shadow_Normal darken by the square of their number: it
    // needs a few of them to show.
    const int sizes[] = {10, 6, 4, 4};
    const QMetaEnum styles = QMetaEnum::fromType<Ravlen::ShadowStyleRL>();
    for (int i = 0; i < styles.keyCount(); ++i) {
        grid->addWidget(makeButton(backdrop, QSize(124, 54), QString::fromLatin1(styles.key(i)).mid(7),
                                   {{"ButtonStyle", int(Ravlen::Crystal)},
                                    {"Shadow", true},
                                    {"ShadowStyle", styles.value(i)},
                                    {"ShadowSize", sizes[i]},
                                    {"ShadowColor", 0x200808u},
                                    {"CaptionColor", Ink},
                                    {"CaptionAntiAliased", true}}),
                        i / 2, i % 2);
    }
    return group(QStringLiteral("Shadow: normal, glass, box, round"), backdrop);
}

QGroupBox *GalleryWindow::arrowGroup()
{
    auto *content = new QWidget;
    QGridLayout *grid = buttonGrid(content);
    struct Arrow {
        const char *caption;
        int position;
        int direction;
        QSize size;
        int alignment;
    };
    const Arrow arrows[] = {
        {"Right", Ravlen::PositionRight, Ravlen::ArrowDown, QSize(124, 36), Ravlen::AlignMiddleLeft},
        {"Left", Ravlen::PositionLeft, Ravlen::ArrowLeft, QSize(124, 36), Ravlen::AlignMiddleRight},
        {"Middle", Ravlen::PositionMiddle, Ravlen::ArrowRight, QSize(124, 36), Ravlen::AlignTopLeft},
        {"Bottom", Ravlen::PositionBottom, Ravlen::ArrowDown, QSize(124, 50), Ravlen::AlignTopCenter},
        {"Top", Ravlen::PositionTop, Ravlen::ArrowUp, QSize(124, 50), Ravlen::AlignBottomCenter},
    };
    int index = 0;
    for (const Arrow &arrow : arrows) {
        grid->addWidget(makeButton(content, arrow.size, QString::fromLatin1(arrow.caption),
                                   {{"ButtonStyle", int(Ravlen::Office2007)},
                                    {"ArrowShow", true},
                                    {"ArrowPosition", arrow.position},
                                    {"ArrowDirection", arrow.direction},
                                    {"ArrowSize", 4},
                                    {"ArrowColor", 0x6A4A20u},
                                    {"CaptionAutoAlign", false},
                                    {"CaptionAlignment", arrow.alignment},
                                    {"CaptionColor", Ink},
                                    {"CaptionAntiAliased", true}}),
                        index / 3, index % 3);
        ++index;
    }
    return group(QStringLiteral("Split-button arrows"), content);
}

QGroupBox *GalleryWindow::iconGroup()
{
    auto *content = new QWidget;
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    struct Icon {
        const char *caption;
        int position;
        SamplePictures::Icon picture;
        int style;
        QSize size;
        int iconSize;
    };
    const Icon icons[] = {
        {"Play", Ravlen::LeftIcon, SamplePictures::Icon::Play, Ravlen::Longhorn, QSize(130, 44), 80},
        {"Favourite", Ravlen::TopIcon, SamplePictures::Icon::Star, Ravlen::Mac, QSize(92, 84), 45},
        {"Like", Ravlen::RightIcon, SamplePictures::Icon::Heart, Ravlen::Cherry, QSize(130, 44), 80},
        {"Done", Ravlen::BottomIcon, SamplePictures::Icon::Ribbon, Ravlen::Vista, QSize(92, 84), 80},
        {"World", Ravlen::BackgroundIcon, SamplePictures::Icon::Globe, Ravlen::Ooz, QSize(130, 44), 60},
    };
    for (const Icon &icon : icons) {
        const bool light = lightSkin(icon.style);
        row->addWidget(makeButton(content, icon.size, QString::fromLatin1(icon.caption),
                                  {{"ButtonStyle", icon.style},
                                   {"ButtonIcon", picture(icon.picture)},
                                   {"ButtonIconShow", true},
                                   {"ButtonIconPos", icon.position},
                                   {"ButtonIconSize", icon.iconSize},
                                   {"CaptionColor", light ? Ink : White},
                                   {"CaptionShadow", !light},
                                   {"CaptionAntiAliased", true}}));
    }
    row->addStretch();
    return group(QStringLiteral("Icons: left, top, right, bottom, background"), content);
}

QGroupBox *GalleryWindow::captionGroup()
{
    auto *content = new QWidget;
    QGridLayout *grid = buttonGrid(content);
    const QMetaEnum alignments = QMetaEnum::fromType<Ravlen::CaptionAlignmentsRL>();
    for (int i = 0; i < alignments.keyCount(); ++i) {
        const QString name = QString::fromLatin1(alignments.key(i)).mid(5); // without "Align"
        grid->addWidget(makeButton(content, QSize(112, 44), name,
                                   {{"ButtonStyle", int(Ravlen::Gradient)},
                                    {"GradientStyle", int(Ravlen::Vertical)},
                                    {"GradientNormal1", 0xF2D9B8u},
                                    {"GradientNormal2", 0x8C5A2Eu},
                                    {"CaptionAutoAlign", false},
                                    {"CaptionAlignment", alignments.value(i)},
                                    {"CaptionColor", White},
                                    {"CaptionShadow", true},
                                    {"CaptionAntiAliased", true}}),
                        i % 3, i / 3);
    }
    grid->addWidget(makeButton(content, QSize(112, 44), QStringLiteral("&Save ~$08364"),
                               {{"ButtonStyle", int(Ravlen::WinXP)}, {"CaptionColor", Ink}}),
                    0, 3);
    grid->addWidget(makeButton(content, QSize(112, 44), QStringLiteral("Smooth"),
                               {{"ButtonStyle", int(Ravlen::VistaTaskBar)},
                                {"CaptionAntiAliased", true},
                                {"CaptionShadow", true},
                                {"CaptionShadowColor", 0x000000u}}),
                    1, 3);
    grid->addWidget(makeButton(content, QSize(112, 44), QStringLiteral("Shadowed"),
                               {{"ButtonStyle", int(Ravlen::Ice)},
                                {"CaptionColor", 0x7A3A10u},
                                {"CaptionShadow", true},
                                {"CaptionShadowColor", 0xE8D0B0u},
                                {"CaptionAntiAliased", true}}),
                    2, 3);
    return group(QStringLiteral("Caption alignments, access key, escapes, smoothing and shadow"), content);
}

QWidget *GalleryWindow::livePanel()
{
    auto *stage = new Backdrop;
    stage->setFixedHeight(120);
    auto *live = makeButton(stage, QSize(240, 64), QStringLiteral("&Try me"),
                            {{"ButtonStyle", int(Ravlen::Aqua)},
                             {"CaptionShadow", true},
                             {"CaptionAntiAliased", true},
                             {"ButtonIcon", picture(SamplePictures::Icon::Star)},
                             {"ButtonIconSize", 70},
                             {"TextureImage", SamplePictures::texture()},
                             {"TextureSize", 8},
                             {"TextureAlpha", 70},
                             {"ArrowSize", 5}});
    live->move(50, 28);
    m_live = live;

    auto *scroll = new QScrollArea;
    scroll->setWidget(new PropertyPanel(live));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_dark = new QCheckBox(QStringLiteral("Dar&k palette"));
    const QPalette light = QApplication::palette();
    connect(m_dark, &QCheckBox::toggled, this,
            [light](bool on) { QApplication::setPalette(on ? darkPalette() : light); });

    auto *panel = new QWidget;
    panel->setFixedWidth(340);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dark);
    layout->addWidget(stage);
    layout->addWidget(scroll, 1);
    return group(QStringLiteral("One button, by its properties"), panel);
}
