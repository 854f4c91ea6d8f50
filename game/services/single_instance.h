#pragma once

#include "services/prompter.h"

#include <QLockFile>
#include <QString>

// Tells whether another copy of the program is already running on the same
// program directory for the same user. The lock lives in the user's own
// runtime folder, keyed by the program directory, and is released when this
// object goes; a lock left by a copy that crashed does not block a new start
// (its process is gone), and no other account's lock can block this one.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &programDir);

    // True when this is the only running copy; it then holds the lock.
    bool claim();

    static QString lockPath(const QString &programDir);

    // The message a second copy shows before it ends.
    static Prompt refusal(const QString &exeName);

private:
    QLockFile m_lock;
};
