// Window layout files: any bytes through the layout reader, which may only
// refuse them with a ZorbelError; every button's property bag then goes into
// a button, and the bag the button writes back reads into the button again
// and is written the same. Drawing has a target of its own,
// fuzz_button_draw, so that this one stays fast.

#include "fuzz_support.h"

#include "RavlenLib/property_bag.h"
#include "RavlenLib/ravlen.h"
#include "services/error_codes.h"
#include "services/forms/form_layout.h"

#include <QApplication>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QWidget>

namespace {

// The bag a button given this one writes back. Reading a bag sets every
// stored property, to the bag's value or its default, so one button serves
// every run; it sits in a window, as in the game (without a parent it would
// start at a top-level window's size).
QByteArray writtenBag(const PropertyBag &bag)
{
    static QWidget window;
    static Ravlen button(&window);
    button.readProperties(bag);
    PropertyBag written;
    button.writeProperties(written);
    return QJsonDocument(written.toJson()).toJson(QJsonDocument::Compact);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startApplication<QApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Pictures named by a relative path are looked for in this empty folder.
    static QTemporaryDir folder;
    FormLayout layout;
    try {
        layout = parseFormLayout(fuzzBytes(data, size));
    } catch (const ZorbelError &error) {
        FUZZ_CHECK(error.number() == ErrorNumber::InvalidProcedureCall, error.detail());
        return 0;
    }
    FUZZ_CHECK(!layout.name.isEmpty() && layout.width > 0 && layout.height > 0, layout.name);
    // Buttons of one file are few; a file of thousands would only repeat work.
    int buttons = 0;
    for (const ControlDesign &control : layout.controls) {
        if (control.kind != QLatin1String("Ravlen") || ++buttons > 8)
            continue;
        const QByteArray first = writtenBag(PropertyBag::fromJson(control.bag, folder.path()));
        const QByteArray second = writtenBag(PropertyBag::fromJson(QJsonDocument::fromJson(first).object(), folder.path()));
        FUZZ_CHECK(first == second, QStringLiteral("%1\nwritten again as\n%2").arg(shown(first), shown(second)));
    }
    return 0;
}
