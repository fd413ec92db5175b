// `quaverhost edit` on Linux: the editor in a top-level X11 window of the host's own, opened
// as Linux hosts open it (effEditOpen with the window's X id), with silent audio running.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "tools/quaverhost/EditCommand.h"
#include "tools/quaverhost/LiveSession.h"
#include "tools/vsthost/PluginLibrary.h"

namespace qv::hostcli {

const char kEditUsage[] = "  quaverhost edit PLUGIN [--close-after MS]\n";

namespace {

constexpr auto kIdlePeriod = std::chrono::milliseconds(30);

bool parseArguments(std::span<const std::string> args, long& closeAfter) {
  if (args.size() == 1) return true;
  if (args.size() != 3 || args[1] != "--close-after") return false;
  char* end = nullptr;
  closeAfter = std::strtol(args[2].c_str(), &end, 10);
  return end != args[2].c_str() && *end == '\0' && closeAfter > 0 && closeAfter <= 86400000;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t found = reply ? reply->atom : XCB_NONE;
  std::free(reply);
  return found;
}

}  // namespace

int runEdit(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  long closeAfter = 0;
  if (!parseArguments(args, closeAfter)) {
    err << "usage:\n" << kEditUsage;
    return 1;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    err << "quaverhost: no X display\n";
    if (c) xcb_disconnect(c);
    return 1;
  }
  std::string error;
  host::PluginLibrary library;
  AEffect* effect = library.load(args[0], error) ? library.entry()(answerLiveSession) : nullptr;
  ERect* rect = nullptr;
  if (!effect || effect->magic != kEffectMagic) {
    err << "quaverhost: " << (error.empty() ? args[0] + " made no effect" : error) << '\n';
    xcb_disconnect(c);
    return 1;
  }
  auto dispatch = [effect](int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                           float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  };
  if (!(effect->flags & effFlagsHasEditor) || !dispatch(effEditGetRect, 0, 0, &rect) || !rect) {
    err << "quaverhost: " << args[0] << " has no editor\n";
    dispatch(effClose);
    xcb_disconnect(c);
    return 1;
  }
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kLiveSampleRate));
  dispatch(effSetBlockSize, 0, kLiveBlockSize);
  dispatch(effMainsChanged, 0, 1);

  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0,
                    static_cast<std::uint16_t>(rect->right - rect->left),
                    static_cast<std::uint16_t>(rect->bottom - rect->top), 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 10,
                      "Quaverling");
  const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1,
                      &deleteWindow);
  xcb_map_window(c, window);
  xcb_flush(c);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  bool editorOpen = dispatch(effEditOpen, 0, 0,
                             reinterpret_cast<void*>(static_cast<std::uintptr_t>(window))) != 0;
  if (!editorOpen) err << "quaverhost: the editor did not open in the window\n";
  out << "Editing " << args[0] << "; close the window to end.\n";
  {
    SilentAudio audio(*effect);
    const auto start = std::chrono::steady_clock::now();
    bool running = true;
    while (running) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow) {
          running = false;
        }
        if (type == XCB_DESTROY_NOTIFY) running = false;
        std::free(event);
      }
      if (xcb_connection_has_error(c)) running = false;
      if (closeAfter &&
          std::chrono::steady_clock::now() - start > std::chrono::milliseconds(closeAfter)) {
        running = false;
      }
      if (editorOpen) dispatch(effEditIdle);
      std::this_thread::sleep_for(kIdlePeriod);
    }
  }
  if (editorOpen) dispatch(effEditClose);
  xcb_destroy_window(c, window);
  xcb_disconnect(c);
  dispatch(effMainsChanged, 0, 0);
  dispatch(effClose);
  return 0;
}

}  // namespace qv::hostcli
