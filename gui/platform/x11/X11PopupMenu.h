// The X11 backend's popup menus: an override-redirect window at the asked point, drawn by the
// toolkit's rasterizer (owner-drawn entries by the owner window's client), with the pointer
// grabbed so that a click anywhere ends it. An entry is chosen by a click on it, or by letting
// go of the button that opened the menu over it; a click outside dismisses the menu. A submenu
// opens beside its entry when that entry is clicked.
#pragma once

#include <memory>

#include "gui/platform/PopupMenu.h"

namespace platform::x11 {

std::unique_ptr<platform::PopupMenu> createX11PopupMenu();

}  // namespace platform::x11
