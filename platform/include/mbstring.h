// Stand-in for the C runtime's <mbstring.h>: multibyte-character string functions. Strings here
// are UTF-8, whose bytes order as their characters do, so comparison goes byte by byte.
#pragma once

#include <windows.h>

// Returned by the comparison functions for a null argument.
#ifndef _NLSCMPERROR
#define _NLSCMPERROR 2147483647
#endif

extern "C" {

// Less than, equal to or greater than zero as a sorts before, with or after b.
int _mbscmp(const unsigned char* a, const unsigned char* b);

}  // extern "C"
