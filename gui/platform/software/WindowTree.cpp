#include "gui/platform/software/WindowTree.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/SoftwareDevice.h"

namespace platform::software {

namespace {

struct PressMessage {
  platform::WindowHandle window;
  Point where;
  platform::PressedButton button;
};

// Each thread has its own queue, as on the platform.
thread_local std::deque<PressMessage> queue;

// Stand-ins for the platform's shared cursors: only their addresses matter.
char cursorTokens[7];

std::int32_t physicalBit(platform::PressedButton button) {
  switch (button) {
    case platform::PressedButton::Left:
      return platform::kPhysicalLeft;
    case platform::PressedButton::Right:
      return platform::kPhysicalRight;
    case platform::PressedButton::Middle:
      return platform::kPhysicalMiddle;
  }
  return 0;
}

// The window's pixels need no giving back.
class FetchedDevice final : public platform::WindowDevice {
 public:
  explicit FetchedDevice(PixelSurface* target) : drawing(target) {}
  platform::Device& device() override { return drawing; }

 private:
  SoftwareDevice drawing;
};

std::unique_ptr<PixelSurface> pixelsFor(const Rect& rect) {
  return PixelSurface::create(rect.width(), rect.height(), false);
}

}  // namespace

void WindowTree::reset() {
  nodes.clear();
  classes.clear();
  queue.clear();
  focused = nullptr;
  cursor = arrowCursor();
  dialogFrame = 3;
  oleCount = 0;
}

platform::CursorHandle WindowTree::arrowCursor() {
  return &cursorTokens[0];
}

platform::CursorHandle WindowTree::systemCursor(platform::CursorShape shape) {
  return &cursorTokens[1 + static_cast<int>(shape)];
}

void WindowTree::setCursor(platform::CursorHandle handle) {
  if (handle) cursor = handle;
}

WindowTree::Node* WindowTree::find(platform::WindowHandle window) const {
  for (const auto& node : nodes) {
    if (node.get() == window) return node.get();
  }
  return nullptr;
}

bool WindowTree::isWindow(platform::WindowHandle window) const {
  return find(window) != nullptr;
}

WindowTree::Node* WindowTree::make(Node* parent, const Rect& rect, const std::string& name,
                                   bool caption) {
  auto node = std::make_unique<Node>();
  node->className = name;
  node->parent = parent;
  node->rect = rect;
  node->caption = caption;
  node->pixels = pixelsFor(rect);
  node->owner = std::this_thread::get_id();
  nodes.push_back(std::move(node));
  return nodes.back().get();
}

platform::WindowHandle WindowTree::createWindow(platform::WindowHandle parent, const Rect& rect,
                                                const char* name, bool caption) {
  Node* above = find(parent);
  if (parent && !above) return nullptr;
  return make(above, rect, name ? name : "", caption);
}

bool WindowTree::registerWindowClass(const char* name) {
  if (!name || isClassRegistered(name)) return false;
  classes.emplace_back(name);
  return true;
}

void WindowTree::unregisterWindowClass(const char* name) {
  if (!name) return;
  std::erase(classes, std::string(name));
}

bool WindowTree::isClassRegistered(const std::string& name) const {
  return std::find(classes.begin(), classes.end(), name) != classes.end();
}

platform::WindowHandle WindowTree::createChildWindow(const char* name,
                                                     platform::WindowHandle parent, const char*,
                                                     std::int32_t width, std::int32_t height) {
  Node* above = find(parent);
  if (!above || !name || !isClassRegistered(name)) return nullptr;
  Node* node = make(above, Rect(0, 0, std::max(width, 0), std::max(height, 0)), name, false);
  node->update = Rect(0, 0, node->rect.width(), node->rect.height());
  return node;
}

void WindowTree::destroyNode(Node* node, bool tellClients) {
  // The window hears of it before its children, as on the platform.
  if (tellClients && node->client) node->client->windowDestroyed();
  std::vector<Node*> children;
  for (const auto& n : nodes) {
    if (n->parent == node) children.push_back(n.get());
  }
  for (Node* child : children) destroyNode(child, tellClients);
  std::erase_if(queue, [node](const PressMessage& m) { return m.window == node; });
  if (focused == node) focused = nullptr;
  std::erase_if(nodes, [node](const std::unique_ptr<Node>& n) { return n.get() == node; });
}

void WindowTree::destroyWindow(platform::WindowHandle window) {
  if (Node* node = find(window)) destroyNode(node, true);
}

void WindowTree::setClient(platform::WindowHandle window, platform::WindowClient* linked) {
  if (Node* node = find(window)) node->client = linked;
}

platform::WindowClient* WindowTree::client(platform::WindowHandle window) const {
  const Node* node = find(window);
  return node ? node->client : nullptr;
}

void WindowTree::invalidate(platform::WindowHandle window, const Rect* area) {
  Node* node = find(window);
  if (!node) return;
  Rect added(0, 0, node->rect.width(), node->rect.height());
  if (area) added.bound(*area);
  if (added.isEmpty()) return;
  Rect& update = node->update;
  if (update.isEmpty()) {
    update = added;
  } else {
    update.setFromCorners(std::min(update.left, added.left), std::min(update.top, added.top),
                          std::max(update.right, added.right),
                          std::max(update.bottom, added.bottom));
  }
}

Rect WindowTree::updateArea(platform::WindowHandle window) const {
  const Node* node = find(window);
  return node ? node->update : Rect();
}

Rect WindowTree::screenOf(const Node& node) const {
  Rect r = node.rect;
  for (const Node* up = node.parent; up; up = up->parent) r.offset(up->rect.left, up->rect.top);
  return r;
}

bool WindowTree::screenRect(platform::WindowHandle window, Rect& out) {
  const Node* node = find(window);
  if (!node) return false;
  out = screenOf(*node);
  return true;
}

bool WindowTree::positionInParent(platform::WindowHandle window, Point& out) {
  const Node* node = find(window);
  if (!node) return false;
  out = Point(node->rect.left, node->rect.top);
  return true;
}

platform::WindowHandle WindowTree::parentOf(platform::WindowHandle window) {
  const Node* node = find(window);
  return node ? node->parent : nullptr;
}

bool WindowTree::hasCaption(platform::WindowHandle window) {
  const Node* node = find(window);
  return node && node->caption;
}

bool WindowTree::className(platform::WindowHandle window, char* out, std::int32_t size) {
  const Node* node = find(window);
  if (!node || !out || size <= 0) return false;
  std::snprintf(out, static_cast<std::size_t>(size), "%s", node->className.c_str());
  return true;
}

bool WindowTree::resizeWindow(platform::WindowHandle window, std::int32_t width,
                              std::int32_t height) {
  Node* node = find(window);
  if (!node) return false;
  node->rect.right = node->rect.left + std::max(width, 0);
  node->rect.bottom = node->rect.top + std::max(height, 0);
  node->pixels = pixelsFor(node->rect);
  node->update = Rect(0, 0, node->rect.width(), node->rect.height());
  return true;
}

void WindowTree::bringToTop(platform::WindowHandle window) {
  Node* node = find(window);
  if (!node) return;
  const auto inside = [node](const std::unique_ptr<Node>& n) {
    for (const Node* up = n.get(); up; up = up->parent) {
      if (up == node) return true;
    }
    return false;
  };
  // Later windows lie on top; the window keeps its children above it.
  std::stable_partition(nodes.begin(), nodes.end(),
                        [&inside](const std::unique_ptr<Node>& n) { return !inside(n); });
}

platform::WindowHandle WindowTree::windowAt(Point screen) const {
  for (std::size_t i = nodes.size(); i-- > 0;) {
    if (screenOf(*nodes[i]).pointInside(screen)) return nodes[i].get();
  }
  return nullptr;
}

PixelSurface* WindowTree::pixels(platform::WindowHandle window) const {
  const Node* node = find(window);
  return node ? node->pixels.get() : nullptr;
}

std::unique_ptr<platform::WindowDevice> WindowTree::fetchDevice(platform::WindowHandle window) {
  PixelSurface* target = pixels(window);
  if (!target) return nullptr;
  return std::make_unique<FetchedDevice>(target);
}

bool WindowTree::setDropTarget(platform::WindowHandle window,
                               std::unique_ptr<platform::DropSink> sink) {
  Node* node = find(window);
  if (!node) return false;
  // The platform refuses a second registration and a revocation of none.
  if ((sink != nullptr) == (node->dropTarget != nullptr)) return false;
  node->dropTarget = std::move(sink);
  return true;
}

platform::DropSink* WindowTree::dropTarget(platform::WindowHandle window) const {
  const Node* node = find(window);
  return node ? node->dropTarget.get() : nullptr;
}

bool WindowTree::dispatchOnePaintMessage() {
  const std::thread::id self = std::this_thread::get_id();
  for (const auto& node : nodes) {
    if (node->owner != self || node->update.isEmpty()) continue;
    const Rect area = node->update;
    node->update = Rect();
    if (node->client && node->pixels) {
      SoftwareDevice device(node->pixels.get());
      node->client->windowPaint(device, area);
    }
    return true;
  }
  return false;
}

void WindowTree::press(Point screen, platform::PressedButton button) {
  ScriptedInput& input = scriptedInput();
  input.setCursor(screen);
  input.setButtons(input.heldButtons() | physicalBit(button));
  const platform::WindowHandle window = windowAt(screen);
  if (!window) return;
  const Rect area = screenOf(*find(window));
  queue.push_back({window, Point(screen.x - area.left, screen.y - area.top), button});
}

void WindowTree::dispatchMessages() {
  for (;;) {
    if (!queue.empty()) {
      const PressMessage message = queue.front();
      queue.pop_front();
      Node* node = find(message.window);
      if (node && node->client && node->pixels) {
        SoftwareDevice device(node->pixels.get());
        node->client->windowButtonDown(device, message.where, message.button);
      }
    } else if (!dispatchOnePaintMessage()) {
      return;
    }
  }
}

void WindowTree::setKeyboardClient(platform::WindowHandle window, KeyboardClient* linked) {
  if (Node* node = find(window)) node->keyboard = linked;
}

void WindowTree::setFocus(platform::WindowHandle window) {
  Node* next = find(window);
  if (next == focused) return;
  Node* previous = focused;
  focused = next;
  if (previous && previous->keyboard) previous->keyboard->keyboardFocusLost();
}

void WindowTree::type(const char* text) {
  for (const char* c = text; c && *c; ++c) {
    if (focused && focused->keyboard) focused->keyboard->keyTyped(*c);
  }
}

void WindowTree::pressKey(std::int32_t virtualKey) {
  if (focused && focused->keyboard) focused->keyboard->keyPressed(virtualKey);
}

void WindowTree::sleep(std::uint32_t milliseconds) {
  scriptedInput().advance(milliseconds);
}

WindowTree& windowTree() {
  static WindowTree tree;
  return tree;
}

}  // namespace platform::software
