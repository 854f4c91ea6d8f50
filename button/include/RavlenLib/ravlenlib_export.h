#pragma once

/*!
 * \file ravlenlib_export.h
 * RAVLENLIB_EXPORT, the mark of what RavlenLib's shared library exports.
 */

#include <QtCore/qglobal.h>

#if defined(RAVLENLIB_BUILDING)
//! Marks a class or function the shared library exports: exported while the
//! library itself is built (RAVLENLIB_BUILDING), imported by its users.
#define RAVLENLIB_EXPORT Q_DECL_EXPORT
#else
#define RAVLENLIB_EXPORT Q_DECL_IMPORT
#endif
