#include "services/forms/skinner.h"

#include "services/forms/skin_colours.h"
#include "services/forms/skin_style.h"

#include <QApplication>

#include <cmath>

namespace {

const char kAttachedProperty[] = "zorbelSkinAttached";

// The shades the controls are made of, around the shared colours.
const QColor kBase(0xfb, 0xfc, 0xfd);
const QColor kAlternateBase(0xec, 0xf0, 0xf4);
const QColor kButton(0xdd, 0xe3, 0xea);
const QColor kLink(0x1f, 0x5f, 0xae);
const QColor kToolTipBase(0x2e, 0x3d, 0x50);
const QColor kToolTipText(0xf3, 0xf6, 0xfa);
constexpr double kFontPoints = 9.75;

// The sheet, with sizes in design pixels written as @N@ and scaled when the
// sheet is made, so that indicators grow with the windows' scaled fonts.
const char kStyleSheet[] = R"(
QToolTip {
    color: #f3f6fa;
    background-color: #2e3d50;
    border: 1px solid #1d2835;
    border-radius: @4@px;
    padding: @3@px @6@px;
}

QTabWidget::pane {
    border: 1px solid #8796a8;
    border-radius: @6@px;
    top: -1px;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f6f8fa, stop: 1 #e8ecf1);
}
QTabBar::tab {
    color: #3a4c61;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #eef1f5, stop: 1 #d0d8e1);
    border: 1px solid #8796a8;
    border-top-left-radius: @6@px;
    border-top-right-radius: @6@px;
    padding: @2@px @12@px;
    margin-top: @3@px;
    margin-right: @2@px;
}
QTabBar::tab:hover:!selected {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f8fafc, stop: 1 #dfe6ee);
}
QTabBar::tab:selected {
    color: #12304f;
    background: #f6f8fa;
    border-top: @3@px solid #2f74c8;
    border-bottom-color: #f6f8fa;
    margin-top: 0px;
}

QGroupBox {
    border: 1px solid #8796a8;
    border-radius: @6@px;
    margin-top: @9@px;
    padding-top: @4@px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: @10@px;
    padding: 0px @4@px;
    color: #22466e;
}

QComboBox {
    color: #1c2633;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #e2e8ee);
    border: 1px solid #8796a8;
    border-radius: @5@px;
    padding: 0px @2@px 0px @5@px;
    /* a plain list below the box, whose items the sheet can colour */
    combobox-popup: 0;
}
QComboBox:hover, QComboBox:focus {
    border-color: #2f74c8;
}
QComboBox:disabled {
    color: #86919e;
    background: #e4e8ed;
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: center right;
    width: @13@px;
    border: none;
}
QComboBox::down-arrow {
    image: url(:/skin/arrow-down.png);
    width: @9@px;
    height: @9@px;
}
QComboBox::down-arrow:disabled {
    image: url(:/skin/arrow-down-disabled.png);
}
QComboBox QAbstractItemView {
    color: #1c2633;
    background: #fbfcfd;
    border: 1px solid #8796a8;
    padding: 1px;
    outline: 0px;
}
QComboBox QAbstractItemView::item {
    min-height: @20@px;
    padding: 0px @5@px;
}
QComboBox QAbstractItemView::item:selected {
    color: #ffffff;
    background: #2f74c8;
}

QRadioButton, QCheckBox {
    spacing: @5@px;
}
QRadioButton:disabled, QCheckBox:disabled {
    color: #86919e;
}
QRadioButton::indicator, QCheckBox::indicator {
    width: @12@px;
    height: @12@px;
    border: 1px solid #7d8ca0;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #dde4eb);
}
QRadioButton::indicator {
    border-radius: @6.5@px;
}
QCheckBox::indicator {
    border-radius: @3@px;
}
QRadioButton::indicator:hover, QCheckBox::indicator:hover {
    border-color: #2f74c8;
}
QRadioButton::indicator:checked {
    border-color: #24609f;
    background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.45, fy: 0.4,
                                stop: 0 #8cc2f7, stop: 0.45 #2f74c8, stop: 0.52 #ffffff, stop: 1 #e3e9ef);
}
QCheckBox::indicator:checked {
    border-color: #24609f;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #6aaaf0, stop: 1 #2f74c8);
    image: url(:/skin/check.png);
}
QRadioButton::indicator:disabled, QCheckBox::indicator:disabled {
    border-color: #a9b4c1;
    background: #e4e8ed;
}
QRadioButton::indicator:checked:disabled {
    background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                stop: 0 #a9b4c1, stop: 0.45 #a9b4c1, stop: 0.52 #eef1f4, stop: 1 #e4e8ed);
}
QCheckBox::indicator:checked:disabled {
    background: #b4bfcc;
}

QLineEdit {
    padding: 0px @3@px;
    selection-color: #ffffff;
    selection-background-color: #2f74c8;
}
QPlainTextEdit, QTextEdit {
    border: 1px solid #8796a8;
    border-radius: @5@px;
    padding: @2@px;
    selection-color: #ffffff;
    selection-background-color: #2f74c8;
}
QPlainTextEdit:focus, QTextEdit:focus {
    border-color: #2f74c8;
}

QScrollBar {
    background: #dfe4ea;
    border: 1px solid #9aa7b6;
    border-radius: @5@px;
}
QScrollBar:horizontal {
    height: @14@px;
    margin: 0px @15@px;
}
QScrollBar:vertical {
    width: @14@px;
    margin: @15@px 0px;
}
QScrollBar::handle {
    border: 1px solid #24609f;
    border-radius: @4@px;
    margin: 1px;
}
QScrollBar::handle:horizontal {
    min-width: @24@px;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 #8cc2f7, stop: 0.5 #3f86d8, stop: 0.51 #2f74c8, stop: 1 #5a9be6);
}
QScrollBar::handle:vertical {
    min-height: @24@px;
    background: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0,
                                stop: 0 #8cc2f7, stop: 0.5 #3f86d8, stop: 0.51 #2f74c8, stop: 1 #5a9be6);
}
QScrollBar::handle:hover {
    border-color: #2f74c8;
}
QScrollBar::handle:disabled {
    border-color: #a9b4c1;
    background: #c3ccd6;
}
QScrollBar::add-line, QScrollBar::sub-line {
    subcontrol-origin: margin;
    border: 1px solid #9aa7b6;
    border-radius: @4@px;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #d9e0e8);
}
QScrollBar::add-line:pressed, QScrollBar::sub-line:pressed {
    background: #c9d3de;
}
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal {
    width: @14@px;
}
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical {
    height: @14@px;
}
QScrollBar::add-line:horizontal { subcontrol-position: right; }
QScrollBar::sub-line:horizontal { subcontrol-position: left; }
QScrollBar::add-line:vertical { subcontrol-position: bottom; }
QScrollBar::sub-line:vertical { subcontrol-position: top; }
QScrollBar::left-arrow, QScrollBar::right-arrow, QScrollBar::up-arrow, QScrollBar::down-arrow {
    width: @8@px;
    height: @8@px;
}
QScrollBar::left-arrow { image: url(:/skin/arrow-left.png); }
QScrollBar::right-arrow { image: url(:/skin/arrow-right.png); }
QScrollBar::up-arrow { image: url(:/skin/arrow-up.png); }
QScrollBar::down-arrow { image: url(:/skin/arrow-down.png); }
QScrollBar::left-arrow:disabled { image: url(:/skin/arrow-left-disabled.png); }
QScrollBar::right-arrow:disabled { image: url(:/skin/arrow-right-disabled.png); }
QScrollBar::up-arrow:disabled { image: url(:/skin/arrow-up-disabled.png); }
QScrollBar::down-arrow:disabled { image: url(:/skin/arrow-down-disabled.png); }
QScrollBar::add-page, QScrollBar::sub-page {
    background: none;
}

QMessageBox {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f4f6f9, stop: 1 #e1e6ec);
}
QMessageBox QLabel {
    color: #1c2633;
}
QPushButton {
    color: #ffffff;
    font-weight: bold;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 #8cc2f7, stop: 0.48 #4a8ede, stop: 0.5 #2f74c8, stop: 1 #5fa0ea);
    border: 1px solid #1f5596;
    border-radius: @6@px;
    padding: @4@px @16@px;
    min-width: @64@px;
}
QPushButton:hover {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 #a4d0fa, stop: 0.48 #5c9ce6, stop: 0.5 #3b80d2, stop: 1 #74b0f0);
}
QPushButton:pressed {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 #2a66b0, stop: 0.5 #2f74c8, stop: 1 #4a8ede);
}
QPushButton:default, QPushButton:focus {
    border: @2@px solid #173f70;
}
QPushButton:disabled {
    color: #eef1f4;
    background: #b4bfcc;
    border-color: #9aa7b6;
}
)";

// Replaces every @N@ by N design pixels at scale, in whole screen pixels.
QString scaled(const QString &sheet, double scale)
{
    QString out;
    out.reserve(sheet.size());
    qsizetype from = 0;
    while (true) {
        const qsizetype open = sheet.indexOf(u'@', from);
        const qsizetype close = open < 0 ? -1 : sheet.indexOf(u'@', open + 1);
        if (close < 0) {
            out += QStringView(sheet).mid(from);
            return out;
        }
        out += QStringView(sheet).mid(from, open - from);
        const double designPixels = QStringView(sheet).mid(open + 1, close - open - 1).toDouble();
        out += QString::number(std::max(1L, std::lround(designPixels * scale)));
        from = close + 1;
    }
}

} // namespace

QPalette Skinner::palette()
{
    QPalette palette(kButton, SkinColours::board);
    palette.setColor(QPalette::Window, SkinColours::board);
    palette.setColor(QPalette::WindowText, SkinColours::text);
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::AlternateBase, kAlternateBase);
    palette.setColor(QPalette::Text, SkinColours::text);
    palette.setColor(QPalette::Button, kButton);
    palette.setColor(QPalette::ButtonText, SkinColours::text);
    palette.setColor(QPalette::Highlight, SkinColours::accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, kLink);
    palette.setColor(QPalette::LinkVisited, kLink.darker(120));
    palette.setColor(QPalette::ToolTipBase, kToolTipBase);
    palette.setColor(QPalette::ToolTipText, kToolTipText);
    palette.setColor(QPalette::PlaceholderText, SkinColours::disabledText);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, SkinColours::disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, SkinColours::disabledText);
    return palette;
}

QFont Skinner::font(double scale)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kFontPoints * (scale > 0 ? scale : 1.0));
    return font;
}

QString Skinner::styleSheet(double scale)
{
    return scaled(QString::fromLatin1(kStyleSheet), scale > 0 ? scale : 1.0);
}

bool Skinner::attach(QApplication &app, double scale)
{
    if (isAttached(app))
        return false;
    // Fusion draws what the sheet leaves to the style the same on every
    // desktop and takes its colours from the palette; the skin's own style
    // over it rounds the text boxes.
    QApplication::setStyle(new SkinStyle(scale));
    QApplication::setPalette(palette());
    // Message boxes, tool tips and lists take the windows' designed font at
    // the windows' scale, so they read as large as the board around them.
    QApplication::setFont(font(scale));
    app.setStyleSheet(styleSheet(scale));
    app.setProperty(kAttachedProperty, true);
    return true;
}

bool Skinner::isAttached(const QApplication &app)
{
    return app.property(kAttachedProperty).toBool();
}
