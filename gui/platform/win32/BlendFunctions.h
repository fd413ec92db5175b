// The optional block-transfer functions of the system library "msimg32.dll": the
// colour-keyed copy and the constant-alpha blend. They are looked up once per process, on
// first use; either may be missing, and callers then take their own fallback.
#pragma once

#include <windows.h>

namespace platform::win32 {

using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                             UINT);
using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);

// The colour-keyed copy, or null when the system lacks it or it is switched off. Only
// systems of the NT family offer it: the older ones leaked memory with every call.
// Any thread.
TransparentBltFunction transparentBltFunction();
// The constant-alpha blend, or null when the system lacks it or it is switched off.
// Any thread.
AlphaBlendFunction alphaBlendFunction();

// Lets tests run the callers' fallbacks on a system that has the functions: while off,
// both lookups above answer null. Any thread.
void setBlendFunctionsEnabled(bool enabled);

}  // namespace platform::win32
