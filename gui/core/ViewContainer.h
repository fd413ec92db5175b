// A view that holds child views, paints a backdrop (bitmap or colour) under them, can
// compose them in an off-screen buffer, and routes the mouse, the wheel, keys and drops to
// the child on top. Children's rectangles are relative to the container's top-left corner.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/base/Color.h"
#include "gui/core/ChildList.h"
#include "gui/core/View.h"

class Bitmap;
class OffscreenContext;

// The message that only containers answer with 1. It is told apart by its address, not
// its text, so senders must pass this very constant.
inline constexpr char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";

// Redraw modes: the whole container when anything in it is dirty, or only the dirty
// children over the backdrop under them.
inline constexpr std::int32_t kRedrawWhole = 0;
inline constexpr std::int32_t kRedrawDirtyChildren = 1;

// Owns one reference to each child it holds (one per time the child was added, see
// ChildList.h) and one to its backdrop; destroying the container removes every child with
// alsoRelease true, so it takes the creators' references with it. Window thread only.
class ViewContainer : public View {
 public:
  // frame may be null and is passed on to the children; a backdrop given is retained.
  ViewContainer(const Rect& bounds, FrameServices* owner, Bitmap* backdropBitmap = nullptr);
  ~ViewContainer() override;

  void draw(DrawContext* context) override;
  // Draws the backdrop in area and every child touching it; a buffer copies out only area.
  void drawArea(DrawContext* context, const Rect& area) override;
  // The topmost mouse-active child hit at where gets the press; the others none.
  void onMouseDown(DrawContext* context, Point& where) override;
  void update(DrawContext* context) override;
  // 1 for kMsgCheckIfViewContainer itself, 0 otherwise.
  std::int32_t handleMessage(View* sender, const char* message) override;
  // Offered to the children from the topmost down; the first answer other than -1 wins.
  std::int32_t onKeyDown(const KeyCode& key) override;
  std::int32_t onKeyUp(const KeyCode& key) override;
  // False without a frame; otherwise the topmost mouse-active child whose hit area holds
  // where and that takes the drop.
  bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                   Point& where) override;
  // Goes to the topmost child whose hit area holds the frame's cursor; false without one.
  bool onWheel(DrawContext* context, const Point& where, float distance) override;
  // Passed on to every child.
  void focusLost(DrawContext* context) override;
  void focusGained(DrawContext* context) override;
  // True when the container or any child is dirty.
  bool isDirty() const override;
  // Also replaces an existing buffer by one of the new size.
  void setBounds(const Rect& bounds) override;
  // Also passed on to every child, so that children added before the container found its
  // frame reach it too.
  void setOwnerFrame(FrameServices* frame) override;
  // Deletes the buffer.
  bool onDetached(View* holder) override;
  // Makes the buffer when buffering is on.
  bool onAttached(View* holder) override;

  // Both forms ignore a null child and one that would contain itself, and add nothing when
  // the list cannot grow. The first sets the child's mouse-active flag and hit area before
  // adding it.
  virtual void addChild(View* child, const Rect& hitArea, bool mouseActive);
  // Appends the child on top, retains it, gives it the frame and this container as parent,
  // then tells it onAttached and marks it dirty.
  virtual void addChild(View* child);
  // Removes every entry of child, releasing each entry's reference; alsoRelease releases
  // the creator's reference once more, when someone still holds one. The child is told
  // onDetached per entry and loses its parent link.
  virtual void removeChild(View* child, bool alsoRelease);
  virtual void removeAllChildren(bool alsoRelease);
  virtual bool hasChild(View* child) const;
  virtual std::int32_t childCount() const;
  // 0 is the first added; null outside 0 to childCount() - 1.
  virtual View* childAt(std::int32_t index) const;
  virtual void setBackdropColor(Color color);
  virtual Color getBackdropColor() const;
  // Releases the old bitmap and retains the new one; null allowed.
  virtual void setBackdrop(Bitmap* bitmap);
  virtual Bitmap* getBackdrop() const;
  // The point of the backdrop bitmap that lies under the container's top-left corner.
  virtual void setBackdropOffset(const Point& offset);
  virtual Point getBackdropOffset() const;
  // kRedrawWhole or kRedrawDirtyChildren; other modes make update do nothing.
  virtual void setRedrawMode(std::int32_t mode);
  virtual std::int32_t getRedrawMode() const;
  // Off deletes an existing buffer; on makes one when it is next needed.
  virtual void setBuffered(bool flag);

 private:
  void ensureBuffer();
  // The buffer when one is in use and has a surface to draw into.
  OffscreenContext* drawingBuffer() const;
  void paintBackdrop(DrawContext* context, const Rect& area);
  // Paints the backdrop in local (container coordinates) and the children over it, all of
  // them or those touching local, then copies local out of the buffer when there is one.
  void compose(DrawContext* context, const Rect& local, bool onlyTouching);
  void updateDirtyChildren(DrawContext* context);
  Point originInFrame() const;
  bool wouldContainItself(View* child) const;

  ChildList children;
  Bitmap* backdrop = nullptr;
  std::int32_t redrawMode = kRedrawWhole;
  std::unique_ptr<OffscreenContext> buffer;
  Color backdropColor = kBlack;
  Point backdropOffset;
  bool buffered = true;
};
