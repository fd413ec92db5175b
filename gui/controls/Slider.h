// The sliders: a thumb bitmap that moves along a straight track drawn from a background
// bitmap, composed off-screen so that the thumb never flickers over the track.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/controls/Control.h"

class OffscreenContext;

// Slider style bits: the direction and the end at which the value is 0. A style carries
// one direction and one origin that fits it; without an origin bit the value is 0 at the
// right or bottom end.
inline constexpr std::int32_t kSliderHorizontal = 0x01;
inline constexpr std::int32_t kSliderVertical = 0x02;
inline constexpr std::int32_t kSliderOriginLeft = 0x08;
inline constexpr std::int32_t kSliderOriginRight = 0x10;
inline constexpr std::int32_t kSliderOriginTop = 0x20;
inline constexpr std::int32_t kSliderOriginBottom = 0x40;

// The value runs from 0 to 1 along the track. A left press either brings the thumb's
// centre to the cursor (jump-to-click, the default) or grabs the thumb where it lies (a
// press beside it then does nothing); the thumb follows the mouse until the left button
// lets go, a tenth as fast while Shift is held. The host hears of each drag as a gesture
// and the slider takes the keyboard focus; a Control-click anywhere on it restores the
// reset value. Window thread only; it draws through a buffer made when a holder attaches
// it (without one it draws straight to the target).
class Slider : public Control {
 public:
  // startPos and endPos: where the thumb's leading edge may start and end, in the parent's
  // coordinates along the track. thumb and background may be null and are retained;
  // offset is the point of the background drawn at the slider's top-left corner.
  Slider(const Rect& size, ControlListener* listener, std::int32_t tag, std::int32_t startPos,
         std::int32_t endPos, Bitmap* thumb, Bitmap* background, const Point& offset,
         std::int32_t style);
  // thumbOffset: where the track starts inside the slider; the thumb's leading edge travels
  // trackLength less the thumb's length from there.
  Slider(const Rect& size, ControlListener* listener, std::int32_t tag, const Point& thumbOffset,
         std::int32_t trackLength, Bitmap* thumb, Bitmap* background, const Point& offset,
         std::int32_t style);
  // Releases the thumb bitmap and deletes the buffer.
  ~Slider() override;

  // The track, then the thumb at the value (kept on the track for any value), through the
  // buffer; clears the dirty state.
  void draw(DrawContext* context) override;
  void onMouseDown(DrawContext* context, Point& where) override;
  // The arrow keys step the value (see Control); -1 for other keys.
  std::int32_t onKeyDown(const KeyCode& key) override;
  bool onWheel(DrawContext* context, const Point& where, float distance) override;
  // Deletes the buffer.
  bool onDetached(View* holder) override;
  // Makes a new buffer of the slider's size on the frame.
  bool onAttached(View* holder) override;

  // Whether the thumb is copied colour-keyed (true at first) or plainly.
  virtual void setThumbTransparent(bool flag);
  virtual void setJumpToClick(bool flag);
  virtual bool getJumpToClick() const;
  // Where the thumb's track starts inside the slider (across the track, and along it from
  // the start given at construction); the bounds of the thumb's edges follow.
  virtual void setThumbOffset(const Point& offset);
  // Null leaves the thumb's size as it was.
  virtual void setThumbBitmap(Bitmap* thumb);
  virtual Bitmap* getThumbBitmap() const;
  // How much slower the value moves with Shift (10 at first). Values that are not positive
  // and finite are refused.
  virtual void setFineDivisor(float divisor);
  virtual float getFineDivisor() const;

 protected:
  Point bitmapOffset;
  Point thumbOffset;
  Bitmap* thumbBitmap = nullptr;
  std::unique_ptr<OffscreenContext> buffer;
  std::int32_t thumbWidth = 1;
  std::int32_t thumbHeight = 1;
  std::int32_t thumbTravel = 0;
  std::int32_t style;
  std::int32_t lowestPosition = 0;
  std::int32_t highestPosition = 0;
  std::int32_t startShift = 0;
  std::int32_t controlWidth;
  std::int32_t controlHeight;
  float fineDivisor = 10.0f;
  bool transparentThumb = true;
  bool jumpToClick = true;

 private:
  bool isHorizontal() const { return (style & kSliderHorizontal) != 0; }
  // Whether the value grows from the track's start (left or top).
  bool growsFromStart() const;
  std::int32_t thumbLength() const { return isHorizontal() ? thumbWidth : thumbHeight; }
  // The thumb's rectangle for the current value, relative to the slider; kept within the
  // edge bounds when bounded.
  Rect thumbRect(bool bounded) const;
  // Track and thumb, with the slider's top-left corner at origin of target.
  void drawLayers(DrawContext* target, const Point& origin);
};

// A Slider whose style always has the vertical bit.
class VerticalSlider : public Slider {
 public:
  VerticalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                 std::int32_t startPos, std::int32_t endPos, Bitmap* thumb, Bitmap* background,
                 const Point& offset, std::int32_t style);
  VerticalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                 const Point& thumbOffset, std::int32_t trackLength, Bitmap* thumb,
                 Bitmap* background, const Point& offset, std::int32_t style);
};

// A Slider whose style always has the horizontal bit.
class HorizontalSlider : public Slider {
 public:
  HorizontalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t startPos, std::int32_t endPos, Bitmap* thumb, Bitmap* background,
                   const Point& offset, std::int32_t style);
  HorizontalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                   const Point& thumbOffset, std::int32_t trackLength, Bitmap* thumb,
                   Bitmap* background, const Point& offset, std::int32_t style);
};
