#include "tests/support/win32/Win32TestHost.h"

namespace win32test {

namespace {
constexpr wchar_t kHostClass[] = L"QuaverlingTestHost";
}  // namespace

HWND openHostWindow(int x, int y) {
  WNDCLASSW hostClass{};
  hostClass.lpfnWndProc = DefWindowProcW;
  hostClass.hInstance = GetModuleHandleW(nullptr);
  hostClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  hostClass.lpszClassName = kHostClass;
  // Fails harmlessly when a window of the class is still open.
  RegisterClassW(&hostClass);
  return CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"Host", WS_POPUP | WS_VISIBLE, x, y, 400, 320,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void closeHostWindow(HWND window) {
  if (window) DestroyWindow(window);
  UnregisterClassW(kHostClass, GetModuleHandleW(nullptr));
}

void pumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void pumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    pumpPending();
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

void sendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void movePointer(int x, int y) {
  SetCursorPos(x, y);
  sendButton(MOUSEEVENTF_MOVE);
}

void dragThrough(std::initializer_list<POINT> path) {
  sendButton(MOUSEEVENTF_LEFTDOWN);
  for (const POINT& point : path) {
    Sleep(200);
    movePointer(point.x, point.y);
  }
  Sleep(200);
  sendButton(MOUSEEVENTF_LEFTUP);
}

void clickAt(int x, int y, bool right) {
  movePointer(x, y);
  Sleep(50);
  sendButton(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Sleep(50);
  sendButton(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void pressKey(WORD key) {
  INPUT strokes[2]{};
  strokes[0].type = INPUT_KEYBOARD;
  strokes[0].ki.wVk = key;
  strokes[1] = strokes[0];
  strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, strokes, sizeof strokes[0]);
}

}  // namespace win32test
