// A window for the drawing tests: a rectangle on a pretend screen, as the software backend
// would have it. Tests make and own it.
#pragma once

#include "gui/platform/Window.h"

namespace platform::software {

class SoftwareWindow : public platform::Window {
 public:
  explicit SoftwareWindow(const Rect& rect) : screen(rect) {}
  void setScreenRect(const Rect& r) { screen = r; }
  bool screenRect(Rect& out) const override {
    out = screen;
    return true;
  }

 private:
  Rect screen;
};

}  // namespace platform::software
