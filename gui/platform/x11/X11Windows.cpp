#include "gui/platform/x11/X11Windows.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "gui/platform/software/RasterMath.h"
#include "gui/platform/software/SoftwareDevice.h"
#include "gui/platform/x11/X11Input.h"

namespace x11 {

namespace {

// Without idle calls from the host for this long, the X thread serves the editor itself.
constexpr std::int64_t kHostIdleGrace = 150;
// Pictures drawn during a drag reach the screen at most this often.
constexpr std::int64_t kDrawingFlushPeriod = 15;
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

// A device word (red lowest) as the 24-bit TrueColor pixel of a little-endian server.
std::uint32_t serverPixel(std::uint32_t word) {
  return ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF);
}

}  // namespace

std::int64_t steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A device on a window's pixels, fetched from any thread; the pixels are copied to the server
// when it goes.
class X11Windows::Device final : public platform::WindowDevice {
 public:
  Device(X11Windows& owner, std::shared_ptr<Node> node)
      : owner(owner),
        node(std::move(node)),
        hold(this->node->pixelLock),
        drawing(this->node->pixels.get()) {}
  ~Device() override {
    const Node& n = *node;
    owner.sendPixels(*node, Rect(0, 0, n.rect.width(), n.rect.height()));
  }
  platform::Device& device() override { return drawing; }

 private:
  X11Windows& owner;
  std::shared_ptr<Node> node;
  std::unique_lock<std::recursive_mutex> hold;
  software::SoftwareDevice drawing;
};

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

void X11Windows::flush(platform::WindowHandle window) {
  auto node = find(window);
  if (!node) return;
  std::lock_guard<std::recursive_mutex> hold(node->pixelLock);
  sendPixels(*node, Rect(0, 0, node->rect.width(), node->rect.height()));
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

std::unique_ptr<platform::WindowDevice> X11Windows::fetchDevice(platform::WindowHandle window) {
  std::shared_ptr<Node> node = find(window);
  if (!node || !node->pixels) return nullptr;
  return std::make_unique<Device>(*this, std::move(node));
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

void X11Windows::sendPixels(Node& node, const Rect& wanted) {
  // The caller holds the node's pixel lock.
  XThread* thread = current();
  if (!thread || !node.pixels || node.gone || !node.id) return;
  const Rect area =
      software::intersect(wanted, Rect(0, 0, node.pixels->width(), node.pixels->height()));
  if (area.isEmpty()) return;
  const std::int32_t w = area.width();
  const std::int32_t h = area.height();
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t xpos = 0; xpos < w; ++xpos) {
      rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
           static_cast<std::size_t>(xpos)] =
          serverPixel(node.pixels->pixel(area.left + xpos, area.top + y));
    }
  }
  const xcb_window_t id = node.id;
  const xcb_gcontext_t gc = node.gc;
  const std::int32_t windowWidth = node.pixels->width();
  const std::int32_t windowHeight = node.pixels->height();
  thread->post([=, this, pixels = std::move(rows)](xcb_connection_t* c) {
    putPixels(*thread, c, id, gc, area, windowWidth, windowHeight, pixels);
  });
}

X11Windows::SharedImage* X11Windows::sharedImage(xcb_connection_t* conn, xcb_window_t id,
                                                 std::size_t bytes) {
  if (!sharedMemory) return nullptr;
  if (auto found = sharedImages.find(id); found != sharedImages.end()) return &found->second;
  const int shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shmid < 0) return nullptr;
  void* const failed = reinterpret_cast<void*>(-1);
  void* memory = shmat(shmid, nullptr, 0);
  const xcb_shm_seg_t segment = xcb_generate_id(conn);
  xcb_generic_error_t* error = nullptr;
  if (memory != failed) {
    error = xcb_request_check(
        conn, xcb_shm_attach_checked(conn, segment, static_cast<std::uint32_t>(shmid), 0));
  }
  // Marked for removal at once: the segment goes when the server and we have let go.
  shmctl(shmid, IPC_RMID, nullptr);
  if (memory == failed || error) {
    // A server on another machine cannot see our memory: plain requests from now on.
    std::free(error);
    if (memory != failed) shmdt(memory);
    sharedMemory = false;
    return nullptr;
  }
  return &(sharedImages[id] = SharedImage{segment, memory, bytes});
}

void X11Windows::releaseSharedImage(xcb_connection_t* conn, xcb_window_t id) {
  const auto found = sharedImages.find(id);
  if (found == sharedImages.end()) return;
  xcb_shm_detach(conn, found->second.segment);
  // The server must have let go before the memory goes.
  std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
  shmdt(found->second.memory);
  sharedImages.erase(found);
}

void X11Windows::putPixels(XThread& thread, xcb_connection_t* c, xcb_window_t id, xcb_gcontext_t gc,
                           const Rect& area, std::int32_t windowWidth, std::int32_t windowHeight,
                           const std::vector<std::uint32_t>& pixels) {
  const xcb_screen_t* screen = thread.screen();
  const std::int32_t w = area.width();
  const std::int32_t h = area.height();
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
  const std::size_t wholeBytes =
      static_cast<std::size_t>(windowWidth) * static_cast<std::size_t>(windowHeight) * 4;
  if (SharedImage* image = sharedImage(c, id, wholeBytes)) {
    auto* words = static_cast<std::uint32_t*>(image->memory);
    for (std::int32_t y = 0; y < h; ++y) {
      std::memcpy(words + static_cast<std::size_t>(area.top + y) * windowWidth + area.left,
                  pixels.data() + static_cast<std::size_t>(y) * w, rowBytes);
    }
    xcb_shm_put_image(c, id, gc, static_cast<std::uint16_t>(windowWidth),
                      static_cast<std::uint16_t>(windowHeight),
                      static_cast<std::uint16_t>(area.left), static_cast<std::uint16_t>(area.top),
                      static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h),
                      static_cast<std::int16_t>(area.left), static_cast<std::int16_t>(area.top),
                      screen->root_depth, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, image->segment, 0);
    // The next copy into the memory waits until the server has read this one.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return;
  }
  // Bands of rows, each within the server's longest request.
  const std::size_t room = thread.maxRequestBytes() > 64 ? thread.maxRequestBytes() - 64 : 0;
  const std::int32_t band = std::max<std::int32_t>(1, static_cast<std::int32_t>(room / rowBytes));
  for (std::int32_t top = 0; top < h; top += band) {
    const std::int32_t rowsNow = std::min(band, h - top);
    xcb_put_image(
        c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, gc, static_cast<std::uint16_t>(w),
        static_cast<std::uint16_t>(rowsNow), static_cast<std::int16_t>(area.left),
        static_cast<std::int16_t>(area.top + top), 0, screen->root_depth,
        static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(rowsNow)),
        reinterpret_cast<const std::uint8_t*>(pixels.data() + static_cast<std::size_t>(top) * w));
  }
}

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

void X11Windows::flushDrawing(bool force) {
  std::shared_ptr<Node> node;
  {
    std::lock_guard<std::mutex> guard(stateLock);
    node = drawing;
  }
  if (!node) return;
  const std::int64_t now = steadyMilliseconds();
  if (!force && now - lastDrawingFlush < kDrawingFlushPeriod) return;
  lastDrawingFlush = now;
  std::lock_guard<std::recursive_mutex> hold(node->pixelLock);
  sendPixels(*node, Rect(0, 0, node->rect.width(), node->rect.height()));
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

X11Windows& x11Windows() {
  static X11Windows windows;
  return windows;
}

}  // namespace x11
