// The X11 backend's windows: real X windows, each drawn by the software rasterizer into its
// own pixels and copied to the server. Every X call goes through the plug-in's own X thread
// (XThread.h); the toolkit's calls (paint, presses, keys) are queued there and served on the
// thread that serves the editor: the host's thread when it sends idle calls, the X thread when
// the host has sent none for a while. serve() and the host's calls into the editor hold the
// user-interface lock (uiLock), so that only one thread at a time is inside the toolkit.
//
// Handles are the addresses of the backend's window records. A handle that is no record of
// the backend is taken as the X id of a window of another client (the host's), checked with
// the server before use and never dereferenced.
#pragma once

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "gui/platform/WindowClient.h"
#include "gui/platform/WindowService.h"
#include "gui/platform/software/PixelSurface.h"
#include "gui/platform/x11/XThread.h"

namespace platform::x11 {

// What a window that takes the keyboard (an edit box, a popup menu) hears of the user.
// Calls run on the serving thread.
class KeyTaker {
 public:
  // keysym is the X key symbol, text the typed character or 0, modifiers the button word's
  // kShiftDown, kControlDown and kAltDown bits.
  virtual void keyDown(std::uint32_t keysym, char text, std::int32_t modifiers) = 0;
  virtual void focusLost() = 0;

 protected:
  ~KeyTaker() = default;
};

// Where keys and wheel turns over an editor window go: to the host-facing side of the
// plug-in, as a host would send them. frame is the editor's window.
class HostBridge {
 public:
  // keysym is the X key symbol, text its character or 0.
  virtual void key(platform::WindowHandle frame, std::uint32_t keysym, char text,
                   std::int32_t modifiers, bool down) = 0;
  virtual void wheel(platform::WindowHandle frame, float distance) = 0;

 protected:
  ~HostBridge() = default;
};

class X11Windows final : public platform::WindowService {
 public:
  // Window kinds: a child of another window, or a popup (override-redirect, top level).
  enum class Kind { Child, Popup };

  X11Windows() = default;
  // The X thread stops before the records it reads go.
  ~X11Windows();
  X11Windows(const X11Windows&) = delete;
  X11Windows& operator=(const X11Windows&) = delete;

  // Whether an X server answers and id names one of its windows (viewable or not).
  bool isForeignWindow(std::uintptr_t id);
  // Whether a window of the backend lives in the window of another client with this id.
  bool holdsWindowIn(std::uint32_t foreignParent);
  // The X id of the window of another client that holds window, or 0.
  std::uint32_t foreignParentOf(platform::WindowHandle window);
  // A window of the backend: a child of parent (a handle), or a popup at rect on the screen.
  platform::WindowHandle makeWindow(Kind kind, platform::WindowHandle parent, const Rect& rect,
                                    const char* className);
  bool isWindow(platform::WindowHandle window);
  // The X id of a window of the backend, 0 for none.
  std::uint32_t xid(platform::WindowHandle window);
  void setKeyTaker(platform::WindowHandle window, KeyTaker* taker);
  // The client linked to the window, or null.
  platform::WindowClient* client(platform::WindowHandle window);
  void focus(platform::WindowHandle window);
  // Grabs or lets go of the pointer for a popup, so that a click elsewhere reaches it.
  bool grabPointer(platform::WindowHandle window, bool grab);
  // Asks for a paint of the whole window.
  void invalidate(platform::WindowHandle window);
  // Copies the window's pixels to the server now.
  void flush(platform::WindowHandle window);

  void setHostBridge(HostBridge* bridge) { hostBridge.store(bridge); }
  // The user-interface lock: the host's calls into the editor hold it.
  std::recursive_mutex& uiLock() { return ui; }
  // The host sent an idle call; events are served on its thread while it keeps doing so.
  void noteHostIdle();
  // Delivers the waiting presses, keys, paints and closings. Caller holds uiLock.
  void serve();
  // Lets the X thread read events while a loop of the serving thread waits for the user.
  void pumpWhileWaiting();
  // Removes a waiting left-button press from the queue; false when none.
  bool takeLeftPress();
  // The number of windows of the backend alive now.
  std::int32_t windowCount();

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
  bool hasCaption(platform::WindowHandle) override { return false; }
  bool className(platform::WindowHandle window, char* out, std::int32_t size) override;
  bool resizeWindow(platform::WindowHandle window, std::int32_t width,
                    std::int32_t height) override;
  void bringToTop(platform::WindowHandle window) override;
  std::unique_ptr<platform::WindowDevice> fetchDevice(platform::WindowHandle window) override;
  // X11 drag and drop is not offered: the sink is refused.
  bool setDropTarget(platform::WindowHandle window,
                     std::unique_ptr<platform::DropSink> sink) override;
  platform::CursorHandle currentCursor() override;
  platform::CursorHandle systemCursor(platform::CursorShape shape) override;
  void setCursor(platform::CursorHandle cursor) override;
  std::int32_t dialogFrameHeight() override { return 0; }
  bool dispatchOnePaintMessage() override;
  void sleep(std::uint32_t milliseconds) override;
  void oleInitialize() override {}
  void oleUninitialize() override {}

 private:
  struct Node {
    xcb_window_t id = 0;
    xcb_gcontext_t gc = 0;
    Node* parent = nullptr;
    xcb_window_t foreignParent = 0;
    Kind kind = Kind::Child;
    std::string className;
    Rect rect;
    std::atomic<std::int32_t> originX = 0;
    std::atomic<std::int32_t> originY = 0;
    std::unique_ptr<software::PixelSurface> pixels;
    std::recursive_mutex pixelLock;
    platform::WindowClient* client = nullptr;
    KeyTaker* keys = nullptr;
    Rect update;
    std::atomic<bool> gone = false;
  };
  struct Event {
    enum class Type { Press, Key, Wheel, Gone, FocusOut } type;
    xcb_window_t window;
    Point where;
    platform::PressedButton button = platform::PressedButton::Left;
    std::uint32_t keysym = 0;
    char text = 0;
    std::int32_t modifiers = 0;
    bool down = true;
    float wheel = 0;
    std::uint32_t time = 0;
  };
  class Device;
  // A shared-memory image of a window, known to the server; X thread only.
  struct SharedImage {
    std::uint32_t segment = 0;
    void* memory = nullptr;
    std::size_t bytes = 0;
  };

  XThread* connect();
  // The running X thread, or null.
  XThread* current();
  void handleEvent(xcb_connection_t* conn, const xcb_generic_event_t& event);
  void tick();
  std::shared_ptr<Node> find(platform::WindowHandle window);
  std::shared_ptr<Node> findId(xcb_window_t id);
  void sendPixels(Node& node, const Rect& area);
  // On the X thread: puts rows (w x h words) at area's corner, through shared memory when the
  // server takes it, else in plain requests.
  void putPixels(XThread& thread, xcb_connection_t* conn, xcb_window_t id, xcb_gcontext_t gc,
                 const Rect& area, std::int32_t windowWidth, std::int32_t windowHeight,
                 const std::vector<std::uint32_t>& rows);
  SharedImage* sharedImage(xcb_connection_t* conn, xcb_window_t id, std::size_t bytes);
  void releaseSharedImage(xcb_connection_t* conn, xcb_window_t id);
  void flushDrawing(bool force);
  void destroyNode(const std::shared_ptr<Node>& node, bool tellClients);
  // With no window left, the connection goes, and whatever the server kept for it. Not on
  // the X thread, which cannot wait for its own end.
  void disconnectIfUnused();
  void loadKeymap(xcb_connection_t* conn);
  std::uint32_t keysymOf(std::uint8_t keycode, bool shifted) const;
  bool serveOne(bool paintsOnly);

  std::recursive_mutex ui;
  std::mutex stateLock;
  std::unique_ptr<XThread> x;
  std::vector<std::shared_ptr<Node>> nodes;
  std::vector<std::string> classes;
  std::deque<Event> events;
  std::atomic<HostBridge*> hostBridge = nullptr;
  std::atomic<std::int64_t> lastHostIdle = 0;
  // The window whose button press is being handled, drawn on while the user drags.
  std::shared_ptr<Node> drawing;
  std::int64_t lastDrawingFlush = 0;
  std::uint8_t firstKeycode = 0;
  std::uint8_t keysymsPerCode = 0;
  std::vector<xcb_keysym_t> keymap;
  // X thread only: whether the server offers shared memory, and the windows' images there.
  bool sharedMemory = false;
  std::map<xcb_window_t, SharedImage> sharedImages;
  xcb_font_t cursorFont = 0;
  xcb_cursor_t cursors[7] = {};
  platform::CursorHandle cursor = nullptr;
};

X11Windows& x11Windows();

// Milliseconds of a steady clock, the backend's tick count.
std::int64_t steadyMilliseconds();

}  // namespace platform::x11
