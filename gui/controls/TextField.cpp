#include "gui/controls/TextField.h"

#include <algorithm>
#include <cstring>

#include "gui/core/Frame.h"
#include "gui/platform/WindowService.h"

namespace {

platform::EditBoxAlign boxAlign(std::int32_t alignment) {
  switch (alignment) {
    case kTextCenter:
      return platform::EditBoxAlign::Center;
    case kTextRight:
      return platform::EditBoxAlign::Right;
    default:
      return platform::EditBoxAlign::Left;
  }
}

}  // namespace

TextField::TextField(const Rect& bounds, ControlListener* fieldListener, std::int32_t fieldTag,
                     const char* initialText, Bitmap* background, std::int32_t fieldStyle)
    : ValueDisplay(bounds, background, fieldStyle) {
  listener = fieldListener;
  tag = fieldTag;
  text.assign(initialText);
}

TextField::~TextField() {
  // The box goes first, so that giving up the focus below ends no edit and tells nobody; a
  // field released while it still has the focus must not leave the frame pointing at it.
  editBox.reset();
  Frame* owner = ownerFrame();
  if (owner && owner->getFocusView() == this) owner->setFocusView(nullptr);
}

void TextField::setOwnerFrame(FrameServices* newFrame) {
  // A field taken out of its frame while editing (its container removed) ends the edit as
  // the frame ends it for its own views, so that the frame keeps no focus on it.
  Frame* owner = ownerFrame();
  if (owner && newFrame != frame && owner->getFocusView() == this) owner->setFocusView(nullptr);
  ValueDisplay::setOwnerFrame(newFrame);
}

void TextField::draw(DrawContext* context) {
  if (!editBox) {
    char current[kTextBufferSize];
    text.copyTo(current);
    char shown[kTextBufferSize] = "";
    if (textConvertWithData) {
      textConvertWithData(current, shown, userWord);
    } else if (textConvert) {
      textConvert(current, shown);
    } else {
      std::memcpy(shown, current, sizeof shown);
    }
    // A conversion that filled the buffer without ending it still gives a terminated text.
    shown[kTextBufferSize - 1] = '\0';
    drawLabel(context, shown, nullptr);
  }
  setDirty(false);
}

void TextField::onMouseDown(DrawContext* context, Point&) {
  if (!isMouseActive() || !context) return;
  if ((context->getMouseButtons() & kButtonLeft) == 0) return;
  Frame* owner = ownerFrame();
  if (!owner || owner->getFocusView() == this) return;
  if ((style & kEditOnDoubleClick) && !checkDoubleClick()) return;
  owner->setFocusView(this);
  focusGained(context);
}

void TextField::focusGained(DrawContext* context) {
  Frame* owner = ownerFrame();
  if (!owner) return;
  Rect area = size;
  if (context) area.offset(context->getOffset().x, context->getOffset().y);
  char current[kTextBufferSize];
  text.copyTo(current);
  const FontEntry& font = fontEntry(fontId);
  platform::EditBoxSetup setup;
  setup.rect = area;
  setup.text = current;
  setup.align = boxAlign(alignment);
  setup.fontFace = font.face;
  // The font fits the box, but never shrinks to nothing.
  setup.fontHeight = std::max(std::min(font.defaultHeight, area.height() - 2), 1);
  editBox = platform::openEditBox(owner->getWindow(), setup, *this);
  // Without a box there is no edit to end: the field does not keep the focus.
  if (!editBox && owner->getFocusView() == this) owner->setFocusView(nullptr);
}

void TextField::editBoxDone() {
  focusLost(nullptr);
}

void TextField::focusLost(DrawContext* context) {
  Frame* owner = ownerFrame();
  if (!editBox || !owner || owner->getFocusView() != this) return;
  // The box is taken first, so that the frame's own call back into focusLost while the
  // focus is cleared finds no edit to end.
  std::unique_ptr<platform::EditBox> box = std::move(editBox);
  owner->setFocusView(nullptr);
  char typed[kTextBufferSize];
  // The whole buffer: all the characters the box takes are kept.
  box->getText(typed, kTextBufferSize);
  const bool changed = text.assign(typed);
  const platform::WindowHandle window = owner->getWindow();
  // The box is gone before the listener hears of the change, as the user sees it.
  box.reset();
  // The field drew nothing while the box covered it.
  setDirty(true);
  if (changed && listener) {
    if (context) {
      listener->valueChanged(context, this);
    } else {
      std::unique_ptr<platform::WindowDevice> fetched =
          window ? platform::windows().fetchDevice(window) : nullptr;
      platform::WindowRef ref(window);
      DrawContext temporary(owner, fetched ? &fetched->device() : nullptr, &ref);
      SavedOrigin saved;
      if (View* container = getParent()) {
        Rect corner;
        container->getBounds(corner);
        temporary.pushOrigin(Point(corner.left, corner.top), saved);
      }
      listener->valueChanged(&temporary, this);
    }
  }
  if (View* container = getParent()) {
    container->handleMessage(this, "LooseFocus");
  } else {
    owner->handleMessage(this, "LooseFocus");
  }
}

void TextField::setText(const char* newText) {
  if (newText && text.assign(newText)) setDirty(true);
}

void TextField::getText(char* out) const {
  if (out) text.copyTo(out);
}

void TextField::setEditTextConvert(TextConvertWithData convert, std::int32_t userData) {
  textConvertWithData = convert;
  userWord = userData;
}

void TextField::setEditTextConvert(TextConvert convert) {
  textConvert = convert;
}

bool TextField::editBoxColors(Color& textColor, Color& background) {
  if (!editBox) return false;
  textColor = fontColor;
  background = backColor;
  return true;
}
