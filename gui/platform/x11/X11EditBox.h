// The X11 backend's edit box: a child X window drawn by the toolkit's rasterizer, with a text
// cursor and a selection. Typing replaces the selection; Backspace and Delete remove it or one
// character; the arrows, Home and End move the cursor (with Shift they extend the selection);
// Control+A selects all. Enter or a loss of the keyboard focus ends the edit; Escape puts the
// first text back, then ends it.
#pragma once

#include <memory>

#include "gui/platform/EditBox.h"

namespace platform::x11 {

std::unique_ptr<platform::EditBox> openX11EditBox(platform::WindowHandle parent,
                                                  const platform::EditBoxSetup& setup,
                                                  platform::EditBoxClient& client);

}  // namespace platform::x11
