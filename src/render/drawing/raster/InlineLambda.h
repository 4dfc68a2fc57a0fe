// Marks a lambda to be inlined wherever it is called. The rim walk's helpers are written once
// and called from several places (eight octants, two pixels a step); kept out of line, as the
// compiler chooses for code called that often, each call passes the octant's constant
// directions at run time and spills the walk's state around the call.
#pragma once

#if defined(__GNUC__)
#define INKLINE_INLINE_LAMBDA __attribute__((always_inline))
#else
#define INKLINE_INLINE_LAMBDA
#endif
