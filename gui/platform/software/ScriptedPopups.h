// The software backend's popup menus: a headless menu tree that the scripted user answers.
// Tests script the answer to the next popups (an entry reached through the texts of its
// submenus, or a dismissal), and read back what each popup showed and where. Owner-drawn
// entries are measured and drawn through the owner window's client, as the platform does
// while it shows a menu. Used on one thread; tests reset it before they script it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/base/Point.h"
#include "gui/platform/PopupMenu.h"
#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

// One entry of a popup as the user saw it.
struct ShownEntry {
  enum class Kind { Entry, Separator, Submenu };
  Kind kind = Kind::Entry;
  std::string text;
  // The command of an entry; kNoMenuCommand for separators and submenus.
  std::int32_t command = platform::kNoMenuCommand;
  std::int32_t flags = 0;
  std::vector<ShownEntry> submenu;
  // Owner-drawn entries: the size the owner measured, and the picture it drew there
  // (unselected), null when the owner drew nothing.
  Point measured;
  std::shared_ptr<PixelSurface> picture;
};

struct ShownPopup {
  platform::WindowHandle owner = nullptr;
  Point screen;
  bool rightButton = false;
  std::vector<ShownEntry> entries;
};

class ScriptedPopups {
 public:
  // No scripted answers, nothing shown.
  void reset();

  // The user's answer to the next popup not yet answered: the entry whose text is the last
  // of path, reached through the submenus titled by the texts before it. A path that leads
  // to no entry that can be chosen (greyed, disabled, a separator, a submenu, or missing)
  // leaves the menu dismissed, as clicks there do not choose. A popup without a scripted
  // answer is dismissed.
  void choose(std::vector<std::string> path);
  void dismiss();
  // Something the user does while the next popup is open, before it is answered.
  void whileOpen(std::function<void()> action) { pendingAction = std::move(action); }

  // Every popup shown since the reset, oldest first.
  const std::vector<ShownPopup>& shown() const { return shownPopups; }

  // What a popup's track asks: records the popup and answers the next scripted choice.
  std::int32_t answer(ShownPopup popup);

 private:
  std::deque<std::vector<std::string>> answers;
  std::function<void()> pendingAction;
  std::vector<ShownPopup> shownPopups;
};

// The process's popups.
ScriptedPopups& scriptedPopups();

// A menu as platform::createPopupMenu makes it for the scripted user.
std::unique_ptr<platform::PopupMenu> createScriptedPopupMenu();

}  // namespace platform::software
