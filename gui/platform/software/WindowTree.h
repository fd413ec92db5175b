// The software backend's windows: a headless tree of windows on a pretend screen, each with
// its own pixels, a class name, a caption flag and an update area, and a message queue per
// thread for button presses. Paint messages are made, as on the platform, from the update
// areas of the thread's windows. Sleeping moves the scripted clock (ScriptedInput) on
// instead of waiting. Tests reset it, build the host's windows, then act as the user.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/platform/WindowClient.h"
#include "gui/platform/WindowService.h"
#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

// The virtual key of Enter, as pressKey takes it.
inline constexpr std::int32_t kKeyEnter = 13;

// What a window that takes the keyboard (an edit box) hears of the user.
class KeyboardClient {
 public:
  // One typed character.
  virtual void keyTyped(char c) = 0;
  // A key went down; the client may destroy its window here.
  virtual void keyPressed(std::int32_t virtualKey) = 0;
  // The keyboard focus moved to another window; the client may destroy its window here.
  virtual void keyboardFocusLost() = 0;

 protected:
  ~KeyboardClient() = default;
};

class WindowTree final : public platform::WindowService {
 public:
  // Destroys every window (without telling clients), forgets the classes, cursors, drop
  // targets, OLE count and queued messages; dialog frames of 3 pixels.
  void reset();

  // A window of the given class at rect (parent client coordinates, or screen coordinates
  // for a top-level window), as the host makes them. Null when parent is not a live window.
  platform::WindowHandle createWindow(platform::WindowHandle parent, const Rect& rect,
                                      const char* className, bool caption);
  bool isWindow(platform::WindowHandle window) const;
  // Asks for a paint of area (window coordinates), or of the whole window when area is null,
  // as the platform does when a window is uncovered.
  void invalidate(platform::WindowHandle window, const Rect* area);
  bool isClassRegistered(const std::string& name) const;
  std::int32_t registeredClassCount() const { return static_cast<std::int32_t>(classes.size()); }
  // The window's pixels (its client area), null for no window.
  PixelSurface* pixels(platform::WindowHandle window) const;
  // The area waiting for a paint, empty when none.
  Rect updateArea(platform::WindowHandle window) const;
  // The sink registered as the window's drop target, or null.
  platform::DropSink* dropTarget(platform::WindowHandle window) const;
  platform::WindowClient* client(platform::WindowHandle window) const;
  // The topmost window under the screen point, null when none.
  platform::WindowHandle windowAt(Point screen) const;
  void setDialogFrameHeight(std::int32_t height) { dialogFrame = height; }
  std::int32_t oleInitialisations() const { return oleCount; }
  std::int32_t windowCount() const { return static_cast<std::int32_t>(nodes.size()); }

  // The user: a press of button at the screen point goes into the queue of the window under
  // it (holding the button down in ScriptedInput); dispatchMessages then delivers every
  // queued press and every waiting paint of the calling thread, as a message loop does.
  void press(Point screen, platform::PressedButton button);
  void dispatchMessages();

  // The keyboard: the window with the focus gets what the user types. Moving the focus tells
  // the window that loses it; a destroyed window loses it without being told.
  void setKeyboardClient(platform::WindowHandle window, KeyboardClient* client);
  void setFocus(platform::WindowHandle window);
  platform::WindowHandle focus() const { return focused; }
  // The user types text into the focused window, one character a byte, or presses a key.
  void type(const char* text);
  void pressKey(std::int32_t virtualKey);

  bool registerWindowClass(const char* name) override;
  void unregisterWindowClass(const char* name) override;
  platform::WindowHandle createChildWindow(const char* className, platform::WindowHandle parent,
                                           const char* caption, std::int32_t width,
                                           std::int32_t height) override;
  void destroyWindow(platform::WindowHandle window) override;
  void setClient(platform::WindowHandle window, platform::WindowClient* client) override;
  bool screenRect(platform::WindowHandle window, Rect& out) override;
  bool positionInParent(platform::WindowHandle window, Point& out) override;
  platform::WindowHandle parentOf(platform::WindowHandle window) override;
  bool hasCaption(platform::WindowHandle window) override;
  bool className(platform::WindowHandle window, char* out, std::int32_t size) override;
  bool resizeWindow(platform::WindowHandle window, std::int32_t width,
                    std::int32_t height) override;
  void bringToTop(platform::WindowHandle window) override;
  std::unique_ptr<platform::WindowDevice> fetchDevice(platform::WindowHandle window) override;
  bool setDropTarget(platform::WindowHandle window,
                     std::unique_ptr<platform::DropSink> sink) override;
  platform::CursorHandle currentCursor() override { return cursor; }
  platform::CursorHandle systemCursor(platform::CursorShape shape) override;
  void setCursor(platform::CursorHandle handle) override;
  std::int32_t dialogFrameHeight() override { return dialogFrame; }
  bool dispatchOnePaintMessage() override;
  void sleep(std::uint32_t milliseconds) override;
  void oleInitialize() override { ++oleCount; }
  void oleUninitialize() override { --oleCount; }

  // The arrow cursor that is current after reset.
  static platform::CursorHandle arrowCursor();

 private:
  struct Node {
    std::string className;
    Node* parent = nullptr;
    Rect rect;
    bool caption = false;
    platform::WindowClient* client = nullptr;
    std::unique_ptr<platform::DropSink> dropTarget;
    KeyboardClient* keyboard = nullptr;
    std::unique_ptr<PixelSurface> pixels;
    Rect update;
    std::thread::id owner;
  };

  Node* find(platform::WindowHandle window) const;
  Node* make(Node* parent, const Rect& rect, const std::string& className, bool caption);
  Rect screenOf(const Node& node) const;
  void destroyNode(Node* node, bool tellClients);

  std::vector<std::unique_ptr<Node>> nodes;
  std::vector<std::string> classes;
  platform::CursorHandle cursor = arrowCursor();
  std::int32_t dialogFrame = 3;
  std::int32_t oleCount = 0;
  Node* focused = nullptr;
};

// The process's windows, as platform::windows() returns them.
WindowTree& windowTree();

}  // namespace platform::software
