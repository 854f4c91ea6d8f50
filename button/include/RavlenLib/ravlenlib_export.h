#pragma once

#include <QtCore/qglobal.h>

#if defined(RAVLENLIB_BUILDING)
#define RAVLENLIB_EXPORT Q_DECL_EXPORT
#else
#define RAVLENLIB_EXPORT Q_DECL_IMPORT
#endif
