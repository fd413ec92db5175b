// Which windows the process's editors live in: real X11 windows, or the headless window tree
// of the software backend. Nothing guesses: the plug-in's entry asks for X11, the project's
// own host asks for the headless tree before it opens an editor for its pictures, and a
// program that does neither (the tests) gets the headless tree.
#pragma once

namespace platform::x11 {

// X11 from now on, unless the headless tree was asked for before.
void useX11UnlessHeadless();
// The headless tree from now on; false, changing nothing, while an X11 window is open.
bool useHeadless();
bool onX11();

}  // namespace platform::x11
