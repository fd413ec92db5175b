// The native edit box of user32: an "EDIT" child window with a font of its own, subclassed so
// that Enter and the loss of the keyboard focus tell the client.
#include <windows.h>

#include "gui/platform/EditBox.h"

namespace platform {

namespace {

// The system edit class's window procedure, saved each time a box is subclassed; every box
// shares it.
WNDPROC systemEditProc = nullptr;

class Win32EditBox final : public EditBox {
 public:
  Win32EditBox(HWND edit, HFONT editFont, EditBoxClient& editClient)
      : box(edit), font(editFont), client(editClient) {}
  ~Win32EditBox() override {
    // Unlinked first: a box that has the focus hears of losing it while it is destroyed.
    SetWindowLongPtrA(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
    if (font) DeleteObject(font);
  }
  Win32EditBox(const Win32EditBox&) = delete;
  Win32EditBox& operator=(const Win32EditBox&) = delete;

  void getText(char* out, std::int32_t size) const override {
    if (!out || size <= 0) return;
    out[0] = '\0';
    GetWindowTextA(box, out, size);
  }
  WindowHandle handle() const override { return box; }

  static LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32EditBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
      case WM_GETDLGCODE:
        // The host's dialog handling passes every key to the box.
        return DLGC_WANTALLKEYS;
      case WM_KILLFOCUS:
      case WM_KEYDOWN:
        if (self && (message == WM_KILLFOCUS || wParam == VK_RETURN)) {
          self->client.editBoxDone();
          // The client may have closed the box: a box that is gone takes no more messages.
          if (!IsWindow(window)) return 0;
        }
        break;
      default:
        break;
    }
    return CallWindowProcA(systemEditProc, window, message, wParam, lParam);
  }

 private:
  HWND box;
  HFONT font;
  EditBoxClient& client;
};

DWORD alignmentStyle(EditBoxAlign align) {
  switch (align) {
    case EditBoxAlign::Center:
      return ES_CENTER;
    case EditBoxAlign::Right:
      return ES_RIGHT;
    case EditBoxAlign::Left:
      break;
  }
  return ES_LEFT;
}

}  // namespace

std::unique_ptr<EditBox> openEditBox(WindowHandle parent, const EditBoxSetup& setup,
                                     EditBoxClient& client) {
  HWND parentWindow = static_cast<HWND>(parent);
  if (!parentWindow || !IsWindow(parentWindow)) return nullptr;
  // The box belongs to the module that made the parent window.
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));
  const Rect& r = setup.rect;
  HWND box = CreateWindowExA(0, "EDIT", setup.text ? setup.text : "",
                             WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | alignmentStyle(setup.align),
                             r.left, r.top, r.width() + 1, r.height() + 1, parentWindow, nullptr,
                             instance, nullptr);
  if (!box) return nullptr;
  HFONT font = CreateFontA(setup.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, setup.fontFace ? setup.fontFace : "");
  auto made = std::make_unique<Win32EditBox>(box, font, client);
  SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made.get()));
  SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageA(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, EM_LIMITTEXT, kEditBoxLimit, 0);
  SetFocus(box);
  systemEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32EditBox::boxProc)));
  return made;
}

}  // namespace platform
