#pragma once

#include "services/files/config_file.h"
#include "services/forms/form.h"

class QComboBox;

// The five play settings of Zorbel.cfg as drop-down lists. The window shows
// the settings it opens with; Save hands the chosen ones back at once, to be
// applied by whoever opened it, and then rewrites the file whole.
class FrmConfig : public Form
{
    Q_OBJECT

public:
    FrmConfig(AppContext &context, PlaySettings shown, QWidget *parent = nullptr);

public Q_SLOTS:
    void clkSave_Click();
    void clkExit_Click();

Q_SIGNALS:
    // The host saved these settings; the file is written after they apply.
    void saved(const PlaySettings &settings);

protected:
    void Form_Load() override;

private:
    QComboBox *list(const QString &name) const;
    // The list's choice; nothing when it has no selection.
    std::optional<bool> yesChosen(const QString &name) const;
    PlaySettings chosen() const;

    PlaySettings m_shown;
};
