#include "tools/quaverhost/EditCommand.h"

#include <windows.h>

#include <cstdlib>

#include "tools/quaverhost/LiveSession.h"
#include "tools/vsthost/PluginLibrary.h"

namespace qv::hostcli {

const char kEditUsage[] = "  quaverhost edit PLUGIN [--close-after MS]\n";

namespace {

constexpr wchar_t kWindowClass[] = L"QuaverhostEditor";
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdlePeriod = 30;
constexpr UINT_PTR kCloseTimer = 2;

struct Session {
  AEffect* effect;
  bool editorOpen = false;

  intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                  float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (session && wParam == kIdleTimer && session->editorOpen) session->dispatch(effEditIdle);
      if (wParam == kCloseTimer) PostMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CHAR:
      // Keys reach the plug-in through its host; the editor taps on the space bar.
      if (session && session->editorOpen)
        session->dispatch(effEditKeyDown, static_cast<int32>(wParam));
      return 0;
    case WM_CLOSE:
      KillTimer(window, kIdleTimer);
      if (session && session->editorOpen) {
        session->dispatch(effEditClose);
        session->editorOpen = false;
      }
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool parseArguments(std::span<const std::string> args, UINT& closeAfter) {
  if (args.size() == 1) return true;
  if (args.size() != 3 || args[1] != "--close-after") return false;
  char* end = nullptr;
  const long ms = std::strtol(args[2].c_str(), &end, 10);
  if (end == args[2].c_str() || *end != '\0' || ms <= 0 || ms > 86400000) return false;
  closeAfter = static_cast<UINT>(ms);
  return true;
}

}  // namespace

int runEdit(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  UINT closeAfter = 0;
  if (!parseArguments(args, closeAfter)) {
    err << "usage:\n" << kEditUsage;
    return 1;
  }
  std::string error;
  host::PluginLibrary library;
  AEffect* effect = library.load(args[0], error) ? library.entry()(answerLiveSession) : nullptr;
  if (!effect || effect->magic != kEffectMagic) {
    err << "quaverhost: " << (error.empty() ? args[0] + " made no effect" : error) << '\n';
    return 1;
  }
  Session session{effect};
  ERect* rect = nullptr;
  if (!(effect->flags & effFlagsHasEditor) || !session.dispatch(effEditGetRect, 0, 0, &rect) ||
      !rect) {
    err << "quaverhost: " << args[0] << " has no editor\n";
    session.dispatch(effClose);
    return 1;
  }
  session.dispatch(effOpen);
  session.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kLiveSampleRate));
  session.dispatch(effSetBlockSize, 0, kLiveBlockSize);
  session.dispatch(effMainsChanged, 0, 1);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);
  RECT frame{0, 0, rect->right - rect->left, rect->bottom - rect->top};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, kWindowClass, L"Quaverling", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    err << "quaverhost: cannot make a window (Windows error " << GetLastError() << ")\n";
    session.dispatch(effClose);
    return 1;
  }
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
  session.editorOpen = session.dispatch(effEditOpen, 0, 0, window) != 0;
  ShowWindow(window, SW_SHOW);
  SetTimer(window, kIdleTimer, kIdlePeriod, nullptr);
  if (closeAfter) SetTimer(window, kCloseTimer, closeAfter, nullptr);
  out << "Editing " << args[0] << "; close the window to end.\n";
  {
    SilentAudio audio(*effect);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  UnregisterClassW(kWindowClass, GetModuleHandleW(nullptr));
  session.dispatch(effMainsChanged, 0, 0);
  session.dispatch(effClose);
  return 0;
}

}  // namespace qv::hostcli
