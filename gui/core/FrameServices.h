// What views ask of the frame that shows them. The frame implements it; views keep a
// plain pointer and never own the frame. Called on the window's thread, except drawView,
// which the editor's light timer may also reach through View::redrawNow.
#pragma once

#include "gui/base/Point.h"
#include "gui/core/FrameLink.h"

class EditorLink;
class View;

class FrameServices : public FrameLink {
 public:
  // Draws the view at once through a context of the frame's own, outside the regular
  // update; a view the frame does not hold makes it draw itself whole.
  virtual void drawView(View* view) = 0;
  // The cursor's position in frame coordinates.
  virtual void getPointerInFrame(Point& out) = 0;
  // The editor that owns the frame, or null.
  virtual EditorLink* getOwnerEditor() const = 0;

 protected:
  ~FrameServices() = default;
};
