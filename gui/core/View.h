// The root of everything the editor window shows: a rectangle that draws itself, can be
// marked dirty, takes the mouse, keys, the wheel and drops, and is shared by an intrusive
// reference count.
#pragma once

#include <atomic>
#include <cstdint>

#include "gui/base/Point.h"
#include "gui/base/Rect.h"
#include "gui/core/KeyCode.h"

class DrawContext;
class EditorLink;
class FrameServices;

// Drop types of onDropItems: kDroppedFiles hands `count` file names; kDroppedText hands one
// pointer to dropped text of `count` bytes.
inline constexpr std::int32_t kDroppedFiles = 0;
inline constexpr std::int32_t kDroppedText = 1;

// The hit test of views: unlike Rect::pointInside, the right and bottom edges count in.
constexpr bool insideEdgesIncluded(const Rect& r, const Point& p) {
  return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

// A view starts with one reference, its creator's. Every holder retains what it keeps; the
// release that takes the count from 1 to 0 deletes the view, so views live on the heap.
// Used on the window's thread; only the dirty flag may also be touched by a view that the
// editor's timer redraws (redrawNow), and it is a relaxed atomic for that reason.
class View {
 public:
  // The hit area starts as a copy of size and does not follow later changes of the size.
  explicit View(const Rect& bounds);
  virtual ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // Draws the view; the base only clears the dirty flag.
  virtual void draw(DrawContext* context);
  // Draws what lies in area (parent coordinates); the base draws the whole view.
  virtual void drawArea(DrawContext* context, const Rect& area);
  // Whether area touches or overlaps the size rectangle, edges included on both sides.
  virtual bool touchesArea(const Rect& area) const;
  // A button press at where (parent coordinates). Controls follow their whole drag here.
  // The context may be null.
  virtual void onMouseDown(DrawContext* context, Point& where);
  // Draws the view when it is dirty, then clears the mark.
  virtual void update(DrawContext* context);
  // Answers a message from sender; the base knows none and answers 0.
  virtual std::int32_t handleMessage(View* sender, const char* message);
  // -1 means not handled; any other value is the handler's own answer.
  virtual std::int32_t onKeyDown(const KeyCode& key);
  virtual std::int32_t onKeyUp(const KeyCode& key);
  // Items dropped at where (parent coordinates), of a drop type above. True when taken.
  virtual bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                           Point& where);
  // A wheel turn with the cursor at where. True when taken. The context may be null.
  virtual bool onWheel(DrawContext* context, const Point& where, float distance);
  // The frame calls focusLost with a null context when the keyboard focus moves away.
  virtual void focusLost(DrawContext* context);
  virtual void focusGained(DrawContext* context);
  virtual bool isDirty() const;
  virtual void setDirty(bool flag);
  virtual void setMouseActive(bool flag);
  virtual bool isMouseActive() const;
  // The area in which drops and a container's wheel routing find the view.
  virtual void setHitArea(const Rect& area);
  virtual Rect& getHitArea(Rect& out) const;
  // Whether where (parent coordinates) lies on the view, edges included. The button and
  // modifier word is for views that care; the base ignores it.
  virtual bool hitTest(const Point& where, std::int32_t buttons) const;
  // A transparent view copies its bitmaps colour-keyed and paints no background colour.
  virtual void setTransparent(bool flag);
  virtual bool isTransparent() const;
  // Moves or resizes the view and marks it dirty; the hit area stays where it was.
  virtual void setBounds(const Rect& bounds);
  virtual Rect& getBounds(Rect& out) const;
  // Links set by the holder that takes the view in; neither is owned.
  virtual void setParent(View* parent);
  virtual void setOwnerFrame(FrameServices* frame);
  // The editor of the view's frame, or null while the view has no frame.
  virtual EditorLink* getOwnerEditor() const;
  // Told when the view leaves or enters a holder (a container or the frame); true means
  // the view is content with it.
  virtual bool onDetached(View* holder);
  virtual bool onAttached(View* holder);
  // Does nothing when the count is already 0 or less.
  virtual void release();
  virtual void retain();
  virtual std::int32_t referenceCount() const;

  // Asks the frame to draw the view at once; nothing without a frame.
  void redrawNow();
  FrameServices* getFrame() const { return frame; }
  View* getParent() const { return parent; }

 protected:
  Rect size;
  Rect hitArea;
  FrameServices* frame = nullptr;
  View* parent = nullptr;
  std::atomic<bool> dirty = false;
  bool mouseActive = true;
  bool transparent = false;

 private:
  std::int32_t refCount = 1;
};
