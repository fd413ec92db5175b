// The windows' pixels on their way to the server: devices on a window's pixels from any
// thread, copies of drawn areas handed to the X thread, and the X thread's images in shared
// memory (MIT-SHM) or in plain requests.
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gui/platform/software/RasterMath.h"
#include "gui/platform/software/SoftwareDevice.h"
#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

// Pictures drawn during a drag reach the screen at most this often.
constexpr std::int64_t kDrawingFlushPeriod = 15;

// A device word (red lowest) as the 24-bit TrueColor pixel of a little-endian server.
std::uint32_t serverPixel(std::uint32_t word) {
  return ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF);
}

}  // namespace

// A device on a window's pixels, fetched from any thread; the pixels are copied to the server
// when it goes.
class X11Windows::Device final : public platform::WindowDevice {
 public:
  Device(X11Windows& windows, std::shared_ptr<Node> target)
      : owner(windows),
        node(std::move(target)),
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

std::unique_ptr<platform::WindowDevice> X11Windows::fetchDevice(platform::WindowHandle window) {
  std::shared_ptr<Node> node = find(window);
  if (!node || !node->pixels) return nullptr;
  return std::make_unique<Device>(*this, std::move(node));
}

void X11Windows::flush(platform::WindowHandle window) {
  auto node = find(window);
  if (!node) return;
  std::lock_guard<std::recursive_mutex> hold(node->pixelLock);
  sendPixels(*node, Rect(0, 0, node->rect.width(), node->rect.height()));
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
      std::memcpy(
          words + static_cast<std::size_t>(area.top + y) * static_cast<std::size_t>(windowWidth) +
              static_cast<std::size_t>(area.left),
          pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w), rowBytes);
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
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, gc, static_cast<std::uint16_t>(w),
                  static_cast<std::uint16_t>(rowsNow), static_cast<std::int16_t>(area.left),
                  static_cast<std::int16_t>(area.top + top), 0, screen->root_depth,
                  static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(rowsNow)),
                  reinterpret_cast<const std::uint8_t*>(
                      pixels.data() + static_cast<std::size_t>(top) * static_cast<std::size_t>(w)));
  }
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

}  // namespace platform::x11
