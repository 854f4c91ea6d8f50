#pragma once

#include "services/forms/form_controls.h"
#include "services/forms/form_layout.h"

#include <QWidget>

class AppContext;

// A window of the game, built from its designed layout. Loading builds the
// controls and runs Form_Load, closing runs Form_Unload (which may cancel),
// each inside the standard error report under the window's report names,
// and both are logged. Windows hand small values to each other through the
// Tag text.
class Form : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Tag READ tag WRITE setTag)

public:
    struct Names {
        QString window; // "frmConfig"
        QString loadReport; // "Form_Load frmConfig"
        QString unloadReport; // "Form_Unload frmConfig"
        bool logsLoad = true; // writes "Loading Form " + window on load
        bool logsUnload = true; // writes "Unloading Form " + window on unload
    };

    Form(AppContext &context, Names names, QWidget *parent = nullptr);
    ~Form() override;

    // Builds the controls from the layout resource of this window and runs
    // Form_Load. A window whose layout cannot be read shows the report and
    // stays empty. Returns whether the load ran to its end.
    bool load();

    // The number the last failed load was reported with.
    ErrorNumber loadFailure() const { return m_loadFailure; }

    // Shows the window modally and returns when it has been closed.
    void showModal();

    // Shows the window, or brings it to the front when it is already shown.
    void showOrRaise();

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    // Lays the loaded window out anew at scale (pixels per design pixel),
    // every control as the design has it at that scale. With fixedSize the
    // window takes the design's size, as when it was loaded; otherwise it
    // keeps its size and the design sits centred in it.
    void rescale(double scale, bool fixedSize);

    // The designed client area in twips.
    QSize designSize() const { return {m_layout.width, m_layout.height}; }

    const FormControls &controls() const { return m_controls; }
    AppContext &context() const { return m_context; }
    const Names &names() const { return m_names; }

    // The layout resource of a window: ":/layouts/<window>.json".
    static QString layoutPath(const QString &window);

Q_SIGNALS:
    // The window accepted its closing and is about to disappear.
    void unloaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(bool &cancel) { Q_UNUSED(cancel); }

    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    Names m_names;
    FormLayout m_layout;
    FormControls m_controls;
    QString m_tag;
    ErrorNumber m_loadFailure = ErrorNumber::InternalError;
};
