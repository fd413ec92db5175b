// The server's events as the X thread reads them (the pointer, buttons and keys into the input
// state; presses, keys, paints and closings into the queue), and their delivery on the thread
// that serves the editor.
#include <algorithm>
#include <thread>

#include "gui/platform/software/SoftwareDevice.h"
#include "gui/platform/x11/X11Input.h"
#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

// Without idle calls from the host for this long, the X thread serves the editor itself.
constexpr std::int64_t kHostIdleGrace = 150;

std::int32_t modifierBits(std::uint16_t state) {
  std::int32_t bits = 0;
  if (state & XCB_MOD_MASK_SHIFT) bits |= platform::kShiftDown;
  if (state & XCB_MOD_MASK_CONTROL) bits |= platform::kControlDown;
  if (state & XCB_MOD_MASK_1) bits |= platform::kAltDown;
  return bits;
}

std::int32_t buttonBit(std::uint8_t detail) {
  switch (detail) {
    case 1:
      return platform::kPhysicalLeft;
    case 2:
      return platform::kPhysicalMiddle;
    case 3:
      return platform::kPhysicalRight;
    default:
      return 0;
  }
}

constexpr std::int32_t kModifierBits =
    platform::kShiftDown | platform::kControlDown | platform::kAltDown;

}  // namespace

void X11Windows::handleEvent(xcb_connection_t*, const xcb_generic_event_t& event) {
  X11Input& in = x11Input();
  const std::uint32_t now = static_cast<std::uint32_t>(steadyMilliseconds());
  switch (event.response_type & 0x7F) {
    case XCB_EXPOSE: {
      const auto& e = reinterpret_cast<const xcb_expose_event_t&>(event);
      auto node = findId(e.window);
      if (!node) return;
      const Rect added(e.x, e.y, e.x + e.width, e.y + e.height);
      std::lock_guard<std::mutex> guard(stateLock);
      Rect& update = node->update;
      if (update.isEmpty()) {
        update = added;
      } else {
        update.setFromCorners(std::min(update.left, added.left), std::min(update.top, added.top),
                              std::max(update.right, added.right),
                              std::max(update.bottom, added.bottom));
      }
      return;
    }
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE: {
      const auto& e = reinterpret_cast<const xcb_button_press_event_t&>(event);
      const bool press = (event.response_type & 0x7F) == XCB_BUTTON_PRESS;
      in.setPointer(Point(e.root_x, e.root_y));
      auto node = findId(e.event);
      if (node && node->kind == Kind::Child && !node->parent) {
        node->originX.store(e.root_x - e.event_x);
        node->originY.store(e.root_y - e.event_y);
      }
      std::int32_t held = (in.heldButtons() & ~kModifierBits) | modifierBits(e.state);
      const std::int32_t bit = buttonBit(e.detail);
      held = press ? held | bit : held & ~bit;
      in.setButtons(held);
      if (!press || !node) return;
      Event queued{};
      queued.window = e.event;
      queued.where = Point(e.event_x, e.event_y);
      queued.modifiers = modifierBits(e.state);
      queued.time = now;
      if (e.detail >= 4 && e.detail <= 5) {
        queued.type = Event::Type::Wheel;
        queued.wheel = e.detail == 4 ? 1.0f : -1.0f;
      } else if (bit) {
        queued.type = Event::Type::Press;
        queued.button = bit == platform::kPhysicalLeft    ? platform::PressedButton::Left
                        : bit == platform::kPhysicalRight ? platform::PressedButton::Right
                                                          : platform::PressedButton::Middle;
      } else {
        return;
      }
      std::lock_guard<std::mutex> guard(stateLock);
      events.push_back(queued);
      return;
    }
    case XCB_MOTION_NOTIFY: {
      const auto& e = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
      in.setPointer(Point(e.root_x, e.root_y));
      in.setButtons((in.heldButtons() & ~kModifierBits) | modifierBits(e.state));
      if (auto node = findId(e.event); node && node->kind == Kind::Child && !node->parent) {
        node->originX.store(e.root_x - e.event_x);
        node->originY.store(e.root_y - e.event_y);
      }
      return;
    }
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE: {
      const auto& e = reinterpret_cast<const xcb_key_press_event_t&>(event);
      const bool down = (event.response_type & 0x7F) == XCB_KEY_PRESS;
      const std::uint32_t sym = keysymOf(e.detail, (e.state & XCB_MOD_MASK_SHIFT) != 0);
      Event queued{};
      queued.type = Event::Type::Key;
      queued.window = e.event;
      queued.keysym = sym;
      queued.text = sym >= 0x20 && sym < 0x7F ? static_cast<char>(sym) : 0;
      queued.modifiers = modifierBits(e.state);
      queued.down = down;
      queued.time = now;
      std::lock_guard<std::mutex> guard(stateLock);
      events.push_back(queued);
      return;
    }
    case XCB_FOCUS_OUT: {
      const auto& e = reinterpret_cast<const xcb_focus_out_event_t&>(event);
      if (e.mode != XCB_NOTIFY_MODE_NORMAL || e.detail == XCB_NOTIFY_DETAIL_INFERIOR ||
          e.detail == XCB_NOTIFY_DETAIL_POINTER) {
        return;
      }
      Event queued{};
      queued.type = Event::Type::FocusOut;
      queued.window = e.event;
      std::lock_guard<std::mutex> guard(stateLock);
      events.push_back(queued);
      return;
    }
    case XCB_DESTROY_NOTIFY: {
      const auto& e = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
      if (e.event != e.window) return;
      auto node = findId(e.window);
      if (!node) return;
      Event queued{};
      queued.type = Event::Type::Gone;
      queued.window = e.window;
      std::lock_guard<std::mutex> guard(stateLock);
      node->gone = true;
      events.push_back(queued);
      return;
    }
    default:
      return;
  }
}

void X11Windows::tick() {
  if (steadyMilliseconds() - lastHostIdle.load() < kHostIdleGrace) return;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    bool waiting = !events.empty();
    for (const auto& node : nodes) waiting = waiting || !node->update.isEmpty();
    if (!waiting) return;
  }
  // A host thread inside the editor serves it itself.
  std::unique_lock<std::recursive_mutex> hold(ui, std::try_to_lock);
  if (hold.owns_lock()) serve();
}

void X11Windows::noteHostIdle() {
  lastHostIdle.store(steadyMilliseconds());
}

void X11Windows::pumpWhileWaiting() {
  flushDrawing(false);
  XThread* thread = current();
  if (thread && thread->onThread()) thread->pump();
}

bool X11Windows::takeLeftPress() {
  std::lock_guard<std::mutex> guard(stateLock);
  const auto found = std::find_if(events.begin(), events.end(), [](const Event& e) {
    return e.type == Event::Type::Press && e.button == platform::PressedButton::Left;
  });
  if (found == events.end()) return false;
  events.erase(found);
  return true;
}

bool X11Windows::serveOne(bool paintsOnly) {
  Event event{};
  bool haveEvent = false;
  std::shared_ptr<Node> paintNode;
  Rect area;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    if (!paintsOnly && !events.empty()) {
      event = events.front();
      events.pop_front();
      haveEvent = true;
    } else {
      for (const auto& node : nodes) {
        if (node->update.isEmpty() || node->gone) continue;
        paintNode = node;
        area = node->update;
        node->update = Rect();
        break;
      }
    }
  }
  if (paintNode) {
    std::lock_guard<std::recursive_mutex> hold(paintNode->pixelLock);
    if (paintNode->client) {
      software::SoftwareDevice device(paintNode->pixels.get());
      paintNode->client->windowPaint(device, area);
    }
    sendPixels(*paintNode, area);
    return true;
  }
  if (!haveEvent) return false;
  std::shared_ptr<Node> node = findId(event.window);
  if (!node) return true;
  switch (event.type) {
    case Event::Type::Gone: {
      // The host destroyed its window and ours with it: the clients hear of it, and the
      // records go without further requests.
      {
        std::lock_guard<std::mutex> guard(stateLock);
        for (const auto& n : nodes) {
          for (const Node* up = n.get(); up; up = up->parent) {
            if (up == node.get()) n->gone = true;
          }
        }
      }
      destroyNode(node, true);
      disconnectIfUnused();
      return true;
    }
    case Event::Type::Press: {
      if (!node->client || node->gone) return true;
      x11Input().setMessageTime(event.time);
      if (!node->keys && node->kind == Kind::Child) focus(node.get());
      std::lock_guard<std::recursive_mutex> hold(node->pixelLock);
      {
        std::lock_guard<std::mutex> guard(stateLock);
        drawing = node;
      }
      software::SoftwareDevice device(node->pixels.get());
      node->client->windowButtonDown(device, event.where, event.button);
      flushDrawing(true);
      std::lock_guard<std::mutex> guard(stateLock);
      drawing = nullptr;
      return true;
    }
    case Event::Type::Key:
    case Event::Type::Wheel: {
      if (node->keys) {
        if (event.type == Event::Type::Key && event.down) {
          node->keys->keyDown(event.keysym, event.text, event.modifiers);
        }
        return true;
      }
      const Node* top = node.get();
      while (top->parent) top = top->parent;
      HostBridge* bridge = hostBridge.load();
      if (!bridge || top->kind != Kind::Child) return true;
      auto* frame = const_cast<Node*>(top);
      if (event.type == Event::Type::Wheel) {
        bridge->wheel(frame, event.wheel);
      } else {
        bridge->key(frame, event.keysym, event.text, event.modifiers, event.down);
      }
      return true;
    }
    case Event::Type::FocusOut:
      if (node->keys) node->keys->focusLost();
      return true;
  }
  return true;
}

void X11Windows::serve() {
  while (serveOne(false)) {
  }
}

bool X11Windows::dispatchOnePaintMessage() {
  pumpWhileWaiting();
  return serveOne(true);
}

void X11Windows::sleep(std::uint32_t milliseconds) {
  flushDrawing(false);
  XThread* thread = current();
  if (thread && thread->onThread()) {
    thread->waitAndPump(static_cast<std::int32_t>(std::min<std::uint32_t>(milliseconds, 1000)));
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

}  // namespace platform::x11
