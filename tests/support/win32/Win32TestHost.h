// What the programs that open real windows under a message loop share: the host's topmost
// window, pumping the thread's messages, and the user's pointer and keys through the input queue.
// Everything here runs on the test's thread, except the input calls, which a helper thread may
// make while the test's thread pumps.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace win32test {

// Where the host's window stands on the screen unless a test asks for another place.
constexpr int kHostX = 60;
constexpr int kHostY = 40;

// Opens a visible, topmost 400 x 320 window without a frame (so its client area starts at its
// corner) at (x, y), registering its class first; null when the window cannot be made.
HWND openHostWindow(int x = kHostX, int y = kHostY);

// Destroys window when there is one, and unregisters the class; safe after the window is gone.
void closeHostWindow(HWND window);

// Translates and dispatches every message the thread has waiting, without waiting for more.
void pumpPending();

// Handles the thread's messages until done() or limit milliseconds have passed; says whether
// done() holds at the end.
template <typename Done>
bool pumpUntil(Done done, DWORD limit = 2000) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < limit) {
    pumpPending();
    Sleep(5);
  }
  return done();
}

// Handles the thread's messages for the given time, at least once.
void pumpFor(DWORD milliseconds);

// Sends one mouse event (MOUSEEVENTF_ flags) at the pointer's place.
void sendButton(DWORD flags);

// Puts the pointer at screen point (x, y) and tells the input queue that it moved.
void movePointer(int x, int y);

// A drag as a user makes it: the left button goes down where the pointer is, the pointer moves to
// each screen point of path in turn and the button comes up, 200 ms apart.
void dragThrough(std::initializer_list<POINT> path);

// A press and a release of the left, or the right, button at screen point (x, y).
void clickAt(int x, int y, bool right = false);

// A press and a release of the virtual key.
void pressKey(WORD key);

}  // namespace win32test
