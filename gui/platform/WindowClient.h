// What a window made by the window service (WindowService.h) calls on the object it is linked
// to. The backend's window procedure turns the platform's messages into these calls; every
// call runs on the thread that owns the window, and the devices handed in live only for the
// call.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

namespace platform {

class Device;

// Which button a press message was for.
enum class PressedButton { Left, Right, Middle };

class WindowClient {
 public:
  // The window is being destroyed; no more calls follow.
  virtual void windowDestroyed() = 0;
  // Paints area (window coordinates) through the paint device of the window.
  virtual void windowPaint(Device& device, const Rect& area) = 0;
  // A button went down at where (window coordinates) and device is the window's.
  virtual void windowButtonDown(Device& device, Point where, PressedButton button) = 0;
  // Sizes an owner-drawn menu item whose item data is itemData; false leaves the item to
  // the platform.
  virtual bool windowMeasureMenuItem(std::uintptr_t itemData, Device& device, Point& size) = 0;
  // Draws an owner-drawn menu item into rect of device. stateBits: 1 checked, 2 disabled,
  // 4 selected. False leaves the item to the platform.
  virtual bool windowDrawMenuItem(std::uintptr_t itemData, std::int32_t itemId,
                                  std::int32_t stateBits, Device& device, const Rect& rect) = 0;
  // The colours of an open edit box of the window; false leaves it to the platform.
  virtual bool windowEditBoxColors(Color& text, Color& background) = 0;

 protected:
  ~WindowClient() = default;
};

}  // namespace platform
