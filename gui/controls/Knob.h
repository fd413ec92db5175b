// The rotary controls: a knob whose pointer (a small bitmap, or two drawn lines) moves on a
// circle over its background, and a knob that shows one frame of a strip of pictures.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/controls/Control.h"

// The value follows the mouse by angle (circular) or by distance (linear: right and up
// raise it; Shift at the press or during the drag makes it finer). The library-wide knob
// mode 2 makes linear the default; Alt at the press picks the other mode. Angles are in
// radians, counter-clockwise from the positive x axis with y pointing up. Window thread
// only, like every control; the knob is meant to be square.
class Knob : public Control {
 public:
  // pointer may be null (then two lines are drawn); background and pointer are retained.
  // offset is the point of the background drawn at the knob's top-left corner.
  Knob(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background,
       Bitmap* pointer, const Point& offset);
  // Releases the pointer bitmap.
  ~Knob() override;

  // The background from the bitmap offset, then the pointer; clears the dirty state.
  void draw(DrawContext* context) override;
  // Follows the drag until the left button lets go, with the host told of the gesture and
  // the knob holding the keyboard focus; a Control-click restores the reset value.
  void onMouseDown(DrawContext* context, Point& where) override;
  // The arrow keys step the value (see Control); -1 for other keys.
  std::int32_t onKeyDown(const KeyCode& key) override;
  bool onWheel(DrawContext* context, const Point& where, float distance) override;

  // Draws only the pointer at the value's angle.
  virtual void drawPointer(DrawContext* context);
  // The angle of the minimum. A value that is not finite is refused.
  virtual void setArcStart(float radians);
  virtual float getArcStart() const;
  // The signed angle from minimum to maximum, negative for clockwise. Zero and values that
  // are not finite are refused. Both setters take the minimum and maximum of the moment
  // into the angle-to-value mapping, which does not follow later range changes.
  virtual void setArcSweep(float radians);
  virtual float getArcSweep() const;
  // Where the pointer point lies for the current value, relative to the top-left corner.
  virtual void pointerPosition(Point& out) const;
  // The value that a point (relative to the top-left corner) points at; the dead zone
  // between the arc's ends gives the nearer end.
  virtual float valueAtPoint(const Point& where) const;
  // Distance of the pointer point from the rim, in pixels.
  virtual void setPointerInset(std::int32_t pixels);
  virtual void setShadowLineColor(Color color);
  virtual void setPointerLineColor(Color color);
  // Null returns to drawn lines. A bitmap sets the inset from its width.
  virtual void setPointerBitmap(Bitmap* pointer);
  // How much longer the linear drag's path is with Shift (1.5 at first). Values that are
  // not positive and finite are refused.
  virtual void setFineFactor(float factor);
  virtual float getFineFactor() const;

 protected:
  Point bitmapOffset;
  Color pointerColor = kWhite;
  Color shadowColor = kGrey;
  Bitmap* pointerBitmap = nullptr;
  // Distance of the pointer point from the rim: 3 for drawn lines.
  std::int32_t inset = 3;
  float arcStart = 0.0f;
  float arcSweep = 1.0f;
  float halfDeadAngle = 0.0f;
  float slope = 0.0f;
  float intercept = 0.0f;
  float radius;
  float fineFactor = 1.5f;

 private:
  // Slope, intercept and half dead angle from the arc and the current range.
  void mapAngles();
  // The linear drag's value change per pixel for the given button word.
  float linearRate(std::int32_t buttons) const;
};

// A knob that shows one frame of a vertical strip of frameCount pictures, each frameHeight
// pixels high, in its background bitmap: the first at the minimum, the last only at 1.
// Values outside [0, 1] show the nearer end.
class FilmstripKnob : public Knob {
 public:
  FilmstripKnob(const Rect& size, ControlListener* listener, std::int32_t tag,
                std::int32_t frameCount, std::int32_t frameHeight, Bitmap* background,
                const Point& offset);
  ~FilmstripKnob() override;

  void draw(DrawContext* context) override;

 protected:
  std::int32_t frameCount;
  std::int32_t frameHeight;
};
