#include "play/frm_config.h"

#include "play/frm_zorbel.h"

#include "services/app_context.h"

#include "ravlen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kNo = QStringLiteral("No");
const QString kYes = QStringLiteral("Yes");

// Fills a No/Yes list and selects the side the setting is on; a setting
// that is on neither side leaves the list without a selection.
void fillYesNo(QComboBox *list, std::optional<bool> on)
{
    list->clear();
    list->addItems({kNo, kYes});
    list->setCurrentIndex(on ? (*on ? 1 : 0) : -1);
}

std::optional<bool> eitherOption(bool first, bool second)
{
    if (first)
        return true;
    if (second)
        return false;
    return std::nullopt;
}

} // namespace

FrmConfig::FrmConfig(AppContext &context, FrmZorbel &owner, QWidget *parent)
    : Form(context,
           {QStringLiteral("frmConfig"), QStringLiteral("Form_Load frmConfig"), QStringLiteral("Form_Unload frmConfig")},
           parent)
    , m_owner(owner)
{
}

QComboBox *FrmConfig::list(const QString &name) const
{
    return controls().get<QComboBox>(name);
}

void FrmConfig::Form_Load()
{
    connect(controls().get<Ravlen>(QStringLiteral("clkSave")), &Ravlen::Click, this, &FrmConfig::clkSave_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkExit")), &Ravlen::Click, this, &FrmConfig::clkExit_Click);
    // Each caption sits level with its list's text, right against it.
    for (const char *name : {"lblTimerTime", "lblSoundOption", "lblNoBuzzer", "lblSound", "lblTimer"})
        controls().get<QLabel>(QLatin1String(name))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (m_owner.isVisible())
        move(m_owner.geometry().center() - QPoint(width() / 2, height() / 2));

    QComboBox *timerTime = list(QStringLiteral("cmbTimerTime"));
    timerTime->clear();
    for (int seconds = 10; seconds <= 120; seconds += 10)
        timerTime->addItem(QString::number(seconds));
    // A countdown the list does not offer (0 from a hand-edited file) shows
    // the usual length; the countdown itself keeps until the host saves.
    const int shown = timerTime->findText(m_owner.tag());
    timerTime->setCurrentIndex(shown >= 0 ? shown : timerTime->findText(QStringLiteral("30")));

    const FormControls &board = m_owner.controls();
    fillYesNo(list(QStringLiteral("cmbSoundOption")),
              board.get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"))->isChecked());
    fillYesNo(list(QStringLiteral("cmbNoBuzzer")), board.get<QCheckBox>(QStringLiteral("chkBuzzer"))->isChecked());
    fillYesNo(list(QStringLiteral("cmbSound")), eitherOption(m_owner.optionSelected(QStringLiteral("optSound"), 0),
                                                             m_owner.optionSelected(QStringLiteral("optSound"), 1)));
    fillYesNo(list(QStringLiteral("cmbTimer")), eitherOption(m_owner.optionSelected(QStringLiteral("OptTimer"), 0),
                                                             m_owner.optionSelected(QStringLiteral("OptTimer"), 1)));
}

std::optional<bool> FrmConfig::yesChosen(const QString &name) const
{
    const QComboBox *chosen = list(name);
    if (chosen->currentIndex() < 0)
        return std::nullopt;
    return chosen->currentText() == kYes;
}

ConfigChoices FrmConfig::choices() const
{
    ConfigChoices chosen;
    chosen.timerTime = list(QStringLiteral("cmbTimerTime"))->currentText();
    chosen.soundContinual = yesChosen(QStringLiteral("cmbSoundOption"));
    chosen.buzzer = yesChosen(QStringLiteral("cmbNoBuzzer"));
    chosen.sound = yesChosen(QStringLiteral("cmbSound"));
    chosen.timer = yesChosen(QStringLiteral("cmbTimer"));
    return chosen;
}

void FrmConfig::applyToMainWindow(const ConfigChoices &chosen)
{
    const FormControls &board = m_owner.controls();
    if (!chosen.timerTime.isEmpty()) {
        board.get<QLineEdit>(QStringLiteral("txtTimer"))->setText(chosen.timerTime);
        // Pressing the hidden button is how the main window takes a new
        // countdown length over from its box.
        Q_EMIT board.get<Ravlen>(QStringLiteral("cmdUpdateButton"))->Click();
    }
    if (chosen.soundContinual)
        board.get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"))->setChecked(*chosen.soundContinual);
    if (chosen.buzzer)
        board.get<QCheckBox>(QStringLiteral("chkBuzzer"))->setChecked(*chosen.buzzer);
    if (chosen.sound)
        m_owner.selectOption(QStringLiteral("optSound"), *chosen.sound ? 0 : 1);
    if (chosen.timer)
        m_owner.selectOption(QStringLiteral("OptTimer"), *chosen.timer ? 0 : 1);
}

void FrmConfig::clkSave_Click()
{
    context().guard(QStringLiteral("clkSave_Click"), [this] {
        const ConfigChoices chosen = choices();
        applyToMainWindow(chosen);
        // The main window keeps the new settings even when the file cannot
        // be written; the old file then stays as it was.
        ConfigFile::save(context().programFile(ConfigFile::fileName()), chosen);
    });
}

void FrmConfig::clkExit_Click()
{
    context().guard(QStringLiteral("clkExit_Click"), [this] { close(); });
}
