#pragma once

#include "services/error_codes.h"
#include "services/forms/form_layout.h"

#include <QHash>
#include <QList>
#include <QWidget>

// The controls of one window by name and control-array index.
class FormControls
{
public:
    void add(const QString &name, int index, QWidget *control);

    QWidget *find(const QString &name, int index = -1) const;

    // The control, of the kind the caller expects; a control the layout
    // does not have is a failure of the procedure that asked for it.
    template <typename T>
    T *get(const QString &name, int index = -1) const
    {
        T *control = qobject_cast<T *>(find(name, index));
        if (!control)
            throw ZorbelError(ErrorNumber::InvalidProcedureCall,
                              QStringLiteral("no control ") + controlKey(name, index));
        return control;
    }

    // Every element of a control array, in index order.
    template <typename T>
    QList<T *> array(const QString &name) const
    {
        QList<T *> elements;
        for (QWidget *control : m_arrays.value(name))
            if (T *element = qobject_cast<T *>(control))
                elements.append(element);
        return elements;
    }

    // The largest index of a control array (the array's upper bound).
    int upperBound(const QString &name) const { return int(m_arrays.value(name).size()) - 1; }

private:
    QHash<QString, QWidget *> m_controls;
    QHash<QString, QList<QWidget *>> m_arrays;
};
