#include "gui/platform/x11/X11EditBox.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "gui/platform/Device.h"
#include "gui/platform/Input.h"
#include "gui/platform/PopupMenu.h"
#include "gui/platform/WindowClient.h"
#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

constexpr std::uint32_t kKeyBackSpace = 0xFF08;
constexpr std::uint32_t kKeyReturn = 0xFF0D;
constexpr std::uint32_t kKeyPadEnter = 0xFF8D;
constexpr std::uint32_t kKeyEscape = 0xFF1B;
constexpr std::uint32_t kKeyHome = 0xFF50;
constexpr std::uint32_t kKeyLeft = 0xFF51;
constexpr std::uint32_t kKeyRight = 0xFF53;
constexpr std::uint32_t kKeyEnd = 0xFF57;
constexpr std::uint32_t kKeyDelete = 0xFFFF;

class X11EditBox final : public platform::EditBox, platform::WindowClient, KeyTaker {
 public:
  X11EditBox(platform::WindowHandle box, platform::WindowHandle parent,
             const platform::EditBoxSetup& setup, platform::EditBoxClient& boxClient)
      : window(box),
        client(boxClient),
        first(setup.text ? setup.text : ""),
        content(first.substr(0, platform::kEditBoxLimit)),
        align(setup.align),
        face(setup.fontFace ? setup.fontFace : ""),
        height(setup.fontHeight) {
    anchor = 0;
    caret = content.size();
    if (platform::WindowClient* owner = x11Windows().client(parent)) {
      owner->windowEditBoxColors(ink, paper);
    }
    X11Windows& windows = x11Windows();
    windows.setClient(window, this);
    windows.setKeyTaker(window, this);
    windows.focus(window);
    redraw();
  }

  ~X11EditBox() override {
    if (!window) return;
    X11Windows& windows = x11Windows();
    windows.setKeyTaker(window, nullptr);
    windows.setClient(window, nullptr);
    windows.destroyWindow(window);
  }

  void getText(char* out, std::int32_t size) const override {
    if (!out || size <= 0) return;
    const std::size_t n = std::min(content.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, content.data(), n);
    out[n] = '\0';
  }

  platform::WindowHandle handle() const override { return window; }

 private:
  void windowDestroyed() override { window = nullptr; }
  void windowPaint(platform::Device& device, const Rect&) override { draw(device); }
  void windowButtonDown(platform::Device&, Point, platform::PressedButton) override {}
  bool windowMeasureMenuItem(std::uintptr_t, platform::Device&, Point&) override { return false; }
  bool windowDrawMenuItem(std::uintptr_t, std::int32_t, std::int32_t, platform::Device&,
                          const Rect&) override {
    return false;
  }
  bool windowEditBoxColors(Color&, Color&) override { return false; }

  void keyDown(std::uint32_t keysym, char text, std::int32_t modifiers) override {
    const bool shift = (modifiers & platform::kShiftDown) != 0;
    if ((modifiers & platform::kControlDown) && (text == 'a' || text == 'A')) {
      anchor = 0;
      caret = content.size();
    } else if (keysym == kKeyReturn || keysym == kKeyPadEnter) {
      // The client may close the box here: nothing of it is touched after the call.
      client.editBoxDone();
      return;
    } else if (keysym == kKeyEscape) {
      content = first.substr(0, platform::kEditBoxLimit);
      client.editBoxDone();
      return;
    } else if (keysym == kKeyBackSpace || keysym == kKeyDelete) {
      if (anchor == caret) {
        if (keysym == kKeyBackSpace && caret > 0) anchor = caret - 1;
        if (keysym == kKeyDelete && caret < content.size()) anchor = caret + 1;
      }
      replaceSelection("");
    } else if (keysym == kKeyLeft || keysym == kKeyRight || keysym == kKeyHome ||
               keysym == kKeyEnd) {
      if (keysym == kKeyLeft && caret > 0) --caret;
      if (keysym == kKeyRight && caret < content.size()) ++caret;
      if (keysym == kKeyHome) caret = 0;
      if (keysym == kKeyEnd) caret = content.size();
      if (!shift) anchor = caret;
    } else if (text >= 0x20 && text < 0x7F) {
      const char typed[2] = {text, '\0'};
      replaceSelection(typed);
    } else {
      return;
    }
    redraw();
  }

  void focusLost() override { client.editBoxDone(); }

  void replaceSelection(const char* with) {
    const std::size_t from = std::min(anchor, caret);
    const std::size_t to = std::max(anchor, caret);
    std::string next = content.substr(0, from) + with + content.substr(to);
    // The box takes no more than its limit, as the platform's does.
    if (next.size() > static_cast<std::size_t>(platform::kEditBoxLimit)) return;
    content = std::move(next);
    caret = anchor = from + std::strlen(with);
  }

  void redraw() {
    if (!window) return;
    if (auto fetched = x11Windows().fetchDevice(window)) draw(fetched->device());
  }

  void draw(platform::Device& device) {
    Rect bounds;
    if (!x11Windows().screenRect(window, bounds)) return;
    const Rect box(0, 0, bounds.width(), bounds.height());
    device.openObjectScope();
    device.selectBrush(paper);
    device.fillRect(box);
    FontChoice font;
    font.face = face.c_str();
    font.height = height;
    device.selectFont(font);
    device.setOpaqueBackground(false);
    const auto len = static_cast<std::int32_t>(content.size());
    const Point whole = device.textExtent(content.c_str(), len);
    std::int32_t left = 0;
    if (align == platform::EditBoxAlign::Center) left = (box.width() - whole.x) / 2;
    if (align == platform::EditBoxAlign::Right) left = box.width() - whole.x - 1;
    const std::int32_t top = (box.height() - whole.y) / 2;
    const auto xAt = [&](std::size_t index) {
      return left + device.textExtent(content.c_str(), static_cast<std::int32_t>(index)).x;
    };
    const std::size_t from = std::min(anchor, caret);
    const std::size_t to = std::max(anchor, caret);
    const platform::MenuColors colors = platform::menuColors();
    if (from != to) {
      device.selectBrush(colors.selectedBackground);
      device.fillRect(Rect(xAt(from), top, xAt(to), top + whole.y));
    }
    device.setTextColor(ink);
    device.textOut(Point(left, top), content.c_str(), len, box);
    if (from != to) {
      device.setTextColor(colors.selectedText);
      const Rect selected(xAt(from), top, xAt(to), top + whole.y);
      device.textOut(Point(left, top), content.c_str(), len, selected);
    }
    const std::int32_t cursorX = xAt(caret);
    device.selectBrush(ink);
    device.fillRect(Rect(cursorX, top, cursorX + 1, top + std::max(whole.y, 1)));
    device.closeObjectScope();
  }

  platform::WindowHandle window;
  platform::EditBoxClient& client;
  std::string first;
  std::string content;
  std::size_t anchor = 0;
  std::size_t caret = 0;
  platform::EditBoxAlign align;
  std::string face;
  std::int32_t height;
  Color ink = kBlack;
  Color paper = kWhite;
};

}  // namespace

std::unique_ptr<platform::EditBox> openX11EditBox(platform::WindowHandle parent,
                                                  const platform::EditBoxSetup& setup,
                                                  platform::EditBoxClient& client) {
  X11Windows& windows = x11Windows();
  if (!windows.isWindow(parent)) return nullptr;
  const Rect& r = setup.rect;
  const platform::WindowHandle window = windows.makeWindow(
      X11Windows::Kind::Child, parent, Rect(r.left, r.top, r.right + 1, r.bottom + 1), "EDIT");
  if (!window) return nullptr;
  return std::make_unique<X11EditBox>(window, parent, setup, client);
}

}  // namespace platform::x11
