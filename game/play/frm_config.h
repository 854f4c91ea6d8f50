#pragma once

#include "services/files/config_file.h"
#include "services/forms/form.h"

class FrmZorbel;
class QComboBox;

// The five play settings of Zorbel.cfg as drop-down lists. The window shows
// the main window's current settings; Save hands the chosen ones to the
// main window at once and rewrites the file whole. It opens modally from the
// main window, which passes the countdown length in through its Tag.
class FrmConfig : public Form
{
    Q_OBJECT

public:
    FrmConfig(AppContext &context, FrmZorbel &owner, QWidget *parent = nullptr);

public Q_SLOTS:
    void clkSave_Click();
    void clkExit_Click();

protected:
    void Form_Load() override;

private:
    QComboBox *list(const QString &name) const;
    // The list's choice; nothing when it has no selection.
    std::optional<bool> yesChosen(const QString &name) const;
    ConfigChoices choices() const;
    void applyToMainWindow(const ConfigChoices &chosen);

    FrmZorbel &m_owner;
};
