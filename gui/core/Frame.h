// The top of the editor's view tree and the owner of the editor's window: a child window of
// the host's window whose paint and button messages become calls on the views, with the
// editor's idle, automation gestures, cursors and window sizing reached through it.
#pragma once

#include <atomic>
#include <cstdint>

#include "gui/core/ChildList.h"
#include "gui/core/EditorLink.h"
#include "gui/core/FrameServices.h"
#include "gui/core/KeyCode.h"
#include "gui/core/View.h"
#include "gui/core/WindowRecord.h"
#include "gui/platform/WindowClient.h"
#include "gui/platform/WindowService.h"

class Bitmap;
class DrawContext;

// Cursor types of setCursor. Any other value leaves the cursor unchanged.
inline constexpr std::int32_t kPointerDefault = 0;
inline constexpr std::int32_t kPointerWait = 1;
inline constexpr std::int32_t kPointerResizeHorizontal = 2;
inline constexpr std::int32_t kPointerResizeVertical = 3;
inline constexpr std::int32_t kPointerMoveAll = 4;
inline constexpr std::int32_t kPointerResizeRising = 5;
inline constexpr std::int32_t kPointerResizeFalling = 6;

// Made, used and deleted on the host's user-interface thread; only drawView may also run on
// the editor's timer thread, while the list of views stays unchanged. The frame owns the
// views it holds (the reference that addChild hands over, see ChildList.h) and its window;
// it does not own the editor, the modal view or the focus view.
class Frame : public View, public FrameServices, private platform::WindowClient {
 public:
  // Makes a child window of size's width and height at (0, 0) in parentWindow and registers
  // it as a drop target. Without a parent, or when the window cannot be made, the frame has
  // no window and draws nowhere. editor may be null.
  Frame(const Rect& size, platform::WindowHandle parentWindow, EditorLink* editor);
  // A frame whose window the host opens (openThroughHost); no window until then. title is
  // cut to 127 characters; null counts as empty.
  Frame(const Rect& size, const char* title, EditorLink* editor, std::int32_t style);
  // Restores the default cursor, revokes the drop target, releases all views and the
  // backdrop, and destroys the window.
  ~Frame() override;

  // View slots.
  // Draws the backdrop from its own top-left corner, then every view, then the modal view.
  void draw(DrawContext* context) override;
  // Draws the backdrop in area (same source point) and the views that touch the area.
  void drawArea(DrawContext* context, const Rect& area) override;
  // Ends text editing, then gives the press to the topmost mouse-active view that takes it,
  // or only to the modal view while one is set.
  void onMouseDown(DrawContext* context, Point& where) override;
  // Redraws what is dirty (all of it when the frame itself is); nothing once closed.
  void update(DrawContext* context) override;
  // Offered to the focus view, the modal view, then the views from the top down; -1 when
  // nobody takes the key.
  std::int32_t onKeyDown(const KeyCode& key) override;
  std::int32_t onKeyUp(const KeyCode& key) override;
  // False while a modal or focus view is set; otherwise true when a view under where takes
  // the items.
  bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                   Point& where) override;
  // Goes to the view under the cursor with the cursor's current position; a null context
  // gets one on the window. False without such a view.
  bool onWheel(DrawContext* context, const Point& where, float distance) override;
  EditorLink* getOwnerEditor() const override;

  // Appended slots.
  // Takes over the caller's reference to view. False, adding nothing, for a null view or
  // when the list cannot grow.
  virtual bool addChild(View* view);
  // Drops view from the list, detaches it (its frame link cleared, the focus taken from it)
  // and releases it when alsoRelease. False, changing nothing, for a view the frame does
  // not hold.
  virtual bool removeChild(View* view, bool alsoRelease);
  // Ends the focus, then detaches (and releases when alsoRelease) every view. Always true.
  virtual bool removeAllChildren(bool alsoRelease);
  virtual bool hasChild(View* view) const;
  virtual std::int32_t childCount() const;
  // Null for an index outside the list.
  virtual View* childAt(std::int32_t index) const;

  // The bitmap drawn under all views, or null; the frame holds one reference.
  void setBackdrop(Bitmap* bitmap);
  Bitmap* getBackdrop() const { return backdrop; }
  // False, changing nothing, when view is given while another modal view is set. Neither
  // the old nor the new modal view is reference-counted by the frame.
  bool setModalView(View* view);
  View* getModalView() const { return modalView; }
  // The previous focus view, if any, gets focusLost with a null context.
  void setFocusView(View* view);
  View* getFocusView() const { return focusView; }
  // The cursor in frame coordinates (screen coordinates without a window).
  void getPointerInFrame(Point& out) override;
  // The modal view when set, else the topmost view under the cursor, edges included; null
  // when there is none.
  View* getViewUnderPointer();
  // Draws view (or the whole frame when the frame does not hold it) at once on the window;
  // nothing without a window. Also on the editor's timer thread.
  void drawView(View* view) override;
  // Redraws dirty views between messages, once the window has had its first paint.
  void idleUpdate();
  // Runs the editor's throttled idle; controls call it while they follow a drag.
  void idle();
  // The editor's tick clock in milliseconds; 0 without an editor.
  std::uint32_t getTicks() const;
  // The library-wide knob mode (2: knobs follow the mouse linearly).
  std::int32_t getKnobMode() const;
  // Tell the host that a gesture on parameter index starts or ends; nothing without an
  // editor.
  void beginEdit(std::int32_t index);
  void endEdit(std::int32_t index);
  // One of the kPointer types; the first call remembers the current cursor as the default.
  void setCursor(std::int32_t type);
  // Registers or revokes the window as a drop target. False without a window or when the
  // platform refuses.
  bool setDropActive(bool active);
  // Resizes the editor window, through the host when it can, else by hand with the tight
  // wrapper windows above it. False when closed, for the current size or a negative one.
  bool setSize(std::int32_t width, std::int32_t height);
  // The top-left corner, in its parent, of the outermost window that wraps the frame's
  // window; false when closed or without a window.
  bool getPosition(std::int32_t& x, std::int32_t& y) const;
  // The frame's window; null before it is made and once the platform has destroyed it.
  platform::WindowHandle getWindow() const { return window.load(std::memory_order_relaxed); }
  // True while the window is usable.
  bool isOpen() const { return open.load(std::memory_order_relaxed); }

  // Host-window mode: asks the host for a window at the given top-left corner (or where it
  // likes) and opens the frame in it; when already open only brings it to the top. False
  // when the host gives no window.
  bool openThroughHost(const Point* topLeft = nullptr);
  // Hands the window back to the host; false without one.
  bool closeThroughHost();

  // FrameLink.
  Rect frameSize() const override;
  void frameIdle() override;

  // The library-wide knob mode that editors set for every frame. Any thread.
  static void setKnobMode(std::int32_t mode);
  // The name of the frame window class, "Plugin" and the module handle in (at least) eight
  // hex digits; empty until the first frame registers it.
  static const char* windowClassName();
  // How many frames hold the window class.
  static std::int32_t classRegistrations();

 private:
  bool createWindow(platform::WindowHandle parent);
  // Tells view it leaves the frame, clears its frame link and releases it when asked.
  void detach(View* view, bool alsoRelease);
  static void registerClass();
  static void unregisterClass();
  bool resizeWrappersByHand(std::int32_t width, std::int32_t height);
  // A context on the window's device, or without a device when there is no window.
  template <typename Use>
  void withWindowContext(Use use);

  // platform::WindowClient.
  void windowDestroyed() override;
  void windowPaint(platform::Device& device, const Rect& area) override;
  void windowButtonDown(platform::Device& device, Point where,
                        platform::PressedButton button) override;
  bool windowMeasureMenuItem(std::uintptr_t itemData, platform::Device& device,
                             Point& size) override;
  bool windowDrawMenuItem(std::uintptr_t itemData, std::int32_t itemId, std::int32_t stateBits,
                          platform::Device& device, const Rect& rect) override;
  bool windowEditBoxColors(Color& text, Color& background) override;

  EditorLink* editor = nullptr;
  platform::WindowHandle parentWindow = nullptr;
  Bitmap* backdrop = nullptr;
  // Read by drawView on the timer thread as well. The frame walks it by index rather than
  // through its visits, whose references would be counted on two threads.
  ChildList children;
  View* modalView = nullptr;
  View* focusView = nullptr;
  std::atomic<bool> firstPaintPending = true;
  std::atomic<bool> open = false;
  bool dropActive = false;
  std::atomic<platform::WindowHandle> window = nullptr;
  bool hostWindowMode = false;
  WindowRecord* windowRecord = nullptr;
  bool defaultCursorKnown = false;
  platform::CursorHandle defaultCursor = nullptr;
  // Whether this frame counts among the holders of the window class.
  bool holdsClass = false;
  // The view being told that it loses the focus.
  View* leavingFocus = nullptr;
};
