#include "gui/platform/x11/BackendChoice.h"

#include <atomic>

#include "gui/platform/EditBox.h"
#include "gui/platform/FileDialogs.h"
#include "gui/platform/Input.h"
#include "gui/platform/PopupMenu.h"
#include "gui/platform/WindowService.h"
#include "gui/platform/software/ScriptedDialogs.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/ScriptedPopups.h"
#include "gui/platform/software/SoftwareEditBox.h"
#include "gui/platform/software/WindowTree.h"
#include "gui/platform/x11/DesktopDialogs.h"
#include "gui/platform/x11/X11EditBox.h"
#include "gui/platform/x11/X11Input.h"
#include "gui/platform/x11/X11PopupMenu.h"
#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

enum class Choice { None, X11, Headless };
std::atomic<Choice> choice{Choice::None};

}  // namespace

void useX11UnlessHeadless() {
  Choice none = Choice::None;
  choice.compare_exchange_strong(none, Choice::X11);
}

bool useHeadless() {
  if (x11Windows().windowCount() != 0) return false;
  choice.store(Choice::Headless);
  return true;
}

bool onX11() {
  return choice.load() == Choice::X11;
}

}  // namespace platform::x11

namespace platform {

WindowService& windows() {
  if (x11::onX11()) return x11::x11Windows();
  return software::windowTree();
}

Input& input() {
  if (x11::onX11()) return x11::x11Input();
  return software::scriptedInput();
}

FileDialogService& fileDialogs() {
  if (x11::onX11()) return x11::desktopDialogs();
  return software::scriptedDialogs();
}

std::unique_ptr<EditBox> openEditBox(WindowHandle parent, const EditBoxSetup& setup,
                                     EditBoxClient& client) {
  if (x11::onX11()) return x11::openX11EditBox(parent, setup, client);
  return software::openHeadlessEditBox(parent, setup, client);
}

std::unique_ptr<PopupMenu> createPopupMenu() {
  if (x11::onX11()) return x11::createX11PopupMenu();
  return software::createScriptedPopupMenu();
}

}  // namespace platform
