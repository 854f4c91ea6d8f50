#include "ravlen_accessible.h"

#include "RavlenLib/ravlen.h"
#include "ravlen_p.h"
#include "render/caption_layer.h"

#include <QKeySequence>

namespace {

QAccessibleInterface *ravlenFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Ravlen") && object && object->isWidgetType())
        return new RavlenAccessible(static_cast<Ravlen *>(object));
    return nullptr;
}

} // namespace

RavlenAccessible::RavlenAccessible(Ravlen *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void RavlenAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(ravlenFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

Ravlen *RavlenAccessible::button() const { return static_cast<Ravlen *>(widget()); }

QString RavlenAccessible::withoutAccessKey(const QString &shown)
{
    QString plain;
    plain.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown.at(i) != u'&') {
            plain.append(shown.at(i));
            continue;
        }
        if (i + 1 < shown.size() && shown.at(i + 1) == u'&')
            plain.append(shown.at(++i));
    }
    return plain;
}

QString RavlenAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        // A name the host gave the widget on purpose wins over the caption.
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return withoutAccessKey(decodeCaption(button()->caption()));
    case QAccessible::Accelerator:
        return QKeySequence::mnemonic(decodeCaption(button()->caption())).toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList RavlenAccessible::actionNames() const
{
    if (!widget()->isEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void RavlenAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && widget()->isEnabled())
        RavlenPrivate::get(button())->accessKeyClick();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList RavlenAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction()) {
        const QString key = text(QAccessible::Accelerator);
        if (!key.isEmpty())
            return {key};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
