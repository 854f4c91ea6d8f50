#include "services/forms/form_controls.h"

void FormControls::add(const QString &name, int index, QWidget *control)
{
    m_controls.insert(controlKey(name, index), control);
    if (index < 0)
        return;
    QList<QWidget *> &elements = m_arrays[name];
    if (elements.size() <= index)
        elements.resize(index + 1);
    elements[index] = control;
}

QWidget *FormControls::find(const QString &name, int index) const
{
    return m_controls.value(controlKey(name, index));
}
