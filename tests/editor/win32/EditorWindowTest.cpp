// The 32-bit plug-in's editor in real windows under a real message loop: loaded from the DLL as
// a host loads it, opened in a host window, dragged with the real mouse, and opened and closed
// many times without leaving windows or GDI objects behind; its picture is read back from the
// window for the native build to compare, and its light is seen blinking while audio runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "host/Vst2.h"
#include "tests/support/crosscheck/Picture.h"
#include "tests/support/crosscheck/SceneDumps.h"
#include "tests/support/win32/Win32TestHost.h"

namespace {

using namespace win32test;

struct Call {
  int32 opcode;
  int32 index;
  float opt;
};
// The host's record; the editor reaches the host only on this thread.
std::vector<Call> calls;

intptr VSTCALLBACK recordingHost(AEffect*, int32 opcode, int32 index, intptr, void*, float opt) {
  calls.push_back({opcode, index, opt});
  return opcode == audioMasterVersion ? 2400 : 0;
}

std::wstring pluginPath() {
  wchar_t exe[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring path(exe, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Quaverling.dll";
}

// The window's pixels as the screen shows them, copied from its device context; an empty picture
// when the copy fails.
crosscheck::Picture readWindow(HWND window, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  crosscheck::Picture picture;
  HDC windowDc = GetDC(window);
  HDC memory = CreateCompatibleDC(windowDc);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory && dib && bits) {
    HGDIOBJ previous = SelectObject(memory, dib);
    if (BitBlt(memory, 0, 0, width, height, windowDc, area.left, area.top, SRCCOPY)) {
      GdiFlush();
      const auto* words = static_cast<const DWORD*>(bits);
      picture.width = width;
      picture.height = height;
      for (int i = 0; i < width * height; ++i) {
        picture.pixels.emplace_back(static_cast<std::uint8_t>(words[i] >> 16),
                                    static_cast<std::uint8_t>(words[i] >> 8),
                                    static_cast<std::uint8_t>(words[i]));
      }
    }
    SelectObject(memory, previous);
  }
  if (dib) DeleteObject(dib);
  if (memory) DeleteDC(memory);
  ReleaseDC(window, windowDc);
  return picture;
}

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library = LoadLibraryW(pluginPath().c_str());
    ASSERT_NE(library, nullptr);
    using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "main")));
    ASSERT_NE(entry, nullptr);
    effect = entry(recordingHost);
    ASSERT_NE(effect, nullptr);
    host = openHostWindow();
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override {
    if (effect) dispatch(effClose);
    closeHostWindow(host);
    if (library) FreeLibrary(library);
    calls.clear();
  }
  intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr) {
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
  }
  int count(int32 opcode, int32 index) const {
    int n = 0;
    for (const Call& c : calls) n += c.opcode == opcode && c.index == index ? 1 : 0;
    return n;
  }

  HMODULE library = nullptr;
  AEffect* effect = nullptr;
  HWND host = nullptr;
};

TEST_F(EditorWindowTest, TheEditorOpensAsAChildWindowOfTheHost) {
  ASSERT_EQ(effect->flags & effFlagsHasEditor, effFlagsHasEditor);
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
  HWND editor = FindWindowExW(host, nullptr, nullptr, nullptr);
  ASSERT_NE(editor, nullptr);
  RECT client{};
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right, 293);
  EXPECT_EQ(client.bottom, 249);
  wchar_t name[64] = {};
  GetClassNameW(editor, name, 64);
  EXPECT_EQ(std::wstring(name).rfind(L"Plugin", 0), 0u);
  pumpFor(200);
  dispatch(effEditIdle);
  dispatch(effEditClose);
  EXPECT_EQ(FindWindowExW(host, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(EditorWindowTest, ARealDragOnTheDepthSliderIsOneGestureOnParameter2) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
  pumpFor(200);
  calls.clear();
  SetCursorPos(kHostX + 25, kHostY + 60);
  std::thread user([] {
    Sleep(100);
    dragThrough({{kHostX + 25, kHostY + 75}, {kHostX + 25, kHostY + 90}});
  });
  pumpFor(1500);
  user.join();
  EXPECT_EQ(count(audioMasterBeginEdit, 2), 1);
  EXPECT_GE(count(audioMasterAutomate, 2), 1);
  EXPECT_EQ(count(audioMasterEndEdit, 2), 1);
  EXPECT_EQ(effect->getParameter(effect, 2), 0.0f) << "dragged to the bottom of the track";
  dispatch(effEditClose);
}

TEST_F(EditorWindowTest, OpeningAndClosingLeavesNothingBehind) {
  // One cycle first, so that what stays for the process's life (the window class, the blend
  // library, the timer device) is already there.
  dispatch(effEditOpen, 0, 0, host);
  pumpFor(50);
  dispatch(effEditClose);
  pumpFor(50);
  // Windows counts the process's GDI and USER objects; Wine answers 0, so there only the
  // windows are checked.
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
    pumpPending();
    dispatch(effEditIdle);
    dispatch(effEditClose);
    ASSERT_EQ(FindWindowExW(host, nullptr, nullptr, nullptr), nullptr) << "cycle " << i;
  }
  pumpFor(50);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
}

TEST_F(EditorWindowTest, TheWindowsPictureIsLeftForTheNativeComparison) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
  HWND editor = FindWindowExW(host, nullptr, nullptr, nullptr);
  ASSERT_NE(editor, nullptr);
  pumpFor(300);
  const crosscheck::Picture picture = readWindow(editor, RECT{0, 0, 293, 249});
  dispatch(effEditClose);
  ASSERT_EQ(picture.width, 293);
  ASSERT_EQ(picture.height, 249);
  // The dump's name carries the golden picture's hash, so a dump drawn before the editor's
  // picture changed is never compared; a dump that could not be written whole is removed.
  ASSERT_TRUE(crosscheck::makeDirectory(QV_CROSSCHECK_OUT));
  const std::string path = crosscheck::scenePath(QV_CROSSCHECK_OUT, QV_EDITOR_DUMP);
  std::remove(path.c_str());
  const bool written = crosscheck::writePicture(path, picture);
  if (!written) std::remove(path.c_str());
  EXPECT_TRUE(written) << path;
}

TEST_F(EditorWindowTest, TheTimerBlinksTheLightWhileAudioRuns) {
  const RECT light{7, 204, 47, 244};
  effect->setParameter(effect, 1, 240.0f);  // four beats a second
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
  HWND editor = FindWindowExW(host, nullptr, nullptr, nullptr);
  ASSERT_NE(editor, nullptr);
  pumpFor(300);
  ASSERT_EQ(effect->getParameter(effect, 19), 0.0f);
  const crosscheck::Picture off = readWindow(editor, light);
  ASSERT_EQ(off.width, 40);

  // From here the test thread neither dispatches messages nor idles the editor: only the
  // editor's own timer can draw the light. The audio thread's calls to the host go to the
  // record while the test thread leaves it alone, until the join.
  std::atomic<bool> running = true;
  std::atomic<int> litBlocks = 0;
  std::thread audio([&] {
    std::vector<float> in(512), out(512);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {out.data(), out.data()};
    while (running.load(std::memory_order_relaxed)) {
      effect->processReplacing(effect, inputs, outputs, 512);
      if (effect->getParameter(effect, 19) != 0.0f) litBlocks.fetch_add(1);
      Sleep(11);  // about the pace of 512 frames at 44.1 kHz
    }
  });
  bool sawOn = false;
  bool sawOffAfterOn = false;
  const DWORD start = GetTickCount();
  while (!sawOffAfterOn && GetTickCount() - start < 2000) {
    const crosscheck::Picture now = readWindow(editor, light);
    if (now.pixels != off.pixels) {
      sawOn = true;
    } else if (sawOn) {
      sawOffAfterOn = true;
    }
    Sleep(5);
  }
  running.store(false, std::memory_order_relaxed);
  audio.join();
  dispatch(effEditClose);
  EXPECT_GT(litBlocks.load(), 0) << "the effect's light never came on";
  EXPECT_TRUE(sawOn) << "the window never showed the lit light";
  EXPECT_TRUE(sawOffAfterOn) << "the window never showed the light going out again";
}

}  // namespace
