#pragma once

#include "services/forms/form.h"

class QTextBrowser;

// The rules window: HowToPlayZorbel.rtf from the program directory, shown
// read-only in rtb1. It is opened without blocking and exists once.
class FrmHowTo : public Form
{
    Q_OBJECT

public:
    explicit FrmHowTo(AppContext &context, QWidget *parent = nullptr);

    static QString fileName() { return QStringLiteral("HowToPlayZorbel.rtf"); }

    // Shows "Unable to locate file " + path, titled "File not Loaded".
    static void reportMissing(AppContext &context);

    // Whether the load put the rules into rtb1. A missing, oversized or
    // non-RTF file has shown its message instead, and the window is not
    // worth showing.
    bool rulesShown() const { return m_rulesShown; }

    QTextBrowser *rtb1() const;

protected:
    void Form_Load() override;

private:
    void reportUnreadable(const QString &reason);

    bool m_rulesShown = false;
};
