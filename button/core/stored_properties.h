#pragma once

#include "RavlenLib/property_bag.h"
#include "ravlen_look.h"

#include <QFont>
#include <QImage>
#include <QStringList>

// Everything a button keeps in its container's property bag: the look plus
// the three values that belong to the widget itself. The caption colour and
// the mask colour are the look's own fields.
struct StoredButton {
    bool enabled = true;
    QFont font;
    RavlenLook look;
    QImage mouseIcon;
};

// The button's stored properties: 77 keys, always written and read in the
// same order. The keys are the property names, except that the three state
// pictures are stored as PicNormal, PicOver and PicDown.
//
// Values go into the fields as they are: no range is enforced and no colour
// is translated. A value of the wrong type is converted when it holds what
// the field needs (a number, a number text, True or False), otherwise the
// default is taken; numbers that do not fit a field are limited to it (see
// FieldValues).
namespace StoredProperties {

QStringList keys();

// Writes the value of every key that differs from its value in defaults.
void write(const StoredButton &button, PropertyBag &bag, const StoredButton &defaults);

// Takes every key from the bag, or from defaults when the bag lacks it.
void read(StoredButton &button, const PropertyBag &bag, const StoredButton &defaults);

} // namespace StoredProperties
