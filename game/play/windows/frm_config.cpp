#include "play/windows/frm_config.h"

#include "services/app_context.h"

#include "RavlenLib/ravlen.h"

#include <QComboBox>
#include <QLabel>

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

} // namespace

FrmConfig::FrmConfig(AppContext &context, PlaySettings shown, QWidget *parent)
    : Form(
        context,
        {QStringLiteral("frmConfig"), QStringLiteral("Form_Load frmConfig"), QStringLiteral("Form_Unload frmConfig")},
        parent)
    , m_shown(std::move(shown))
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
    if (const QWidget *owner = parentWidget(); owner && owner->isVisible())
        move(owner->geometry().center() - QPoint(width() / 2, height() / 2));

    QComboBox *timerTime = list(QStringLiteral("cmbTimerTime"));
    timerTime->clear();
    for (int seconds = 10; seconds <= 120; seconds += 10)
        timerTime->addItem(QString::number(seconds));
    // A countdown the list does not offer (0 from a hand-edited file) shows
    // the usual length; the countdown itself keeps until the host saves.
    const int shown = m_shown.timerTime ? timerTime->findText(m_shown.timerTime->text) : -1;
    timerTime->setCurrentIndex(shown >= 0 ? shown : timerTime->findText(QStringLiteral("30")));

    fillYesNo(list(QStringLiteral("cmbSoundOption")), m_shown.soundContinual);
    fillYesNo(list(QStringLiteral("cmbNoBuzzer")), m_shown.buzzer);
    fillYesNo(list(QStringLiteral("cmbSound")), m_shown.sound);
    fillYesNo(list(QStringLiteral("cmbTimer")), m_shown.timer);
}

std::optional<bool> FrmConfig::yesChosen(const QString &name) const
{
    const QComboBox *chosen = list(name);
    if (chosen->currentIndex() < 0)
        return std::nullopt;
    return chosen->currentText() == kYes;
}

PlaySettings FrmConfig::chosen() const
{
    PlaySettings chosen;
    // The list offers whole multiples of ten only, all of them countdowns.
    chosen.timerTime = ConfigFile::countdownLength(list(QStringLiteral("cmbTimerTime"))->currentText());
    chosen.soundContinual = yesChosen(QStringLiteral("cmbSoundOption"));
    chosen.buzzer = yesChosen(QStringLiteral("cmbNoBuzzer"));
    chosen.sound = yesChosen(QStringLiteral("cmbSound"));
    chosen.timer = yesChosen(QStringLiteral("cmbTimer"));
    return chosen;
}

void FrmConfig::clkSave_Click()
{
    context().guard(QStringLiteral("clkSave_Click"), [this] {
        const PlaySettings settings = chosen();
        // The game keeps the new settings even when the file cannot be
        // written; the old file then stays as it was.
        Q_EMIT saved(settings);
        ConfigFile::save(context().programFile(ConfigFile::fileName()), settings);
    });
}

void FrmConfig::clkExit_Click()
{
    context().guard(QStringLiteral("clkExit_Click"), [this] { close(); });
}
