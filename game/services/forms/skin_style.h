#pragma once

#include <QProxyStyle>

// The part of the window skin a style sheet cannot draw: text boxes with
// rounded frames that still fill with each box's own palette. (A style
// sheet rule that shapes a text box also paints its background, from the
// application's palette, which would wash out the player boxes' colours.)
// Everything else is Fusion's, under the skin's style sheet.
class SkinStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // scale: screen pixels per design pixel, for the corner radius.
    explicit SkinStyle(double scale = 1.0);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    void drawTextBoxFrame(const QStyleOption *option, QPainter *painter, bool fill) const;

    double m_radius;
};
