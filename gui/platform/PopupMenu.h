// The platform's popup menus: a tree of entries, separators and submenus that pops up at a
// point on the screen, waits for the user and answers the command of the chosen entry. The
// software backend's popups are answered by the scripted user. Made, shown and destroyed on
// the user-interface thread.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/base/Color.h"
#include "gui/base/Point.h"
#include "gui/platform/WindowService.h"

namespace platform {

// Flags of an entry, combined by OR.
// Shown greyed; cannot be chosen.
inline constexpr std::int32_t kMenuGreyed = 0x01;
// Shown as usual; cannot be chosen.
inline constexpr std::int32_t kMenuDisabled = 0x02;
// Shown with a check mark.
inline constexpr std::int32_t kMenuChecked = 0x04;
// Starts a new column, with a line between the columns.
inline constexpr std::int32_t kMenuColumnBreak = 0x08;
// The owner window measures and draws the entry itself (WindowClient's menu item calls);
// the item data it gets points to a terminated copy of the entry's text ("-" for a
// separator), valid while the menu exists.
inline constexpr std::int32_t kMenuOwnerDrawn = 0x10;

// Commands run from 0 to kMenuCommandLimit - 1, so that they fit the platform's 16-bit
// command word whatever way it reports them.
inline constexpr std::int32_t kMenuCommandLimit = 0xFFFF;
// What track answers when the user dismisses the menu.
inline constexpr std::int32_t kNoMenuCommand = -1;

class PopupMenu {
 public:
  // Destroys the menu and every submenu appended to it.
  virtual ~PopupMenu() = default;

  // Each appends at the end; false when the platform refuses (the menu is unchanged).
  // text is shown as given, a tab starting a right-aligned part; null counts as empty.
  // command must lie in 0 to kMenuCommandLimit - 1.
  virtual bool appendEntry(const char* text, std::int32_t command, std::int32_t flags) = 0;
  // Takes kMenuOwnerDrawn only.
  virtual bool appendSeparator(std::int32_t flags) = 0;
  // Takes over submenu, also when it answers false (the submenu is destroyed then).
  virtual bool appendSubmenu(const char* title, std::unique_ptr<PopupMenu> submenu,
                             std::int32_t flags) = 0;

  // Shows the menu with its top-left corner at screen, owned by owner, and waits until the
  // user chooses an entry or dismisses the menu. rightButton lets the right button choose
  // as well as the left. The chosen command, or kNoMenuCommand. No message about the
  // choice reaches the owner.
  virtual std::int32_t track(WindowHandle owner, Point screen, bool rightButton) = 0;
};

// A new empty menu; null when the platform cannot make one.
std::unique_ptr<PopupMenu> createPopupMenu();

// The system's colours of menus.
struct MenuColors {
  Color background;
  Color selectedBackground;
  Color text;
  Color selectedText;
  Color disabledText;
};

MenuColors menuColors();

}  // namespace platform
