#pragma once

#include <QPointer>
#include <QWidget>

// A window of which the program keeps one at a time. The first request
// makes and loads it, centred over the window it belongs to; later requests
// bring the open one to the front without loading it again. The window
// deletes itself when it is closed, which empties the slot, so that the
// next request loads a fresh one.
template <typename Window, typename Make>
Window *showSingleWindow(QPointer<Window> &slot, Make make)
{
    // A window closed a moment ago may still wait for its deletion; it is
    // hidden for good and no longer counts.
    if (!slot || !slot->isVisible()) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->load();
        if (const QWidget *owner = slot->parentWidget(); owner && owner->isVisible())
            slot->move(owner->geometry().center() - QPoint(slot->width() / 2, slot->height() / 2));
    }
    slot->showOrRaise();
    return slot;
}
