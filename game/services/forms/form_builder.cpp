#include "services/forms/form_builder.h"

#include "services/forms/display_fonts.h"
#include "services/forms/tab_control.h"

#include "RavlenLib/property_bag.h"
#include "RavlenLib/ravlen.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>

#include <cmath>

namespace {

constexpr double kTwipsPerPixel = 15.0;

Qt::Alignment horizontalAlignment(const QString &alignment)
{
    if (alignment == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (alignment == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// A button's caption font is stored in its property bag; 0 when it keeps
// its container's.
double storedPointSize(const ControlDesign &design)
{
    return design.bag.value(QLatin1String("Font")).toObject().value(QLatin1String("size")).toDouble();
}

void setControlFont(QWidget *control, const QFont &font)
{
    // A button redraws its caption only through its own setter.
    if (auto *button = qobject_cast<Ravlen *>(control))
        button->setFont(font);
    else
        control->setFont(font);
}

} // namespace

FormBuilder::FormBuilder(QWidget &form, double scale, QString resourceDir)
    : m_form(form)
    , m_scale(scale)
    , m_resourceDir(std::move(resourceDir))
{
}

double FormBuilder::scaleToFill(const QSize &available, const QSize &designTwips, double share)
{
    if (designTwips.isEmpty() || available.isEmpty())
        return 1.0;
    const double byWidth = share * available.width() * kTwipsPerPixel / designTwips.width();
    const double byHeight = share * available.height() * kTwipsPerPixel / designTwips.height();
    return std::min(byWidth, byHeight);
}

int FormBuilder::toPixels(int twips) const
{
    return int(std::lround(twips * m_scale / kTwipsPerPixel));
}

QRect FormBuilder::toPixels(int left, int top, int width, int height) const
{
    // Edges are rounded, not sizes, so that neighbours designed to touch
    // still touch after scaling.
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

FormControls FormBuilder::build(const FormLayout &layout)
{
    m_form.setObjectName(layout.name);
    m_form.setWindowTitle(layout.caption);
    m_form.setFont(DisplayFonts::resolve(layout.font, m_form.font(), m_scale));
    if (!layout.backColor.isEmpty()) {
        QPalette palette = m_form.palette();
        palette.setColor(QPalette::Window, QColor(layout.backColor));
        m_form.setPalette(palette);
        m_form.setAutoFillBackground(true);
    }
    fixSize(layout);

    FormControls controls;
    for (const ControlDesign &design : layout.controls) {
        const Container container = containerFor(design, controls);
        QWidget *parent = container.widget;
        QWidget *control = create(design, parent);
        control->setObjectName(design.name);
        if (design.index >= 0)
            control->setProperty("controlIndex", design.index);
        if (design.font.isSet() || design.kind == QLatin1String("Ravlen"))
            setControlFont(control, fontFor(design, control, parent));
        if (!design.toolTip.isEmpty())
            control->setToolTip(design.toolTip);
        control->setEnabled(design.enabled);

        place(design, control, container);
        control->setVisible(design.visible);
        controls.add(design.name, design.index, control);
    }
    return controls;
}

void FormBuilder::arrange(const FormLayout &layout, const FormControls &controls)
{
    m_form.setFont(DisplayFonts::resolve(layout.font, m_form.font(), m_scale));
    const QSize design(toPixels(layout.width), toPixels(layout.height));
    m_origin = QPoint(std::max(0, (m_form.width() - design.width()) / 2),
                      std::max(0, (m_form.height() - design.height()) / 2));
    // Containers come before their controls in a layout, so each control
    // finds its container's new font and page origin.
    for (const ControlDesign &design : layout.controls) {
        QWidget *control = controls.find(design.name, design.index);
        if (!control)
            continue;
        const Container container = containerFor(design, controls);
        setControlFont(control, fontFor(design, control, container.widget));
        place(design, control, container);
    }
}

void FormBuilder::fixSize(const FormLayout &layout)
{
    m_form.setFixedSize(toPixels(layout.width), toPixels(layout.height));
}

QFont FormBuilder::fontFor(const ControlDesign &design, const QWidget *control, const QWidget *parent) const
{
    if (design.font.isSet())
        return DisplayFonts::resolve(design.font, parent->font(), m_scale);
    if (const double points = storedPointSize(design); points > 0) {
        QFont font = control->font();
        font.setPointSizeF(points * m_scale);
        return font;
    }
    return parent->font();
}

void FormBuilder::place(const ControlDesign &design, QWidget *control, const Container &container) const
{
    control->setGeometry(toPixels(design.left, design.top, design.width, design.height).translated(-container.origin));
}

FormBuilder::Container FormBuilder::containerFor(const ControlDesign &design, const FormControls &controls) const
{
    if (design.parent.isEmpty())
        return {&m_form, -m_origin};
    QWidget *parent = controls.find(design.parent);
    if (!parent)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall,
                          design.key() + QStringLiteral(": unknown container ") + design.parent);
    auto *tabs = qobject_cast<TabControl *>(parent);
    if (!tabs)
        return {parent, {}};
    if (design.tab < 0 || design.tab >= tabs->count())
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, design.key() + QStringLiteral(": no such tab"));
    return {tabs->widget(design.tab), tabs->pageOrigin()};
}

QButtonGroup *FormBuilder::groupFor(const QString &name)
{
    QButtonGroup *&group = m_groups[name];
    if (!group)
        group = new QButtonGroup(&m_form);
    return group;
}

QWidget *FormBuilder::create(const ControlDesign &design, QWidget *parent)
{
    const QString &kind = design.kind;
    if (kind == QLatin1String("Ravlen")) {
        auto *button = new Ravlen(parent);
        button->readProperties(PropertyBag::fromJson(design.bag, m_resourceDir));
        return button;
    }
    if (kind == QLatin1String("Label")) {
        auto *label = new QLabel(design.caption, parent);
        label->setAlignment(horizontalAlignment(design.alignment) | Qt::AlignTop);
        label->setWordWrap(design.wordWrap);
        return label;
    }
    if (kind == QLatin1String("TextBox")) {
        auto *box = new QLineEdit(design.caption, parent);
        box->setReadOnly(design.locked);
        box->setAlignment(horizontalAlignment(design.alignment) | Qt::AlignVCenter);
        return box;
    }
    if (kind == QLatin1String("ComboBox")) {
        auto *box = new QComboBox(parent);
        box->addItems(design.items);
        box->setCurrentIndex(box->findText(design.caption));
        return box;
    }
    if (kind == QLatin1String("OptionButton")) {
        auto *option = new QRadioButton(design.caption, parent);
        groupFor(design.name)->addButton(option, design.index);
        option->setChecked(design.checked);
        return option;
    }
    if (kind == QLatin1String("CheckBox")) {
        auto *box = new QCheckBox(design.caption, parent);
        box->setChecked(design.checked);
        return box;
    }
    if (kind == QLatin1String("Frame"))
        return new QGroupBox(design.caption, parent);
    if (kind == QLatin1String("HScrollBar")) {
        auto *bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setRange(design.minimum, design.maximum);
        bar->setSingleStep(design.step);
        bar->setPageStep(10 * design.step);
        bar->setValue(design.value);
        return bar;
    }
    if (kind == QLatin1String("TabControl")) {
        auto *tabs = new TabControl(parent);
        for (const QString &caption : design.items)
            tabs->addTab(new QWidget, caption);
        return tabs;
    }
    if (kind == QLatin1String("TextEditor"))
        return new QPlainTextEdit(parent);
    if (kind == QLatin1String("RichText"))
        return new QTextBrowser(parent);
    if (kind == QLatin1String("Picture")) {
        auto *picture = new QLabel(parent);
        picture->setPixmap(QPixmap(design.picture));
        picture->setScaledContents(true);
        return picture;
    }
    throw ZorbelError(ErrorNumber::InvalidProcedureCall, design.key() + QStringLiteral(": unknown kind ") + kind);
}
