#include "gui/platform/software/ScriptedPopups.h"

#include <algorithm>
#include <utility>

#include "gui/platform/WindowClient.h"
#include "gui/platform/software/SoftwareDevice.h"
#include "gui/platform/software/WindowTree.h"

namespace platform::software {

namespace {

class ScriptedPopupMenu final : public platform::PopupMenu {
 public:
  bool appendEntry(const char* text, std::int32_t command, std::int32_t flags) override {
    if (command < 0 || command >= platform::kMenuCommandLimit) return false;
    return append(ShownEntry::Kind::Entry, text, command, flags, nullptr);
  }

  bool appendSeparator(std::int32_t flags) override {
    return append(ShownEntry::Kind::Separator, "-", platform::kNoMenuCommand,
                  flags & platform::kMenuOwnerDrawn, nullptr);
  }

  bool appendSubmenu(const char* title, std::unique_ptr<PopupMenu> submenu,
                     std::int32_t flags) override {
    auto* child = dynamic_cast<ScriptedPopupMenu*>(submenu.get());
    if (!child) return false;
    submenu.release();
    return append(ShownEntry::Kind::Submenu, title, platform::kNoMenuCommand, flags,
                  std::unique_ptr<ScriptedPopupMenu>(child));
  }

  std::int32_t track(platform::WindowHandle owner, Point screen, bool rightButton) override {
    ShownPopup popup;
    popup.owner = owner;
    popup.screen = screen;
    popup.rightButton = rightButton;
    popup.entries = show(owner);
    return scriptedPopups().answer(std::move(popup));
  }

 private:
  struct Item {
    ShownEntry::Kind kind;
    std::string text;
    std::int32_t command;
    std::int32_t flags;
    std::unique_ptr<ScriptedPopupMenu> submenu;
  };

  bool append(ShownEntry::Kind kind, const char* text, std::int32_t command, std::int32_t flags,
              std::unique_ptr<ScriptedPopupMenu> submenu) {
    items.push_back(Item{kind, text ? text : "", command, flags, std::move(submenu)});
    return true;
  }

  // What the user sees: the entries with the owner's measures and pictures of the
  // owner-drawn ones.
  std::vector<ShownEntry> show(platform::WindowHandle owner) const {
    std::vector<ShownEntry> shown;
    for (const Item& item : items) {
      ShownEntry entry;
      entry.kind = item.kind;
      entry.text = item.text;
      entry.command = item.command;
      entry.flags = item.flags;
      if (item.submenu) entry.submenu = item.submenu->show(owner);
      if (item.flags & platform::kMenuOwnerDrawn) ownerDraw(owner, item, entry);
      shown.push_back(std::move(entry));
    }
    return shown;
  }

  static void ownerDraw(platform::WindowHandle owner, const Item& item, ShownEntry& entry) {
    platform::WindowClient* client = windowTree().client(owner);
    std::unique_ptr<platform::WindowDevice> fetched = windowTree().fetchDevice(owner);
    if (!client || !fetched) return;
    const auto data = reinterpret_cast<std::uintptr_t>(item.text.c_str());
    if (!client->windowMeasureMenuItem(data, fetched->device(), entry.measured)) return;
    std::shared_ptr<PixelSurface> picture =
        PixelSurface::create(std::max(entry.measured.x, 1), std::max(entry.measured.y, 1), false);
    if (!picture) return;
    SoftwareDevice device(picture.get());
    const std::int32_t id = item.command >= 0 ? item.command + 1 : 0;
    const std::int32_t state =
        (item.flags & platform::kMenuChecked ? 1 : 0) |
        (item.flags & (platform::kMenuGreyed | platform::kMenuDisabled) ? 2 : 0);
    // The rectangle as the Win32 window procedure hands it on: one pixel taller than the
    // item.
    const Rect rect(0, 0, entry.measured.x, entry.measured.y + 1);
    if (client->windowDrawMenuItem(data, id, state, device, rect))
      entry.picture = std::move(picture);
  }

  std::vector<Item> items;
};

bool choosable(const ShownEntry& entry) {
  return entry.kind == ShownEntry::Kind::Entry &&
         (entry.flags & (platform::kMenuGreyed | platform::kMenuDisabled)) == 0;
}

std::int32_t follow(const std::vector<ShownEntry>& entries, const std::vector<std::string>& path,
                    std::size_t depth) {
  if (depth >= path.size()) return platform::kNoMenuCommand;
  const bool last = depth + 1 == path.size();
  for (const ShownEntry& entry : entries) {
    if (entry.text != path[depth]) continue;
    if (last && choosable(entry)) return entry.command;
    if (!last && entry.kind == ShownEntry::Kind::Submenu) {
      return follow(entry.submenu, path, depth + 1);
    }
  }
  return platform::kNoMenuCommand;
}

}  // namespace

void ScriptedPopups::reset() {
  answers.clear();
  pendingAction = nullptr;
  shownPopups.clear();
}

void ScriptedPopups::choose(std::vector<std::string> path) {
  answers.push_back(std::move(path));
}

void ScriptedPopups::dismiss() {
  answers.emplace_back();
}

std::int32_t ScriptedPopups::answer(ShownPopup popup) {
  if (pendingAction) std::exchange(pendingAction, nullptr)();
  std::int32_t command = platform::kNoMenuCommand;
  if (!answers.empty()) {
    command = follow(popup.entries, answers.front(), 0);
    answers.pop_front();
  }
  shownPopups.push_back(std::move(popup));
  return command;
}

ScriptedPopups& scriptedPopups() {
  static ScriptedPopups popups;
  return popups;
}

std::unique_ptr<platform::PopupMenu> createScriptedPopupMenu() {
  return std::make_unique<ScriptedPopupMenu>();
}

}  // namespace platform::software

namespace platform {

MenuColors menuColors() {
  // The classic system scheme.
  return MenuColors{Color(212, 208, 200), Color(10, 36, 106), Color(0, 0, 0), Color(255, 255, 255),
                    Color(128, 128, 128)};
}

}  // namespace platform
