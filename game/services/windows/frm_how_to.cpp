#include "services/windows/frm_how_to.h"

#include "services/app_context.h"
#include "services/files/rtf_reader.h"
#include "services/prompter.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>

namespace {

const QString kNotLoaded = QStringLiteral("File not Loaded");

} // namespace

FrmHowTo::FrmHowTo(AppContext &context, QWidget *parent)
    : Form(context,
           {QStringLiteral("frmHowTo"), QStringLiteral("Form_Load frmHowTo"), QStringLiteral("Form_Unload frmHowTo")},
           parent)
{
}

QTextBrowser *FrmHowTo::rtb1() const
{
    return controls().get<QTextBrowser>(QStringLiteral("rtb1"));
}

void FrmHowTo::reportMissing(AppContext &context)
{
    context.prompter().ask({QStringLiteral("Unable to locate file ") + context.displayPath(fileName()), kNotLoaded,
                            Prompt::Buttons::Ok, Prompt::Icon::Information});
}

void FrmHowTo::reportUnreadable(const QString &reason)
{
    context().prompter().ask({QStringLiteral("File ") + context().displayPath(fileName()) + reason, kNotLoaded,
                              Prompt::Buttons::Ok, Prompt::Icon::Information});
}

void FrmHowTo::Form_Load()
{
    QTextBrowser *rules = rtb1();
    rules->setReadOnly(true);
    // The rules are a document to read: nothing in them navigates away.
    rules->setOpenLinks(false);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    if (const QWidget *owner = parentWidget(); owner && owner->isVisible())
        move(owner->geometry().center() - QPoint(width() / 2, height() / 2));

    const QFileInfo file(context().programFile(fileName()));
    if (!file.isFile()) {
        reportMissing(context());
        return;
    }
    // Checked before reading, so the host learns what is wrong with the file
    // rather than an error number.
    if (file.size() > RtfReader::maxFileSize()) {
        reportUnreadable(QStringLiteral(" is too large to be shown."));
        return;
    }
    // A long document takes a moment; a failure's report puts the pointer back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RtfReader::Status status = RtfReader::readFile(file.filePath(), *rules->document());
    QApplication::restoreOverrideCursor();
    if (status == RtfReader::Status::NotRtf) {
        reportUnreadable(QStringLiteral(" is not a Rich Text Format document."));
        return;
    }
    rules->moveCursor(QTextCursor::Start);
    m_rulesShown = true;
}
