// The platform's windows as the frame uses them: a window class, child windows linked to a
// client (WindowClient.h) that gets their messages, the chain of parent windows above them,
// cursors, the paint messages of the calling thread, and the thread's OLE services. One
// process-wide instance, provided by the backend (the software backend's is a headless
// window tree that tests drive). Called on the user-interface thread, except where stated.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/base/Point.h"
#include "gui/base/Rect.h"
#include "gui/platform/DropSink.h"
#include "gui/platform/Window.h"

namespace platform {

class Device;
class WindowClient;

// A native window: a HWND on Win32, a node of the window tree in the software backend.
// Null stands for no window.
using WindowHandle = void*;
// A native cursor; null stands for none.
using CursorHandle = void*;

// A device on a window's client area, fetched outside any paint message. Dropping it gives
// the device back to the window. Any thread.
class WindowDevice {
 public:
  virtual ~WindowDevice() = default;
  virtual Device& device() = 0;
};

enum class CursorShape {
  Wait,
  ResizeHorizontal,
  ResizeVertical,
  MoveAll,
  ResizeRising,
  ResizeFalling
};

class WindowService {
 public:
  // Registers the class of the frame windows under name (at most 255 characters), with the
  // standard arrow cursor and the button-face background. False when the platform refuses.
  virtual bool registerWindowClass(const char* name) = 0;
  virtual void unregisterWindowClass(const char* name) = 0;

  // A visible child window of the class at (0, 0) of parent, of the given size, titled
  // caption; null when it cannot be made. Its messages go to client once setClient links
  // it. The window is the caller's to destroy.
  virtual WindowHandle createChildWindow(const char* className, WindowHandle parent,
                                         const char* caption, std::int32_t width,
                                         std::int32_t height) = 0;
  // Destroys the window and its children; each linked client gets windowDestroyed first.
  virtual void destroyWindow(WindowHandle window) = 0;
  // Links the window's messages to client; null unlinks, and messages then get the
  // platform's default handling.
  virtual void setClient(WindowHandle window, WindowClient* client) = 0;

  // The window's outer rectangle on the screen; false for no window.
  virtual bool screenRect(WindowHandle window, Rect& out) = 0;
  // The top-left corner in the client coordinates of the parent; false for no window.
  virtual bool positionInParent(WindowHandle window, Point& out) = 0;
  // The parent window, or null for a top-level window.
  virtual WindowHandle parentOf(WindowHandle window) = 0;
  // Whether the window has a caption bar.
  virtual bool hasCaption(WindowHandle window) = 0;
  // The window's class name, terminated and cut to size bytes; false when unknown.
  virtual bool className(WindowHandle window, char* out, std::int32_t size) = 0;
  // Gives the window a new outer size, its top-left corner kept. Sizes below 0 count as 0.
  virtual bool resizeWindow(WindowHandle window, std::int32_t width, std::int32_t height) = 0;
  // Brings the window to the top of its siblings.
  virtual void bringToTop(WindowHandle window) = 0;

  // A device on the window's client area; null when there is none. Any thread.
  virtual std::unique_ptr<WindowDevice> fetchDevice(WindowHandle window) = 0;

  // Registers sink as the window's drop target, or revokes the registration (sink null),
  // which deletes the registered sink. The platform owns a registered sink until then, or
  // until the window goes. False when the platform refuses; a refused sink is deleted.
  virtual bool setDropTarget(WindowHandle window, std::unique_ptr<DropSink> sink) = 0;

  virtual CursorHandle currentCursor() = 0;
  virtual CursorHandle systemCursor(CursorShape shape) = 0;
  // A null cursor leaves the current one.
  virtual void setCursor(CursorHandle cursor) = 0;

  // The height of the frame of a dialog window (the platform's SM_CYDLGFRAME).
  virtual std::int32_t dialogFrameHeight() = 0;

  // Takes at most one waiting paint message of the calling thread, for any of its windows,
  // and dispatches it; false when none was waiting.
  virtual bool dispatchOnePaintMessage() = 0;
  // Lets milliseconds pass on the calling thread.
  virtual void sleep(std::uint32_t milliseconds) = 0;

  // The OLE services of the calling thread, counted: every initialise needs one uninitialise.
  virtual void oleInitialize() = 0;
  virtual void oleUninitialize() = 0;

 protected:
  ~WindowService() = default;
};

WindowService& windows();

// The drawing code's view of a native window (DrawContext takes a Window). Holds the handle
// without owning the window.
class WindowRef final : public Window {
 public:
  explicit WindowRef(WindowHandle handle = nullptr) : window(handle) {}
  WindowHandle handle() const { return window; }
  bool screenRect(Rect& out) const override {
    return window != nullptr && windows().screenRect(window, out);
  }

 private:
  WindowHandle window;
};

}  // namespace platform
