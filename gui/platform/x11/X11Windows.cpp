#include "gui/platform/x11/X11Windows.h"

#include <xcb/shm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform::x11 {

namespace {

// The frame class's background, the button face.
constexpr std::uint32_t kButtonFace = 0xD4D0C8;
// Glyphs of the core cursor font: arrow, watch, the two double arrows, the fleur and two
// corners for the diagonals.
constexpr std::uint16_t kCursorGlyphs[7] = {68, 150, 108, 116, 52, 12, 14};

#if defined(__SANITIZE_THREAD__)
// ThreadSanitizer cannot follow memory that shmat maps, and takes its reuse of addresses for
// races: its builds send plain images.
constexpr bool kSharedMemoryAllowed = false;
#else
constexpr bool kSharedMemoryAllowed = true;
#endif

// Stand-ins for the shared cursors: only their addresses matter.
char cursorTokens[7];

constexpr std::uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                                     XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                     XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                     XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_FOCUS_CHANGE;

}  // namespace

std::int64_t steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

X11Windows::~X11Windows() {
  std::unique_ptr<XThread> closing;
  std::lock_guard<std::mutex> guard(stateLock);
  closing = std::move(x);
}

XThread* X11Windows::connect() {
  std::lock_guard<std::mutex> guard(stateLock);
  if (x) return x.get();
  x = XThread::open(
      [this](xcb_connection_t* c, const xcb_generic_event_t& e) { handleEvent(c, e); },
      [this] { tick(); });
  if (!x) return nullptr;
  XThread* thread = x.get();
  thread->post([this](xcb_connection_t* c) { loadKeymap(c); });
  return thread;
}

void X11Windows::loadKeymap(xcb_connection_t* conn) {
  const xcb_query_extension_reply_t* shm = xcb_get_extension_data(conn, &xcb_shm_id);
  sharedMemory = shm && shm->present && kSharedMemoryAllowed;
  sharedImages.clear();
  const xcb_setup_t* setup = xcb_get_setup(conn);
  firstKeycode = setup->min_keycode;
  const std::uint8_t count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      conn, xcb_get_keyboard_mapping(conn, setup->min_keycode, count), nullptr);
  if (!reply) return;
  keysymsPerCode = reply->keysyms_per_keycode;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  keymap.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
  std::free(reply);
}

std::uint32_t X11Windows::keysymOf(std::uint8_t keycode, bool shifted) const {
  if (keycode < firstKeycode || keysymsPerCode == 0) return 0;
  const std::size_t base = static_cast<std::size_t>(keycode - firstKeycode) * keysymsPerCode;
  if (base >= keymap.size()) return 0;
  std::uint32_t sym = keymap[base];
  if (shifted && keysymsPerCode > 1 && base + 1 < keymap.size() && keymap[base + 1] != 0) {
    sym = keymap[base + 1];
  } else if (shifted && sym >= 'a' && sym <= 'z') {
    sym -= 'a' - 'A';
  }
  return sym;
}

XThread* X11Windows::current() {
  std::lock_guard<std::mutex> guard(stateLock);
  return x.get();
}

std::shared_ptr<X11Windows::Node> X11Windows::find(platform::WindowHandle window) {
  if (!window) return nullptr;
  std::lock_guard<std::mutex> guard(stateLock);
  for (const auto& node : nodes) {
    if (node.get() == window) return node;
  }
  return nullptr;
}

std::shared_ptr<X11Windows::Node> X11Windows::findId(xcb_window_t id) {
  std::lock_guard<std::mutex> guard(stateLock);
  for (const auto& node : nodes) {
    if (node->id == id) return node;
  }
  return nullptr;
}

bool X11Windows::isWindow(platform::WindowHandle window) {
  return find(window) != nullptr;
}

std::uint32_t X11Windows::xid(platform::WindowHandle window) {
  const auto node = find(window);
  return node ? node->id : 0;
}

std::int32_t X11Windows::windowCount() {
  std::lock_guard<std::mutex> guard(stateLock);
  return static_cast<std::int32_t>(nodes.size());
}

bool X11Windows::isForeignWindow(std::uintptr_t id) {
  // X ids have 29 bits; anything wider is no window id.
  if (id == 0 || id > 0x1FFFFFFFu) return false;
  XThread* thread = connect();
  if (!thread) return false;
  bool exists = false;
  thread->run([&](xcb_connection_t* c) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, static_cast<xcb_window_t>(id)), nullptr);
    // A pixmap answers the geometry request too; only a window has attributes.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(id)), nullptr);
    exists = reply && attributes;
    std::free(reply);
    std::free(attributes);
  });
  if (!exists) disconnectIfUnused();
  return exists;
}

std::uint32_t X11Windows::foreignParentOf(platform::WindowHandle window) {
  std::shared_ptr<Node> node = find(window);
  std::lock_guard<std::mutex> guard(stateLock);
  const Node* n = node.get();
  while (n && n->parent) n = n->parent;
  return n ? n->foreignParent : 0;
}

platform::WindowHandle X11Windows::makeWindow(Kind kind, platform::WindowHandle parent,
                                              const Rect& rect, const char* name) {
  if (rect.width() <= 0 || rect.height() <= 0 || rect.width() > 0x7FFF || rect.height() > 0x7FFF) {
    return nullptr;
  }
  std::shared_ptr<Node> above = find(parent);
  xcb_window_t foreign = 0;
  if (kind == Kind::Child && !above) {
    const auto id = reinterpret_cast<std::uintptr_t>(parent);
    if (!isForeignWindow(id)) return nullptr;
    foreign = static_cast<xcb_window_t>(id);
  }
  XThread* thread = connect();
  if (!thread) return nullptr;
  auto node = std::make_shared<Node>();
  node->kind = kind;
  node->className = name ? name : "";
  node->rect = rect;
  node->parent = above.get();
  node->foreignParent = foreign;
  node->pixels = software::PixelSurface::create(rect.width(), rect.height(), false);
  if (!node->pixels) return nullptr;
  node->pixels->fill(Color::fromWord(0xC8D0D4));
  bool made = false;
  Point origin;
  thread->run([&](xcb_connection_t* c) {
    const xcb_screen_t* screen = thread->screen();
    const xcb_window_t parentId = above ? above->id : foreign ? foreign : screen->root;
    const xcb_window_t id = xcb_generate_id(c);
    const std::uint32_t values[] = {kButtonFace, 0, kind == Kind::Popup ? 1u : 0u, kEventMask,
                                    screen->default_colormap};
    xcb_void_cookie_t cookie = xcb_create_window_checked(
        c, screen->root_depth, id, parentId, static_cast<std::int16_t>(rect.left),
        static_cast<std::int16_t>(rect.top), static_cast<std::uint16_t>(rect.width()),
        static_cast<std::uint16_t>(rect.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        screen->root_visual,
        XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK |
            XCB_CW_COLORMAP,
        values);
    if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
      std::free(error);
      return;
    }
    node->id = id;
    node->gc = xcb_generate_id(c);
    xcb_create_gc(c, node->gc, id, 0, nullptr);
    xcb_map_window(c, id);
    if (xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, id, screen->root, 0, 0), nullptr)) {
      origin = Point(at->dst_x, at->dst_y);
      std::free(at);
    }
    made = true;
  });
  if (!made) {
    disconnectIfUnused();
    return nullptr;
  }
  node->originX.store(origin.x);
  node->originY.store(origin.y);
  {
    std::lock_guard<std::mutex> guard(stateLock);
    node->update = Rect(0, 0, rect.width(), rect.height());
    nodes.push_back(node);
  }
  return node.get();
}

platform::WindowHandle X11Windows::createChildWindow(const char* name,
                                                     platform::WindowHandle parent, const char*,
                                                     std::int32_t width, std::int32_t height) {
  if (!name) return nullptr;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    if (std::find(classes.begin(), classes.end(), name) == classes.end()) return nullptr;
  }
  return makeWindow(Kind::Child, parent, Rect(0, 0, width, height), name);
}

bool X11Windows::registerWindowClass(const char* name) {
  if (!name) return false;
  std::lock_guard<std::mutex> guard(stateLock);
  if (std::find(classes.begin(), classes.end(), name) != classes.end()) return false;
  classes.emplace_back(name);
  return true;
}

void X11Windows::unregisterWindowClass(const char* name) {
  if (!name) return;
  std::lock_guard<std::mutex> guard(stateLock);
  std::erase(classes, std::string(name));
}

void X11Windows::destroyNode(const std::shared_ptr<Node>& node, bool tellClients) {
  // The window hears of it before its children.
  if (tellClients && node->client) node->client->windowDestroyed();
  node->client = nullptr;
  node->keys = nullptr;
  std::vector<std::shared_ptr<Node>> children;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    for (const auto& n : nodes) {
      if (n->parent == node.get()) children.push_back(n);
    }
  }
  for (const auto& child : children) destroyNode(child, tellClients);
  XThread* thread = nullptr;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    std::erase(nodes, node);
    std::erase_if(events, [&node](const Event& e) { return e.window == node->id; });
    if (drawing == node) drawing = nullptr;
    thread = x.get();
  }
  if (thread && node->id) {
    const xcb_window_t id = node->id;
    const xcb_gcontext_t gc = node->gc;
    const bool gone = node->gone;
    thread->run([this, id, gc, gone](xcb_connection_t* c) {
      releaseSharedImage(c, id);
      xcb_free_gc(c, gc);
      // A window the server already destroyed with its parent needs no request.
      if (!gone) xcb_destroy_window(c, id);
      xcb_flush(c);
    });
  }
}

void X11Windows::destroyWindow(platform::WindowHandle window) {
  std::shared_ptr<Node> node = find(window);
  if (!node) return;
  destroyNode(node, true);
  disconnectIfUnused();
}

void X11Windows::disconnectIfUnused() {
  // Declared first, the thread is joined after the state lock is given back.
  std::unique_ptr<XThread> closing;
  std::lock_guard<std::mutex> guard(stateLock);
  if (nodes.empty() && x && !x->onThread()) {
    closing = std::move(x);
    events.clear();
  }
}

bool X11Windows::holdsWindowIn(std::uint32_t foreignParent) {
  std::lock_guard<std::mutex> guard(stateLock);
  return foreignParent != 0 &&
         std::any_of(nodes.begin(), nodes.end(), [foreignParent](const auto& node) {
           return node->foreignParent == foreignParent && !node->gone;
         });
}

void X11Windows::setClient(platform::WindowHandle window, platform::WindowClient* client) {
  if (auto node = find(window)) node->client = client;
}

platform::WindowClient* X11Windows::client(platform::WindowHandle window) {
  auto node = find(window);
  return node ? node->client : nullptr;
}

void X11Windows::setKeyTaker(platform::WindowHandle window, KeyTaker* taker) {
  if (auto node = find(window)) node->keys = taker;
}

void X11Windows::focus(platform::WindowHandle window) {
  const std::uint32_t id = xid(window);
  XThread* thread = current();
  if (!id || !thread) return;
  thread->post([id](xcb_connection_t* c) {
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
  });
}

bool X11Windows::grabPointer(platform::WindowHandle window, bool grab) {
  const std::uint32_t id = xid(window);
  XThread* thread = current();
  if (!id || !thread) return false;
  bool grabbed = false;
  thread->run([&](xcb_connection_t* c) {
    if (!grab) {
      xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
      return;
    }
    const std::uint16_t mask =
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
    xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(
        c,
        xcb_grab_pointer(c, 0, id, mask, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                         XCB_NONE, XCB_CURRENT_TIME),
        nullptr);
    grabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
  });
  return grabbed;
}

void X11Windows::invalidate(platform::WindowHandle window) {
  auto node = find(window);
  if (!node) return;
  std::lock_guard<std::mutex> guard(stateLock);
  node->update = Rect(0, 0, node->rect.width(), node->rect.height());
}

bool X11Windows::screenRect(platform::WindowHandle window, Rect& out) {
  auto node = find(window);
  if (!node) return false;
  Point origin(node->originX.load(), node->originY.load());
  if (node->kind == Kind::Child && node->parent) {
    Rect above;
    if (!screenRect(node->parent, above)) return false;
    origin = Point(above.left + node->rect.left, above.top + node->rect.top);
  }
  out = Rect(origin.x, origin.y, origin.x + node->rect.width(), origin.y + node->rect.height());
  return true;
}

bool X11Windows::positionInParent(platform::WindowHandle window, Point& out) {
  auto node = find(window);
  if (!node) return false;
  out = Point(node->rect.left, node->rect.top);
  return true;
}

platform::WindowHandle X11Windows::parentOf(platform::WindowHandle window) {
  auto node = find(window);
  return node ? node->parent : nullptr;
}

bool X11Windows::className(platform::WindowHandle window, char* out, std::int32_t size) {
  auto node = find(window);
  if (!node || !out || size <= 0) return false;
  std::snprintf(out, static_cast<std::size_t>(size), "%s", node->className.c_str());
  return true;
}

bool X11Windows::resizeWindow(platform::WindowHandle, std::int32_t, std::int32_t) {
  // The editor keeps its size; the host sizes its own window.
  return false;
}

void X11Windows::bringToTop(platform::WindowHandle window) {
  const std::uint32_t id = xid(window);
  XThread* thread = current();
  if (!id || !thread) return;
  thread->post([id](xcb_connection_t* c) {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  });
}

bool X11Windows::setDropTarget(platform::WindowHandle, std::unique_ptr<platform::DropSink>) {
  return false;
}

platform::CursorHandle X11Windows::currentCursor() {
  return cursor ? cursor : &cursorTokens[0];
}

platform::CursorHandle X11Windows::systemCursor(platform::CursorShape shape) {
  return &cursorTokens[1 + static_cast<int>(shape)];
}

void X11Windows::setCursor(platform::CursorHandle handle) {
  if (!handle) return;
  const auto index = static_cast<char*>(handle) - cursorTokens;
  if (index < 0 || index >= 7) return;
  cursor = handle;
  std::vector<xcb_window_t> frames;
  XThread* thread = nullptr;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    for (const auto& node : nodes) {
      if (node->client && node->kind == Kind::Child && !node->parent) frames.push_back(node->id);
    }
    thread = x.get();
  }
  if (!thread) return;
  thread->post([this, index, frames](xcb_connection_t* c) {
    if (!cursorFont) {
      cursorFont = xcb_generate_id(c);
      xcb_open_font(c, cursorFont, 6, "cursor");
    }
    xcb_cursor_t& made = cursors[index];
    if (!made) {
      made = xcb_generate_id(c);
      const std::uint16_t glyph = kCursorGlyphs[index];
      xcb_create_glyph_cursor(c, made, cursorFont, cursorFont, glyph,
                              static_cast<std::uint16_t>(glyph + 1), 0, 0, 0, 0xFFFF, 0xFFFF,
                              0xFFFF);
    }
    for (const xcb_window_t frame : frames) {
      xcb_change_window_attributes(c, frame, XCB_CW_CURSOR, &made);
    }
  });
}

X11Windows& x11Windows() {
  static X11Windows windows;
  return windows;
}

}  // namespace platform::x11
