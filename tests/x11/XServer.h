// The tests' own client of the X server that xvfb-run starts: the host's windows, the
// user's pointer and keyboard through XTEST, pictures of windows, and the server's count
// of clients (X-Resource).
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "gui/platform/software/PixelSurface.h"

namespace xtest {

class XServer {
 public:
  // Null when no server answers or it lacks XTEST.
  static std::unique_ptr<XServer> connect();
  ~XServer();

  // A mapped top-level window, as a host makes for an editor.
  xcb_window_t makeWindow(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
  void destroy(xcb_window_t window);
  // The window's only child, or 0.
  xcb_window_t onlyChild(xcb_window_t window);
  std::int32_t childCount(xcb_window_t window);
  // The window's picture as device words; null when it cannot be read.
  std::unique_ptr<platform::software::PixelSurface> picture(xcb_window_t window, std::int32_t w,
                                                            std::int32_t h);
  // The user: the pointer to a point of the screen, a button, a key (by key symbol).
  void moveTo(std::int32_t x, std::int32_t y);
  void button(std::uint8_t number, bool down);
  void key(std::uint32_t keysym, bool down);
  void tap(std::uint32_t keysym);
  void focus(xcb_window_t window);
  // How many clients the server has; nothing when it lacks X-Resource.
  std::optional<std::int32_t> clientCount();
  void sync();

 private:
  explicit XServer(xcb_connection_t* c);
  xcb_connection_t* conn;
  xcb_screen_t* screen;
};

}  // namespace xtest
