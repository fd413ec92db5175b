#include "gui/platform/software/HeadlessHostWindow.h"

#include <algorithm>

#include "gui/platform/software/WindowTree.h"

namespace platform::software {

namespace {

void dispatch() {
  windowTree().dispatchMessages();
}

bool inside(WindowTree& tree, platform::WindowHandle window, platform::WindowHandle host) {
  for (; window; window = tree.parentOf(window)) {
    if (window == host) return true;
  }
  return false;
}

bool readPixels(const HeadlessHostWindow* self, std::uint32_t* out) {
  WindowTree& tree = windowTree();
  if (!self || !out || !tree.isWindow(self->window)) return false;
  Rect host;
  tree.screenRect(self->window, host);
  // Each pixel from the topmost window there, as the screen shows it.
  for (std::int32_t y = 0; y < self->height; ++y) {
    for (std::int32_t x = 0; x < self->width; ++x) {
      const Point screen(host.left + x, host.top + y);
      platform::WindowHandle shown = tree.windowAt(screen);
      if (!inside(tree, shown, self->window)) shown = self->window;
      Rect at;
      tree.screenRect(shown, at);
      const PixelSurface* pixels = tree.pixels(shown);
      const std::int32_t px = screen.x - at.left;
      const std::int32_t py = screen.y - at.top;
      const bool covered =
          pixels && px >= 0 && py >= 0 && px < pixels->width() && py < pixels->height();
      out[static_cast<std::size_t>(y) * static_cast<std::size_t>(self->width) +
          static_cast<std::size_t>(x)] = covered ? pixels->pixel(px, py) & 0xFFFFFFu : 0;
    }
  }
  return true;
}

}  // namespace

void* adoptHeadlessHostWindow(HeadlessHostWindow* record) {
  if (!record || record->magic != HeadlessHostWindow::kMagic) return nullptr;
  WindowTree& tree = windowTree();
  if (!tree.isWindow(record->window)) {
    record->window = tree.createWindow(
        nullptr, Rect(0, 0, std::max(record->width, 0), std::max(record->height, 0)),
        "HeadlessHostWindow", false);
  }
  record->dispatchMessages = dispatch;
  record->readPixels = readPixels;
  return record->window;
}

}  // namespace platform::software
