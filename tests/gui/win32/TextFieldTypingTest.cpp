// A text field in a real frame window, edited with the real mouse and keyboard: the native
// edit box opens over the field with its text selected, takes typed keys, and Enter hands the
// typed text to the listener.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/controls/TextField.h"
#include "gui/core/Frame.h"
#include "gui/platform/Module.h"
#include "tests/support/win32/Win32TestHost.h"

namespace {

using namespace win32test;

struct Texts : ControlListener {
  void valueChanged(DrawContext* context, Control* control) override {
    char text[kTextBufferSize];
    static_cast<TextField*>(control)->getText(text);
    heard.push_back(text);
    withContext = context != nullptr;
  }
  std::vector<std::string> heard;
  bool withContext = false;
};

class Win32TextField : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setModuleHandle(GetModuleHandleW(nullptr));
    host = openHostWindow();
    ASSERT_NE(host, nullptr);
    SetForegroundWindow(host);
    frame = std::make_unique<Frame>(Rect(0, 0, 293, 249), host, nullptr);
    // The editor's tempo field.
    field = new TextField(Rect(118, 70, 157, 90), &texts, 1, "120", nullptr, 0x80);
    field->setFont(kFontArial18);
    field->setFontColor(kYellow);
    field->setBackColor(kBlue);
    ASSERT_TRUE(frame->addChild(field));
    pumpFor(200);
  }
  void TearDown() override {
    frame.reset();
    closeHostWindow(host);
    platform::setModuleHandle(nullptr);
  }

  void clickField() {
    SetCursorPos(kHostX + 130, kHostY + 80);
    // Held while the press is handled: the field reads the live button state.
    sendButton(MOUSEEVENTF_LEFTDOWN);
    const bool opened = pumpUntil([this] { return field->isEditing(); });
    sendButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(opened);
  }

  HWND host = nullptr;
  std::unique_ptr<Frame> frame;
  TextField* field = nullptr;
  Texts texts;
};

TEST_F(Win32TextField, TypedKeysAndEnterEndTheEditWithTheTypedText) {
  ASSERT_NO_FATAL_FAILURE(clickField());
  HWND box = static_cast<HWND>(field->getEditBox()->handle());
  char className[16] = "";
  GetClassNameA(box, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  EXPECT_EQ(GetParent(box), static_cast<HWND>(frame->getWindow()));
  EXPECT_EQ(GetFocus(), box);
  char shown[16] = "";
  GetWindowTextA(box, shown, sizeof shown);
  EXPECT_STREQ(shown, "120");
  DWORD from = 1;
  DWORD to = 0;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & ES_CENTER);
  EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 255);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 18);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  RECT r;
  GetWindowRect(box, &r);
  EXPECT_EQ(r.left, kHostX + 118);
  EXPECT_EQ(r.top, kHostY + 70);
  EXPECT_EQ(r.right - r.left, 40);
  EXPECT_EQ(r.bottom - r.top, 21);

  // The box is painted in the field's colours.
  HDC dc = GetDC(box);
  const LRESULT brush = SendMessageW(static_cast<HWND>(frame->getWindow()), WM_CTLCOLOREDIT,
                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 0));
  LOGBRUSH made{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof made, &made);
  EXPECT_EQ(made.lbColor, RGB(0, 0, 255));
  ReleaseDC(box, dc);

  pressKey('4');
  pressKey('2');
  ASSERT_TRUE(pumpUntil([box] {
    char now[16] = "";
    GetWindowTextA(box, now, sizeof now);
    return std::string(now) == "42";
  }));
  pressKey(VK_RETURN);
  ASSERT_TRUE(pumpUntil([this] { return !texts.heard.empty(); }));
  EXPECT_EQ(texts.heard, std::vector<std::string>{"42"});
  EXPECT_TRUE(texts.withContext);
  EXPECT_FALSE(field->isEditing());
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(Win32TextField, FocusLossEndsTheEditAndAnUnchangedTextTellsNobody) {
  ASSERT_NO_FATAL_FAILURE(clickField());
  HWND box = static_cast<HWND>(field->getEditBox()->handle());
  SetFocus(host);
  EXPECT_FALSE(field->isEditing());
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(texts.heard.empty());
  // The next click opens a new box, which a click elsewhere in the frame closes.
  ASSERT_NO_FATAL_FAILURE(clickField());
  SendMessageA(static_cast<HWND>(field->getEditBox()->handle()), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("7"));
  SetCursorPos(kHostX + 10, kHostY + 10);
  sendButton(MOUSEEVENTF_LEFTDOWN);
  const bool closed = pumpUntil([this] { return !field->isEditing(); });
  sendButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(closed);
  EXPECT_EQ(texts.heard, std::vector<std::string>{"7"});
}

}  // namespace
