#include "gui/platform/x11/X11PopupMenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gui/base/Font.h"
#include "gui/platform/Input.h"
#include "gui/platform/WindowClient.h"
#include "gui/platform/software/SoftwareDevice.h"
#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

constexpr std::int32_t kEntryHeight = 18;
constexpr std::int32_t kSeparatorHeight = 8;
constexpr std::int32_t kTextInset = 18;
constexpr std::int32_t kPollMilliseconds = 5;

class X11PopupMenu final : public platform::PopupMenu, platform::WindowClient {
 public:
  bool appendEntry(const char* text, std::int32_t command, std::int32_t flags) override {
    if (command < 0 || command >= platform::kMenuCommandLimit) return false;
    entries.push_back({text ? text : "", command, flags, false, nullptr, Rect()});
    return true;
  }

  bool appendSeparator(std::int32_t flags) override {
    entries.push_back({"-", 0, flags & platform::kMenuOwnerDrawn, true, nullptr, Rect()});
    return true;
  }

  bool appendSubmenu(const char* title, std::unique_ptr<platform::PopupMenu> submenu,
                     std::int32_t flags) override {
    if (!submenu) return false;
    entries.push_back({title ? title : "", 0, flags, false, std::move(submenu), Rect()});
    return true;
  }

  std::int32_t track(platform::WindowHandle owner, Point screen, bool rightButton) override;

 private:
  struct Entry {
    std::string text;
    std::int32_t command;
    std::int32_t flags;
    bool separator;
    std::unique_ptr<platform::PopupMenu> submenu;
    Rect place;
  };

  void windowDestroyed() override { window = nullptr; }
  void windowPaint(platform::Device& device, const Rect&) override { draw(device); }
  void windowButtonDown(platform::Device&, Point, platform::PressedButton) override {}
  bool windowMeasureMenuItem(std::uintptr_t, platform::Device&, Point&) override { return false; }
  bool windowDrawMenuItem(std::uintptr_t, std::int32_t, std::int32_t, platform::Device&,
                          const Rect&) override {
    return false;
  }
  bool windowEditBoxColors(Color&, Color&) override { return false; }

  static std::uintptr_t itemData(const Entry& e) {
    return reinterpret_cast<std::uintptr_t>(e.text.c_str());
  }

  Point layout(platform::WindowClient* client) {
    software::SoftwareDevice measure;
    measure.selectFont(makeFontChoice(kFontArial14, 0, 0));
    std::int32_t width = 0;
    std::int32_t top = 0;
    for (Entry& e : entries) {
      Point size(0, e.separator ? kSeparatorHeight : kEntryHeight);
      const bool measured = (e.flags & platform::kMenuOwnerDrawn) && client &&
                            client->windowMeasureMenuItem(itemData(e), measure, size);
      if (!measured && !e.separator) {
        const Point text =
            measure.textExtent(e.text.c_str(), static_cast<std::int32_t>(e.text.size()));
        size = Point(text.x + 2 * kTextInset, std::max(kEntryHeight, text.y + 4));
      }
      width = std::max(width, size.x);
      e.place = Rect(0, top, 0, top + std::max(size.y, 1));
      top = e.place.bottom;
    }
    width = std::max(width, 40);
    for (Entry& e : entries) e.place.right = width;
    return Point(width, std::max(top, 1));
  }

  void draw(platform::Device& device) {
    const platform::MenuColors colors = platform::menuColors();
    device.openObjectScope();
    device.selectFont(makeFontChoice(kFontArial14, 0, 0));
    device.setOpaqueBackground(false);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      const bool selected = static_cast<std::int32_t>(i) == highlighted && !e.separator;
      std::int32_t state = selected ? 4 : 0;
      if (e.flags & platform::kMenuChecked) state |= 1;
      if (e.flags & (platform::kMenuGreyed | platform::kMenuDisabled)) state |= 2;
      if ((e.flags & platform::kMenuOwnerDrawn) && ownerClient &&
          ownerClient->windowDrawMenuItem(itemData(e), e.command, state, device, e.place)) {
        continue;
      }
      device.selectBrush(selected ? colors.selectedBackground : colors.background);
      device.fillRect(e.place);
      if (e.separator) {
        device.selectBrush(colors.disabledText);
        const std::int32_t mid = (e.place.top + e.place.bottom) / 2;
        device.fillRect(Rect(e.place.left + 2, mid, e.place.right - 2, mid + 1));
        continue;
      }
      device.setTextColor((e.flags & platform::kMenuGreyed) ? colors.disabledText
                          : selected                        ? colors.selectedText
                                                            : colors.text);
      const auto label = e.text.substr(0, e.text.find('\t'));
      device.textOut(Point(e.place.left + kTextInset, e.place.top + 2), label.c_str(),
                     static_cast<std::int32_t>(label.size()), e.place);
      if (e.flags & platform::kMenuChecked) {
        device.textOut(Point(e.place.left + 4, e.place.top + 2), "x", 1, e.place);
      }
      if (e.submenu) {
        device.textOut(Point(e.place.right - 12, e.place.top + 2), ">", 1, e.place);
      }
    }
    device.closeObjectScope();
  }

  std::int32_t entryAt(Point screen) const {
    const Point p(screen.x - origin.x, screen.y - origin.y);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].place.pointInside(p)) return static_cast<std::int32_t>(i);
    }
    return -1;
  }

  void redraw() {
    if (auto fetched = x11Windows().fetchDevice(window)) draw(fetched->device());
  }

  // The answer for a click on entry i: its command, a submenu's answer, or none (-2: keep
  // the menu open).
  std::int32_t choose(std::int32_t i, platform::WindowHandle owner, bool rightButton) {
    if (i < 0) return platform::kNoMenuCommand;
    Entry& e = entries[static_cast<std::size_t>(i)];
    if (e.separator || (e.flags & (platform::kMenuGreyed | platform::kMenuDisabled))) return -2;
    if (!e.submenu) return e.command;
    x11Windows().grabPointer(window, false);
    const std::int32_t answer = e.submenu->track(
        owner, Point(origin.x + e.place.right, origin.y + e.place.top), rightButton);
    x11Windows().grabPointer(window, true);
    return answer;
  }

  std::vector<Entry> entries;
  platform::WindowHandle window = nullptr;
  platform::WindowClient* ownerClient = nullptr;
  Point origin;
  std::int32_t highlighted = -1;
};

std::int32_t X11PopupMenu::track(platform::WindowHandle owner, Point screen, bool rightButton) {
  X11Windows& windows = x11Windows();
  if (entries.empty() || window) return platform::kNoMenuCommand;
  ownerClient = windows.client(owner);
  const Point size = layout(ownerClient);
  origin = screen;
  window =
      windows.makeWindow(X11Windows::Kind::Popup, nullptr,
                         Rect(screen.x, screen.y, screen.x + size.x, screen.y + size.y), "#32768");
  if (!window) return platform::kNoMenuCommand;
  windows.setClient(window, this);
  redraw();
  windows.grabPointer(window, true);
  platform::Input& in = platform::input();
  const std::int32_t choosing =
      platform::kPhysicalLeft | (rightButton ? platform::kPhysicalRight : 0);
  std::int32_t previous = in.buttonState() & choosing;
  // The press that opened the menu may still be held: letting it go over an entry chooses it.
  bool pressedHere = previous != 0;
  std::int32_t answer = platform::kNoMenuCommand;
  for (;;) {
    windows.sleep(kPollMilliseconds);
    if (!window || !windows.isWindow(owner)) break;
    const std::int32_t buttons = in.buttonState() & choosing;
    // A click quicker than the poll is seen by its press in the queue.
    const bool pressed = (buttons && !previous) || windows.takeLeftPress();
    const std::int32_t under = entryAt(in.cursorPosition());
    if (under != highlighted) {
      highlighted = under;
      redraw();
    }
    if (pressed) {
      if (under < 0) break;
      pressedHere = true;
    }
    if (!buttons && (previous || pressed) && pressedHere) {
      if (under >= 0) {
        const std::int32_t chosen = choose(under, owner, rightButton);
        if (chosen != -2) {
          answer = chosen;
          break;
        }
      }
      pressedHere = false;
    }
    previous = buttons;
  }
  if (window) {
    windows.grabPointer(window, false);
    windows.setClient(window, nullptr);
    windows.destroyWindow(window);
  }
  window = nullptr;
  highlighted = -1;
  return answer;
}

}  // namespace

std::unique_ptr<platform::PopupMenu> createX11PopupMenu() {
  return std::make_unique<X11PopupMenu>();
}

}  // namespace platform::x11
