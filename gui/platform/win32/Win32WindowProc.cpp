#include "gui/platform/win32/Win32WindowProc.h"

#include <algorithm>

#include "gui/platform/WindowClient.h"
#include "gui/platform/win32/GdiDevice.h"

namespace platform::win32 {

namespace {

// The brush that paints an open edit box lives with the window: a new colour request
// replaces it, and the window's end deletes the last one.
constexpr const wchar_t* kEditBrushProperty = L"QuaverlingEditBrush";

void replaceEditBrush(HWND window, HBRUSH brush) {
  HANDLE previous = RemovePropW(window, kEditBrushProperty);
  if (previous) DeleteObject(previous);
  if (brush) SetPropW(window, kEditBrushProperty, brush);
}

COLORREF colorRef(Color c) {
  return RGB(c.red, c.green, c.blue);
}

// Runs use with a device on the window's client area fetched for the purpose.
template <typename Use>
void withWindowDevice(HWND window, Use use) {
  HDC dc = GetDC(window);
  if (!dc) return;
  {
    GdiDevice device(dc);
    use(device);
  }
  ReleaseDC(window, dc);
}

LRESULT paint(HWND window, WindowClient& client) {
  PAINTSTRUCT paintInfo;
  HDC dc = BeginPaint(window, &paintInfo);
  if (dc) {
    GdiDevice device(dc);
    const RECT& r = paintInfo.rcPaint;
    client.windowPaint(device, Rect(r.left, r.top, r.right, r.bottom));
  }
  EndPaint(window, &paintInfo);
  return 0;
}

bool drawMenuItem(WindowClient& client, const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
  std::int32_t state = 0;
  if (item->itemState & ODS_CHECKED) state |= 1;
  if (item->itemState & ODS_DISABLED) state |= 2;
  if (item->itemState & ODS_SELECTED) state |= 4;
  const RECT& r = item->rcItem;
  GdiDevice device(item->hDC);
  return client.windowDrawMenuItem(item->itemData, static_cast<std::int32_t>(item->itemID), state,
                                   device, Rect(r.left, r.top, r.right, r.bottom + 1));
}

bool measureMenuItem(HWND window, WindowClient& client, MEASUREITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
  Point size;
  bool measured = false;
  withWindowDevice(window, [&](GdiDevice& device) {
    measured = client.windowMeasureMenuItem(item->itemData, device, size);
  });
  if (!measured) return false;
  item->itemWidth = static_cast<UINT>(std::max(size.x, 0));
  item->itemHeight = static_cast<UINT>(std::max(size.y, 0));
  return true;
}

LRESULT buttonDown(HWND window, WindowClient& client, LPARAM position, PressedButton button) {
  // The position word carries two unsigned 16-bit halves.
  const Point where(LOWORD(position), HIWORD(position));
  withWindowDevice(window,
                   [&](GdiDevice& device) { client.windowButtonDown(device, where, button); });
  return 0;
}

}  // namespace

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* client = reinterpret_cast<WindowClient*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!client) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      client->windowDestroyed();
      // Messages after this one find no client.
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      replaceEditBrush(window, nullptr);
      break;
    case WM_PAINT:
      if (GetUpdateRect(window, nullptr, FALSE)) return paint(window, *client);
      break;
    case WM_DRAWITEM:
      if (drawMenuItem(*client, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_MEASUREITEM:
      if (measureMenuItem(window, *client, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_CTLCOLOREDIT: {
      Color text;
      Color background;
      if (!client->windowEditBoxColors(text, background)) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, colorRef(text));
      SetBkColor(dc, colorRef(background));
      HBRUSH brush = CreateSolidBrush(colorRef(background));
      replaceEditBrush(window, brush);
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_LBUTTONDOWN:
      return buttonDown(window, *client, lParam, PressedButton::Left);
    case WM_RBUTTONDOWN:
      return buttonDown(window, *client, lParam, PressedButton::Right);
    case WM_MBUTTONDOWN:
      return buttonDown(window, *client, lParam, PressedButton::Middle);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace platform::win32
