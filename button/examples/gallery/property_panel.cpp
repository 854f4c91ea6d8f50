#include "property_panel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Button colours are OLE colours: red in the lowest byte.
QColor fromOle(uint colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

uint toOle(const QColor &colour) { return uint(colour.red()) | uint(colour.green()) << 8 | uint(colour.blue()) << 16; }

QIcon swatch(const QColor &colour)
{
    QPixmap pixmap(28, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

PropertyPanel::PropertyPanel(QObject *button, QWidget *parent)
    : QWidget(parent)
    , m_button(button)
{
    auto *form = new QFormLayout;
    addCaption(form);
    for (const char *property : {"ButtonStyle", "GradientStyle", "TintType", "BorderStyle", "ShadowStyle",
                                 "TextureType", "ArrowPosition", "Effects", "ButtonIconPos", "CaptionAlignment"})
        addChoice(form, property);
    for (const char *property : {"CaptionColor", "TintColor", "GradientNormal1", "GradientNormal2", "ShadowColor"})
        addColour(form, property);

    auto *toggles = new QGridLayout;
    for (const char *property : {"Tint", "RoundBorder", "Shadow", "Alpha", "Texture", "ArrowShow", "ButtonIconShow",
                                 "CaptionShadow", "CaptionAutoAlign", "UpMotion", "Fade", "EnableEffects"})
        addToggle(toggles, property);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(states());
    layout->addLayout(form);
    layout->addLayout(toggles);
    layout->addStretch();
}

void PropertyPanel::addCaption(QFormLayout *form)
{
    auto *edit = new QLineEdit(m_button->property("Caption").toString());
    edit->setMinimumWidth(60);
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_button->setProperty("Caption", text); });
    form->addRow(QStringLiteral("Caption"), edit);
}

QLayout *PropertyPanel::states()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    const char *names[] = {"Normal", "Over", "Down"};
    for (int state = 0; state < 3; ++state) {
        auto *draw = new QPushButton(QString::fromLatin1(names[state]));
        draw->setToolTip(QStringLiteral("ButtonState = %1").arg(state));
        connect(draw, &QPushButton::clicked, this, [this, state] { m_button->setProperty("ButtonState", state); });
        row->addWidget(draw);
    }
    auto *effect = new QPushButton(QStringLiteral("DrawEffect"));
    connect(effect, &QPushButton::clicked, this, [this] { QMetaObject::invokeMethod(m_button, "DrawEffect"); });
    row->addWidget(effect);
    return row;
}

void PropertyPanel::addChoice(QFormLayout *form, const char *property)
{
    const QMetaObject *meta = m_button->metaObject();
    const QMetaEnum names = meta->property(meta->indexOfProperty(property)).enumerator();
    auto *combo = new QComboBox;
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    for (int i = 0; i < names.keyCount(); ++i)
        combo->addItem(QString::fromLatin1(names.key(i)), names.value(i));
    combo->setCurrentIndex(combo->findData(m_button->property(property).toInt()));
    connect(combo, &QComboBox::activated, this,
            [this, combo, property] { m_button->setProperty(property, combo->currentData()); });
    form->addRow(QString::fromLatin1(property), combo);
}

void PropertyPanel::addColour(QFormLayout *form, const char *property)
{
    auto *pick = new QPushButton;
    const auto show = [pick](uint colour) {
        pick->setIcon(swatch(fromOle(colour)));
        pick->setText(fromOle(colour).name().toUpper());
    };
    show(m_button->property(property).toUInt());
    connect(pick, &QPushButton::clicked, this, [this, property, show] {
        const QColor chosen = QColorDialog::getColor(fromOle(m_button->property(property).toUInt()), this,
                                                     QString::fromLatin1(property));
        if (!chosen.isValid())
            return;
        m_button->setProperty(property, toOle(chosen));
        show(toOle(chosen));
    });
    form->addRow(QString::fromLatin1(property), pick);
}

void PropertyPanel::addToggle(QGridLayout *grid, const char *property)
{
    auto *box = new QCheckBox(QString::fromLatin1(property));
    box->setMinimumWidth(0);
    box->setChecked(m_button->property(property).toBool());
    connect(box, &QCheckBox::toggled, this, [this, property](bool on) { m_button->setProperty(property, on); });
    const int index = grid->count();
    grid->addWidget(box, index / 2, index % 2);
}
