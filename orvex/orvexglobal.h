#pragma once
// Symbols the program binds to when it loads the report library.

#include <QtGlobal>

#if defined(ORVEX_BUILDING)
#define ORVEX_EXPORT Q_DECL_EXPORT
#else
#define ORVEX_EXPORT Q_DECL_IMPORT
#endif
