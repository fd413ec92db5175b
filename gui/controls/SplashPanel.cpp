#include "gui/controls/SplashPanel.h"

#include "gui/controls/ImagePicking.h"
#include "gui/core/Frame.h"

SplashPanel::SplashPanel(const Rect& clickArea, ControlListener* controlListener,
                         std::int32_t controlTag, Bitmap* background, const Rect& display,
                         const Point& offset)
    : Control(clickArea, controlListener, controlTag, background),
      displayRect(display),
      bitmapOffset(offset) {}

SplashPanel::~SplashPanel() = default;

void SplashPanel::draw(DrawContext* context) {
  if (getValue() != 0.0f) {
    drawBitmapPart(backgroundBitmap, context, size, bitmapOffset, isTransparent());
  }
  setDirty(false);
}

bool SplashPanel::hitTest(const Point& where, std::int32_t buttons) const {
  return View::hitTest(where, buttons) && (buttons & kButtonLeft) != 0;
}

bool SplashPanel::isShown() const {
  const Frame* owner = ownerFrame();
  return owner && owner->getModalView() == this;
}

void SplashPanel::stopShowing() {
  // Only a panel that was shown has a click area kept and the modal view to give up; a
  // panel refused by the frame keeps its click area, and another view's modal state stays.
  if (!isShown()) return;
  size = keptSize;
  ownerFrame()->setModalView(nullptr);
}

void SplashPanel::onMouseDown(DrawContext* context, Point&) {
  if (!isMouseActive() || !context || (context->getMouseButtons() & kButtonLeft) == 0) return;
  const bool turnOn = getValue() == 0.0f;
  setValue(turnOn ? 1.0f : 0.0f);
  Frame* owner = ownerFrame();
  if (!turnOn) {
    const bool wasShown = isShown();
    stopShowing();
    if (wasShown) owner->draw(context);
    notify(context);
  } else if (owner && owner->setModalView(this)) {
    keptSize = size;
    size = displayRect;
    draw(context);
    notify(context);
  }
  setDirty(true);
}

void SplashPanel::hidePanel() {
  setDirty(true);
  setValue(0.0f);
  if (!isShown()) return;
  stopShowing();
  // The frame repaints the window whole, the panel no longer over it.
  ownerFrame()->drawView(nullptr);
}
