// The platform's process-wide services where the headless window tree is the only backend.
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

namespace platform {

WindowService& windows() {
  return software::windowTree();
}

Input& input() {
  return software::scriptedInput();
}

FileDialogService& fileDialogs() {
  return software::scriptedDialogs();
}

std::unique_ptr<EditBox> openEditBox(WindowHandle parent, const EditBoxSetup& setup,
                                     EditBoxClient& client) {
  return software::openHeadlessEditBox(parent, setup, client);
}

std::unique_ptr<PopupMenu> createPopupMenu() {
  return software::createScriptedPopupMenu();
}

}  // namespace platform
