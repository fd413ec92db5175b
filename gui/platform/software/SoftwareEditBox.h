// The software backend's edit box: a headless window of class "EDIT" in the window tree that
// keeps the typed text, with the platform box's observable behaviour: the first text all
// selected so that typing replaces it, the character limit, Backspace, and Enter or a loss of
// the keyboard focus telling the client. Tests find an open box by its window.
#pragma once

#include <cstdint>
#include <string>

#include "gui/platform/EditBox.h"
#include "gui/platform/software/WindowTree.h"

namespace platform::software {

class SoftwareEditBox final : public platform::EditBox, private KeyboardClient {
 public:
  // Takes over window (made in the tree for the box) and gives it the keyboard focus.
  SoftwareEditBox(platform::WindowHandle window, const platform::EditBoxSetup& setup,
                  platform::EditBoxClient& client);
  ~SoftwareEditBox() override;
  SoftwareEditBox(const SoftwareEditBox&) = delete;
  SoftwareEditBox& operator=(const SoftwareEditBox&) = delete;

  void getText(char* out, std::int32_t size) const override;
  platform::WindowHandle handle() const override { return window; }

  // The open box whose window this is, or null.
  static SoftwareEditBox* find(platform::WindowHandle window);
  const std::string& text() const { return content; }
  bool allSelected() const { return selectedAll; }
  platform::EditBoxAlign align() const { return alignment; }
  const std::string& fontFace() const { return face; }
  std::int32_t fontHeight() const { return height; }

 private:
  void keyTyped(char c) override;
  void keyPressed(std::int32_t virtualKey) override;
  void keyboardFocusLost() override;

  platform::WindowHandle window;
  platform::EditBoxClient& client;
  std::string content;
  bool selectedAll = true;
  platform::EditBoxAlign alignment;
  std::string face;
  std::int32_t height;
};

// The box as platform::openEditBox makes it on the headless window tree.
std::unique_ptr<platform::EditBox> openHeadlessEditBox(platform::WindowHandle parent,
                                                       const platform::EditBoxSetup& setup,
                                                       platform::EditBoxClient& client);

}  // namespace platform::software
