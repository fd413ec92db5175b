#include "gui/platform/software/SoftwareEditBox.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::software {

namespace {

constexpr char kBackspace = '\b';

std::vector<SoftwareEditBox*>& openBoxes() {
  static std::vector<SoftwareEditBox*> boxes;
  return boxes;
}

}  // namespace

SoftwareEditBox::SoftwareEditBox(platform::WindowHandle made, const platform::EditBoxSetup& setup,
                                 platform::EditBoxClient& told)
    : window(made),
      client(told),
      content(setup.text ? setup.text : ""),
      alignment(setup.align),
      face(setup.fontFace ? setup.fontFace : ""),
      height(setup.fontHeight) {
  // The first text is the caller's; only typing is held to the limit, as on the platform.
  openBoxes().push_back(this);
  windowTree().setKeyboardClient(window, this);
  windowTree().setFocus(window);
}

SoftwareEditBox::~SoftwareEditBox() {
  std::erase(openBoxes(), this);
  windowTree().setKeyboardClient(window, nullptr);
  windowTree().destroyWindow(window);
}

SoftwareEditBox* SoftwareEditBox::find(platform::WindowHandle handle) {
  for (SoftwareEditBox* box : openBoxes()) {
    if (box->window == handle) return box;
  }
  return nullptr;
}

void SoftwareEditBox::getText(char* out, std::int32_t size) const {
  if (!out || size <= 0) return;
  const std::size_t taken = std::min(content.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(out, content.data(), taken);
  out[taken] = '\0';
}

void SoftwareEditBox::keyTyped(char c) {
  if (selectedAll) content.clear();
  selectedAll = false;
  if (c == kBackspace) {
    if (!content.empty()) content.pop_back();
  } else if (content.size() < static_cast<std::size_t>(platform::kEditBoxLimit)) {
    content.push_back(c);
  }
}

void SoftwareEditBox::keyPressed(std::int32_t virtualKey) {
  // The client may close the box here: nothing of it is touched after the call.
  if (virtualKey == kKeyEnter) client.editBoxDone();
}

void SoftwareEditBox::keyboardFocusLost() {
  client.editBoxDone();
}

std::unique_ptr<platform::EditBox> openHeadlessEditBox(platform::WindowHandle parent,
                                                       const platform::EditBoxSetup& setup,
                                                       platform::EditBoxClient& client) {
  WindowTree& tree = windowTree();
  if (!tree.isWindow(parent)) return nullptr;
  const Rect& r = setup.rect;
  const platform::WindowHandle window =
      tree.createWindow(parent, Rect(r.left, r.top, r.right + 1, r.bottom + 1), "EDIT", false);
  if (!window) return nullptr;
  return std::make_unique<SoftwareEditBox>(window, setup, client);
}

}  // namespace platform::software
