#include "form_builder.h"

#include "display_fonts.h"
#include "tab_control.h"

#include "core/property_bag.h"
#include "ravlen.h"

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
    m_form.setFixedSize(toPixels(layout.width), toPixels(layout.height));

    FormControls controls;
    for (const ControlSpec &spec : layout.controls) {
        const Container container = containerFor(spec, controls);
        QWidget *parent = container.widget;
        QWidget *control = create(spec, parent);
        control->setObjectName(spec.name);
        if (spec.index >= 0)
            control->setProperty("controlIndex", spec.index);
        if (spec.font.isSet())
            control->setFont(DisplayFonts::resolve(spec.font, parent->font(), m_scale));
        if (!spec.toolTip.isEmpty())
            control->setToolTip(spec.toolTip);
        control->setEnabled(spec.enabled);

        control->setGeometry(toPixels(spec.left, spec.top, spec.width, spec.height).translated(-container.origin));
        control->setVisible(spec.visible);
        controls.add(spec.name, spec.index, control);
    }
    return controls;
}

FormBuilder::Container FormBuilder::containerFor(const ControlSpec &spec, const FormControls &controls) const
{
    if (spec.parent.isEmpty())
        return {&m_form, {}};
    QWidget *parent = controls.find(spec.parent);
    if (!parent)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, spec.key() + QStringLiteral(": unknown container ") + spec.parent);
    auto *tabs = qobject_cast<TabControl *>(parent);
    if (!tabs)
        return {parent, {}};
    if (spec.tab < 0 || spec.tab >= tabs->count())
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, spec.key() + QStringLiteral(": no such tab"));
    return {tabs->widget(spec.tab), tabs->pageOrigin()};
}

QButtonGroup *FormBuilder::groupFor(const QString &name)
{
    QButtonGroup *&group = m_groups[name];
    if (!group)
        group = new QButtonGroup(&m_form);
    return group;
}

QWidget *FormBuilder::create(const ControlSpec &spec, QWidget *parent)
{
    const QString &kind = spec.kind;
    if (kind == QLatin1String("Ravlen")) {
        auto *button = new Ravlen(parent);
        button->readProperties(PropertyBag::fromJson(spec.bag, m_resourceDir));
        if (spec.bag.contains(QLatin1String("Font"))) {
            QFont font = button->font();
            font.setPointSizeF(font.pointSizeF() * m_scale);
            button->setFont(font);
        } else {
            button->setFont(parent->font());
        }
        return button;
    }
    if (kind == QLatin1String("Label")) {
        auto *label = new QLabel(spec.caption, parent);
        label->setAlignment(horizontalAlignment(spec.alignment) | Qt::AlignTop);
        label->setWordWrap(spec.wordWrap);
        return label;
    }
    if (kind == QLatin1String("TextBox")) {
        auto *box = new QLineEdit(spec.caption, parent);
        box->setReadOnly(spec.locked);
        box->setAlignment(horizontalAlignment(spec.alignment) | Qt::AlignVCenter);
        return box;
    }
    if (kind == QLatin1String("ComboBox")) {
        auto *box = new QComboBox(parent);
        box->addItems(spec.items);
        box->setCurrentIndex(box->findText(spec.caption));
        return box;
    }
    if (kind == QLatin1String("OptionButton")) {
        auto *option = new QRadioButton(spec.caption, parent);
        groupFor(spec.name)->addButton(option, spec.index);
        option->setChecked(spec.checked);
        return option;
    }
    if (kind == QLatin1String("CheckBox")) {
        auto *box = new QCheckBox(spec.caption, parent);
        box->setChecked(spec.checked);
        return box;
    }
    if (kind == QLatin1String("Frame"))
        return new QGroupBox(spec.caption, parent);
    if (kind == QLatin1String("HScrollBar")) {
        auto *bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setRange(spec.minimum, spec.maximum);
        bar->setSingleStep(spec.step);
        bar->setPageStep(10 * spec.step);
        bar->setValue(spec.value);
        return bar;
    }
    if (kind == QLatin1String("TabControl")) {
        auto *tabs = new TabControl(parent);
        for (const QString &caption : spec.items)
            tabs->addTab(new QWidget, caption);
        return tabs;
    }
    if (kind == QLatin1String("TextEditor"))
        return new QPlainTextEdit(parent);
    if (kind == QLatin1String("RichText"))
        return new QTextBrowser(parent);
    if (kind == QLatin1String("Picture")) {
        auto *picture = new QLabel(parent);
        picture->setPixmap(QPixmap(spec.picture));
        picture->setScaledContents(true);
        return picture;
    }
    throw ZorbelError(ErrorNumber::InvalidProcedureCall, spec.key() + QStringLiteral(": unknown kind ") + kind);
}
