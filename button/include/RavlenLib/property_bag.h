#pragma once

#include "ravlenlib_export.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

// The stored properties of one button as its container keeps them: named
// values in the order they were written. A value equal to its default is
// never kept, so a bag holds only what differs from a fresh button, and
// reading a key that is absent yields the default.
//
// Values are Booleans (bool), 32-bit (int), 16-bit (short), Single (float),
// strings (QString), pictures (QImage) and fonts (QFont).
//
// Window layout files carry bags as JSON objects: Booleans, numbers and
// strings as plain JSON values; a picture as {"file": path} (relative to the
// layout's folder, absolute, or a ":/" resource) or {"png": base64}; a font as
// {"family", "size" (points), "bold", "italic", "underline", "strikeout"}.
// JSON objects have no order of their own, so a bag read from JSON lists its
// keys alphabetically; the button reads keys by name, so nothing depends on it.
class RAVLENLIB_EXPORT PropertyBag
{
public:
    // The stored value, or defaultValue when the key is absent.
    QVariant read(const QString &key, const QVariant &defaultValue) const;

    // Keeps the value under key, or drops the key when the value equals the
    // default (numbers compare by value, whatever their type).
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue);

    bool contains(const QString &key) const { return m_values.contains(key); }
    QVariant value(const QString &key) const { return m_values.value(key); }
    void insert(const QString &key, const QVariant &value);
    void remove(const QString &key);
    QStringList keys() const { return m_keys; }
    qsizetype size() const { return m_keys.size(); }
    bool isEmpty() const { return m_keys.isEmpty(); }

    // Pictures are embedded as PNG: a bag knows no folder to put files in.
    QJsonObject toJson() const;

    // Entries that are neither a value, a picture nor a font, and pictures
    // that cannot be loaded, are left out with a warning: the button then
    // reads its default for them.
    static PropertyBag fromJson(const QJsonObject &json, const QString &baseDir);

    friend bool operator==(const PropertyBag &a, const PropertyBag &b)
    {
        return a.m_keys == b.m_keys && a.m_values == b.m_values;
    }

private:
    QStringList m_keys;
    QHash<QString, QVariant> m_values;
};
