#pragma once

#include <QString>

#include <optional>

// The name of the settings file a Ctrl+Alt+right-click saves: the control's
// name, "(" index ")-" for a member of a control array or "-" otherwise, its
// caption as stored, and ".rls"; for example cmdGo-Go.rls or cmdGo(2)-Go.rls.
//
// The caption is anybody's text, so the result is made a plain file name that
// always stays in the folder it is saved to: path separators, the characters
// no desktop allows in a name (: * ? " < > |) and control characters become
// "_", as does every dot of a run of two or more, and the caption is cut so
// that the whole name fits the usual 255-byte limit of a file name.
QString settingsFileName(const QString &controlName, std::optional<int> index, const QString &caption);
