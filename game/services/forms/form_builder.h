#pragma once

#include "services/forms/form_controls.h"
#include "services/forms/form_layout.h"

#include <QPoint>

class QButtonGroup;
class QWidget;

// Builds a window's controls from its designed layout, scaled once: every
// twip position and size, and every font size, is multiplied by the same
// factor so that the arrangement and proportions of the design hold at any
// screen size. Buttons are created as Ravlen controls from their property
// bags, exactly as a stored window layout restores them.
class FormBuilder
{
public:
    // scale: pixels per design pixel (15 twips); resourceDir resolves
    // pictures named by relative paths in the bags.
    FormBuilder(QWidget &form, double scale, QString resourceDir = {});

    // Throws ZorbelError for a layout that names an unknown kind or parent.
    FormControls build(const FormLayout &layout);

    // Places controls built from layout anew at this builder's scale: the
    // window's font, and every control's designed rectangle and font (each
    // set on the control itself, since under the skin's style sheet a font
    // no longer reaches existing children). The design sits centred in the
    // window's present size, the window's background around it.
    void arrange(const FormLayout &layout, const FormControls &controls);

    // The window takes the design's size at this scale, and keeps it.
    void fixSize(const FormLayout &layout);

    // The scale at which a window designed at designTwips fills the given
    // share of the available screen area, proportions kept.
    static double scaleToFill(const QSize &available, const QSize &designTwips, double share = 0.92);

    QRect toPixels(int left, int top, int width, int height) const;
    int toPixels(int twips) const;

private:
    QWidget *create(const ControlDesign &design, QWidget *parent);
    struct Container {
        QWidget *widget;
        QPoint origin; // where the container's design coordinates start within it
    };
    Container containerFor(const ControlDesign &design, const FormControls &controls) const;
    QFont fontFor(const ControlDesign &design, const QWidget *control, const QWidget *parent) const;
    void place(const ControlDesign &design, QWidget *control, const Container &container) const;
    QButtonGroup *groupFor(const QString &name);

    QWidget &m_form;
    double m_scale;
    QString m_resourceDir;
    QPoint m_origin; // where the design's top left sits in the window
    QHash<QString, QButtonGroup *> m_groups;
};
