#pragma once
// The library is compiled with hidden symbols; what is marked ORVEX_EXPORT is its whole
// interface, the symbols the program binds to when it loads it.

#include <QtGlobal>

#if defined(ORVEX_BUILDING)
#define ORVEX_EXPORT Q_DECL_EXPORT
#else
#define ORVEX_EXPORT Q_DECL_IMPORT
#endif
