// The platform's native single-line edit box, opened over a view so that the user can type a
// text in place. The box opens with its text all selected (typing replaces it), no margins,
// room for at most kEditBoxLimit characters and the keyboard focus; Enter or any loss of the
// focus asks its client to end the edit. Used on the thread that owns the parent window.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/base/Rect.h"
#include "gui/platform/WindowService.h"

namespace platform {

// The most characters the box takes; the platform refuses any more.
inline constexpr std::int32_t kEditBoxLimit = 255;

enum class EditBoxAlign { Left, Center, Right };

// What the box tells the one who opened it. Called from inside the box's own message
// handling; the client may close the box there.
class EditBoxClient {
 public:
  // The user pressed Enter, or the box lost the keyboard focus.
  virtual void editBoxDone() = 0;

 protected:
  ~EditBoxClient() = default;
};

struct EditBoxSetup {
  // In the parent's client coordinates; the box covers it with its right and bottom edges
  // included, one pixel wider and higher than the rectangle.
  Rect rect;
  // The first text; null counts as empty.
  const char* text = nullptr;
  EditBoxAlign align = EditBoxAlign::Left;
  // A variable-pitch sans-serif font of normal weight with this face and cell height.
  const char* fontFace = "";
  std::int32_t fontHeight = 0;
};

class EditBox {
 public:
  // Destroys the box and its font without telling the client.
  virtual ~EditBox() = default;
  // Copies the box's text into out, cut to size - 1 bytes and terminated; nothing when
  // size is not positive.
  virtual void getText(char* out, std::int32_t size) const = 0;
  virtual WindowHandle handle() const = 0;
};

// Opens a box as a child of parent; null when it cannot be made (no parent window).
std::unique_ptr<EditBox> openEditBox(WindowHandle parent, const EditBoxSetup& setup,
                                     EditBoxClient& client);

}  // namespace platform
