// A platform window as the drawing code sees it. Windows are made and destroyed by the
// backend; the toolkit holds them without owning them.
#pragma once

#include "gui/base/Rect.h"

namespace platform {

class Window {
 public:
  virtual ~Window() = default;
  // The window's rectangle on the screen; false when the platform cannot tell.
  virtual bool screenRect(Rect& out) const = 0;
};

}  // namespace platform
