#include "tests/x11/XServer.h"

#include <xcb/res.h>
#include <xcb/xtest.h>

#include <cstdlib>

namespace xtest {

std::unique_ptr<XServer> XServer::connect() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    if (c) xcb_disconnect(c);
    return nullptr;
  }
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_test_id);
  if (!ext || !ext->present) {
    xcb_disconnect(c);
    return nullptr;
  }
  return std::unique_ptr<XServer>(new XServer(c));
}

XServer::XServer(xcb_connection_t* c)
    : conn(c), screen(xcb_setup_roots_iterator(xcb_get_setup(c)).data) {}

XServer::~XServer() {
  xcb_disconnect(conn);
}

void XServer::sync() {
  std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
}

xcb_window_t XServer::makeWindow(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
  const xcb_window_t id = xcb_generate_id(conn);
  const std::uint32_t values[] = {screen->black_pixel, 1};
  xcb_create_window(conn, XCB_COPY_FROM_PARENT, id, screen->root, static_cast<std::int16_t>(x),
                    static_cast<std::int16_t>(y), static_cast<std::uint16_t>(w),
                    static_cast<std::uint16_t>(h), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(conn, id);
  sync();
  return id;
}

void XServer::destroy(xcb_window_t window) {
  xcb_destroy_window(conn, window);
  sync();
}

std::int32_t XServer::childCount(xcb_window_t window) {
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn, xcb_query_tree(conn, window), nullptr);
  if (!tree) return -1;
  const std::int32_t n = xcb_query_tree_children_length(tree);
  std::free(tree);
  return n;
}

xcb_window_t XServer::onlyChild(xcb_window_t window) {
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn, xcb_query_tree(conn, window), nullptr);
  if (!tree) return 0;
  const xcb_window_t child =
      xcb_query_tree_children_length(tree) == 1 ? xcb_query_tree_children(tree)[0] : 0;
  std::free(tree);
  return child;
}

std::unique_ptr<platform::software::PixelSurface> XServer::picture(xcb_window_t window,
                                                                   std::int32_t w, std::int32_t h) {
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      conn,
      xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<std::uint16_t>(w),
                    static_cast<std::uint16_t>(h), ~0u),
      nullptr);
  if (!image) return nullptr;
  auto surface = platform::software::PixelSurface::create(w, h, false);
  const auto* words = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image));
  if (xcb_get_image_data_length(image) >= w * h * 4) {
    for (std::int32_t y = 0; y < h; ++y) {
      for (std::int32_t x = 0; x < w; ++x) {
        const std::uint32_t p = words[y * w + x];
        surface->setPixel(x, y, ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
      }
    }
  } else {
    surface = nullptr;
  }
  std::free(image);
  return surface;
}

void XServer::moveTo(std::int32_t x, std::int32_t y) {
  xcb_test_fake_input(conn, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0);
  sync();
}

void XServer::button(std::uint8_t number, bool down) {
  xcb_test_fake_input(conn, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, number, XCB_CURRENT_TIME,
                      XCB_NONE, 0, 0, 0);
  sync();
}

void XServer::key(std::uint32_t keysym, bool down) {
  const xcb_setup_t* setup = xcb_get_setup(conn);
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
      conn, xcb_get_keyboard_mapping(conn, setup->min_keycode, count), nullptr);
  if (!map) return;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
  const int length = xcb_get_keyboard_mapping_keysyms_length(map);
  std::uint8_t code = 0;
  for (int i = 0; i < length && !code; i += map->keysyms_per_keycode) {
    if (syms[i] == keysym)
      code = static_cast<std::uint8_t>(setup->min_keycode + i / map->keysyms_per_keycode);
  }
  std::free(map);
  if (!code) return;
  xcb_test_fake_input(conn, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code, XCB_CURRENT_TIME,
                      XCB_NONE, 0, 0, 0);
  sync();
}

void XServer::tap(std::uint32_t keysym) {
  key(keysym, true);
  key(keysym, false);
}

void XServer::focus(xcb_window_t window) {
  xcb_set_input_focus(conn, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
  sync();
}

std::optional<std::int32_t> XServer::clientCount() {
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(conn, &xcb_res_id);
  if (!ext || !ext->present) return std::nullopt;
  xcb_res_query_clients_reply_t* reply =
      xcb_res_query_clients_reply(conn, xcb_res_query_clients(conn), nullptr);
  if (!reply) return std::nullopt;
  const std::int32_t n = static_cast<std::int32_t>(reply->num_clients);
  std::free(reply);
  return n;
}

}  // namespace xtest
