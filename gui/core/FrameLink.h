// What a draw context needs of the frame it draws for. The frame implements it; a context
// keeps a plain pointer and never owns the frame.
#pragma once

#include "gui/base/Rect.h"

class FrameLink {
 public:
  // The frame's size rectangle, the default clip rectangle of its contexts.
  virtual Rect frameSize() const = 0;
  // Lets the frame do its idle work while a context waits on the mouse.
  virtual void frameIdle() = 0;

 protected:
  ~FrameLink() = default;
};
