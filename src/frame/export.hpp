// Exporting a program under all the names its callers use.
//
// A program's entry is defined once under its C name (QUARN_START_EXE, declared in the
// public header). QUARN_EXPORT_AS adds another symbol for the same code: the name a
// GnuCOBOL CALL resolves ("START__EXE", each "-" as "__") and the exact name for dlsym()
// callers ("\"START-EXE\"", quoted so that the assembler takes the hyphen). `id` is a C++
// name for the alias, used nowhere else.
#pragma once

#include "quarn/quarn-m.h"

#define QUARN_EXPORT_AS(entry, symbol, id) \
  extern "C" QUARN_API decltype(entry) id __asm__(symbol) __attribute__((alias(#entry)))
