#pragma once

#include "ravlenlib_export.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

/*!
 * \file property_bag.h
 * PropertyBag, the stored properties of one button.
 */

/*!
 * \brief The stored properties of one button as its container keeps them.
 *
 * Ravlen::writeProperties() fills a bag and Ravlen::readProperties() restores
 * a button from one; toJson() and fromJson() carry it inside a window layout
 * file, so a form loader with a layout format of its own builds each button
 * from its bag.
 *
 * A bag holds named values in the order they were written. A value equal to
 * its default is never kept, so a bag holds only what differs from a fresh
 * button, and reading a key that is absent yields the default.
 *
 * Values are Booleans (bool), 32-bit (int), 16-bit (short), Single (float),
 * strings (QString), pictures (QImage) and fonts (QFont).
 *
 * Window layout files carry bags as JSON objects: Booleans, numbers and
 * strings as plain JSON values; a picture as {"file": path} (relative to the
 * layout's folder, absolute, or a ":/" resource) or {"png": base64}; a font as
 * {"family", "size" (points), "bold", "italic", "underline", "strikeout"}.
 * JSON objects have no order of their own, so a bag read from JSON lists its
 * keys alphabetically; the button reads keys by name, so nothing depends on it.
 */
class RAVLENLIB_EXPORT PropertyBag
{
public:
    //! The stored value, or \a defaultValue when the key is absent.
    QVariant read(const QString &key, const QVariant &defaultValue) const;

    //! Keeps the value under key, or drops the key when the value equals the
    //! default (numbers compare by value, whatever their type).
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue);

    //! Whether a value is stored under \a key.
    bool contains(const QString &key) const { return m_values.contains(key); }
    //! The value stored under \a key; an invalid QVariant when there is none.
    QVariant value(const QString &key) const { return m_values.value(key); }
    //! Stores \a value under \a key as it is, default or not; a key already
    //! present keeps its place in the order.
    void insert(const QString &key, const QVariant &value);
    //! Drops \a key: reading it then yields the default.
    void remove(const QString &key);
    //! The keys in the order they were first stored.
    QStringList keys() const { return m_keys; }
    //! How many values the bag holds.
    qsizetype size() const { return m_keys.size(); }
    //! True for the bag of a button that differs from a new one in nothing.
    bool isEmpty() const { return m_keys.isEmpty(); }

    //! The bag as a layout file's JSON object. Pictures are embedded as PNG: a
    //! bag knows no folder to put files in.
    QJsonObject toJson() const;

    //! \brief Reads a bag from a layout file's JSON object; picture files are
    //! found relative to \a baseDir.
    //!
    //! Entries that are neither a value, a picture nor a font, and pictures
    //! that cannot be loaded, are left out with a warning: the button then
    //! reads its default for them.
    static PropertyBag fromJson(const QJsonObject &json, const QString &baseDir);

    //! Equal when both hold the same keys in the same order with equal values.
    friend bool operator==(const PropertyBag &a, const PropertyBag &b)
    {
        return a.m_keys == b.m_keys && a.m_values == b.m_values;
    }

private:
    QStringList m_keys;
    QHash<QString, QVariant> m_values;
};
