// Popup menus of user32. Item ids are the commands plus one, so that id 0, which
// TrackPopupMenu answers for a dismissed menu, is never an entry's.
#include <windows.h>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "gui/platform/PopupMenu.h"

namespace platform {

namespace {

UINT entryFlags(std::int32_t flags) {
  UINT result = 0;
  if (flags & kMenuGreyed) result |= MF_GRAYED;
  if (flags & kMenuDisabled) result |= MF_DISABLED;
  if (flags & kMenuChecked) result |= MF_CHECKED;
  if (flags & kMenuColumnBreak) result |= MF_MENUBARBREAK;
  if (flags & kMenuOwnerDrawn) result |= MF_OWNERDRAW;
  return result;
}

Color fromSystem(int index) {
  const COLORREF c = GetSysColor(index);
  return Color(GetRValue(c), GetGValue(c), GetBValue(c));
}

class Win32PopupMenu final : public PopupMenu {
 public:
  explicit Win32PopupMenu(HMENU handle) : menu(handle) {}
  ~Win32PopupMenu() override {
    // An appended submenu belongs to its parent's handle, which destroys it.
    if (!attached) DestroyMenu(menu);
  }
  Win32PopupMenu(const Win32PopupMenu&) = delete;
  Win32PopupMenu& operator=(const Win32PopupMenu&) = delete;

  bool appendEntry(const char* text, std::int32_t command, std::int32_t flags) override {
    if (command < 0 || command >= kMenuCommandLimit) return false;
    return append(entryFlags(flags), static_cast<UINT_PTR>(command) + 1, text);
  }

  bool appendSeparator(std::int32_t flags) override {
    return append(MF_SEPARATOR | (entryFlags(flags) & MF_OWNERDRAW), 0, "-");
  }

  bool appendSubmenu(const char* title, std::unique_ptr<PopupMenu> submenu,
                     std::int32_t flags) override {
    auto* child = dynamic_cast<Win32PopupMenu*>(submenu.get());
    if (!child) return false;
    if (!append(MF_POPUP | entryFlags(flags), reinterpret_cast<UINT_PTR>(child->menu), title)) {
      return false;
    }
    child->attached = true;
    submenu.release();
    children.emplace_back(child);
    return true;
  }

  std::int32_t track(WindowHandle owner, Point screen, bool rightButton) override {
    const UINT flags = TPM_LEFTALIGN | TPM_RETURNCMD | (rightButton ? TPM_RIGHTBUTTON : 0);
    const BOOL id =
        TrackPopupMenu(menu, flags, screen.x, screen.y, 0, static_cast<HWND>(owner), nullptr);
    if (id <= 0 || id > kMenuCommandLimit) return kNoMenuCommand;
    return static_cast<std::int32_t>(id) - 1;
  }

 private:
  bool append(UINT flags, UINT_PTR id, const char* text) {
    const char* shown = text ? text : "";
    if (flags & MF_OWNERDRAW) {
      // The owner reads the text through the item data while the menu exists.
      const std::size_t length = std::strlen(shown);
      std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
      if (!copy) return false;
      std::memcpy(copy.get(), shown, length + 1);
      if (!AppendMenuA(menu, flags, id, copy.get())) return false;
      ownerTexts.push_back(std::move(copy));
      return true;
    }
    if (flags & MF_SEPARATOR) return AppendMenuA(menu, flags, id, nullptr) != FALSE;
    // The narrow call reads the text in the system's ANSI code page, as the toolkit's
    // other texts are read.
    return AppendMenuA(menu, flags, id, shown) != FALSE;
  }

  HMENU menu;
  bool attached = false;
  std::vector<std::unique_ptr<char[]>> ownerTexts;
  std::vector<std::unique_ptr<Win32PopupMenu>> children;
};

}  // namespace

std::unique_ptr<PopupMenu> createPopupMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  return std::make_unique<Win32PopupMenu>(menu);
}

MenuColors menuColors() {
  return MenuColors{fromSystem(COLOR_MENU), fromSystem(COLOR_HIGHLIGHT), fromSystem(COLOR_MENUTEXT),
                    fromSystem(COLOR_HIGHLIGHTTEXT), fromSystem(COLOR_GRAYTEXT)};
}

}  // namespace platform
