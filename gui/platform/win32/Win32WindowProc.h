// The window procedure of the frame windows: it turns the platform's messages into calls on
// the WindowClient kept in the window's user data, and leaves every other message, and every
// message of a window without a client, to the platform's default handling.
#pragma once

#include <windows.h>

namespace platform::win32 {

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::win32
