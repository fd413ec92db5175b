// Drops onto a frame in a real window through OLE, shortcut resolution through the shell,
// and the common dialog's record for the file selector's requests.
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/DropTarget.h"
#include "gui/platform/win32/OleDropTarget.h"
#include "gui/platform/win32/Win32FileDialogs.h"
#include "tests/gui/win32/HostedFrameTest.h"

namespace {

// A view that keeps the names or text dropped on it.
class DropProbe : public View {
 public:
  explicit DropProbe(const Rect& bounds) : View(bounds) {}
  bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                   Point&) override {
    lastType = type;
    received.clear();
    if (type == kDroppedFiles) {
      for (std::int32_t i = 0; i < count; ++i) received.emplace_back(items[i]);
    } else {
      received.emplace_back(items[0]);
    }
    return true;
  }
  std::int32_t lastType = -1;
  std::vector<std::string> received;
};

// A data object carrying a file list (CF_HDROP) or a text (CF_TEXT) in global memory.
class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT offered, const std::vector<std::string>& texts) : format(offered) {
    std::string bytes;
    for (const std::string& text : texts) bytes += text + '\0';
    bytes += '\0';
    const SIZE_T header = format == CF_HDROP ? sizeof(DROPFILES) : 0;
    memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + bytes.size());
    auto* block = static_cast<char*>(GlobalLock(memory));
    if (format == CF_HDROP) reinterpret_cast<DROPFILES*>(block)->pFiles = sizeof(DROPFILES);
    std::memcpy(block + header, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  ~DataObject() { GlobalFree(memory); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    if (QueryGetData(wanted) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = OleDuplicateData(memory, format, 0);
    medium->pUnkForRelease = nullptr;
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
    return wanted && wanted->cfFormat == format && (wanted->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                   : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC offered{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &offered, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  CLIPFORMAT format;
  HGLOBAL memory = nullptr;
  ULONG refs = 1;
};

// The user's side of a drag: the pointer moves onto the target, then the button goes up.
class DropSource final : public IDropSource {
 public:
  explicit DropSource(POINT dropPoint) : target(dropPoint) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    ++queries;
    // Every time, so that a pointer moved by anything else comes back onto the target.
    SetCursorPos(target.x, target.y);
    if (queries > 400) return DRAGDROP_S_CANCEL;
    return queries > 8 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  POINT target;
  int queries = 0;
};

constexpr int kHostX = 80;
constexpr int kHostY = 60;

class Win32Drop : public HostedFrameTest {
 protected:
  Win32Drop() : HostedFrameTest(kHostX, kHostY) {}
  void SetUp() override {
    HostedFrameTest::SetUp();
    if (HasFatalFailure()) return;
    probe = new DropProbe(Rect(20, 20, 200, 200));
    ASSERT_TRUE(frame->addChild(probe));
    win32test::pumpFor(60);
  }
  // A real OLE drag of data from outside the frame onto (x, y) of the frame.
  DWORD dragOnto(IDataObject* data, int x, int y) {
    // Other programs' windows on the same display must not lie over the target.
    SetWindowPos(host, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetCursorPos(kHostX + 350, kHostY + 300);
    DropSource source(POINT{kHostX + x, kHostY + y});
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    return effect;
  }

  DropProbe* probe = nullptr;
};

std::string tempFolder() {
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  return folder;
}

// A shortcut to target saved under name, through the shell's link object.
bool makeShortcut(const std::string& name, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target.c_str());
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    std::wstring wide(name.begin(), name.end());
    saved = SUCCEEDED(file->Save(wide.c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

TEST_F(Win32Drop, ThreeFilesDraggedOntoTheWindowReachTheView) {
  DataObject files(CF_HDROP, {"C:\\one.wav", "C:\\two.wav", "C:\\three.aif"});
  const DWORD effect = dragOnto(&files, 100, 100);
  EXPECT_EQ(probe->lastType, kDroppedFiles);
  EXPECT_EQ(probe->received,
            (std::vector<std::string>{"C:\\one.wav", "C:\\two.wav", "C:\\three.aif"}));
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
}

TEST_F(Win32Drop, TextDraggedOntoTheWindowReachesTheView) {
  DataObject text(CF_TEXT, {"dropped words"});
  dragOnto(&text, 50, 60);
  EXPECT_EQ(probe->lastType, kDroppedText);
  EXPECT_EQ(probe->received, (std::vector<std::string>{"dropped words"}));
}

TEST_F(Win32Drop, TheTargetShowsMoveCopyOrNothingAndAnswersOnlyItsInterfaces) {
  auto* target = new platform::win32::OleDropTarget(std::make_unique<DropTarget>(frame.get()));
  target->AddRef();
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(target->QueryInterface(IID_IDataObject, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(target->QueryInterface(IID_IDropTarget, &object), S_OK);
  EXPECT_EQ(object, static_cast<IDropTarget*>(target));
  EXPECT_EQ(target->Release(), 1u);

  DataObject text(CF_TEXT, {"x"});
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(&text, 0, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragOver(MK_CONTROL, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target->DragOver(0, POINTL{0, 0}, nullptr), E_INVALIDARG);

  DataObject bitmap(CF_BITMAP, {"x"});
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(&bitmap, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->DragLeave();
  EXPECT_EQ(target->Release(), 0u);
}

TEST_F(Win32Drop, AShortcutIsResolvedToItsTargetsShortPathInAnyCase) {
  const std::string target = tempFolder() + "Quaverling drop target sample.wav";
  HANDLE made = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  CloseHandle(made);
  char expected[MAX_PATH] = "";
  ASSERT_GT(GetShortPathNameA(target.c_str(), expected, sizeof expected), 0u);
  ASSERT_NE(std::string(expected), target);
  const std::string lower = tempFolder() + "quaverling-loop.lnk";
  const std::string upper = tempFolder() + "QUAVERLING-BEAT.LNK";
  ASSERT_TRUE(makeShortcut(lower, target));
  ASSERT_TRUE(makeShortcut(upper, target));

  DataObject files(CF_HDROP, {lower, upper, target});
  dragOnto(&files, 100, 100);
  EXPECT_EQ(probe->received, (std::vector<std::string>{expected, expected, target}));

  // A shortcut that cannot be loaded keeps its name.
  char broken[1024];
  const std::string missing = tempFolder() + "missing-quaverling.lnk";
  std::strcpy(broken, missing.c_str());
  EXPECT_FALSE(platform::resolveShortcut(broken, sizeof broken));
  EXPECT_STREQ(broken, missing.c_str());

  DeleteFileA(lower.c_str());
  DeleteFileA(upper.c_str());
  DeleteFileA(target.c_str());
}

TEST(Win32FileDialogs, TheOpenRecordCarriesTheFilterTextAndOptions) {
  const platform::FileFilter filters[] = {{"Wave (.wav)", "*.wav"}, {"Any Type (*.*)", "*.*"}};
  char answer[1024] = "";
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogKind::OpenMultiple;
  request.title = "Load";
  request.initialFolder = "C:\\Loops";
  request.filters = filters;
  request.filterCount = 2;
  request.answer = answer;
  request.answerCapacity = sizeof answer;
  platform::win32::OpenFileSetup setup(request);
  const OPENFILENAMEA& record = setup.record();
  const char expected[] = "Wave (.wav)\0*.wav\0Any Type (*.*)\0*.*\0";
  EXPECT_EQ(std::string(record.lpstrFilter, sizeof expected),
            std::string(expected, sizeof expected));
  EXPECT_EQ(record.nFilterIndex, 1u);
  EXPECT_EQ(record.lpstrFile, answer);
  EXPECT_EQ(record.nMaxFile, 1024u);
  EXPECT_EQ(record.nMaxFileTitle, 64u);
  EXPECT_STREQ(record.lpstrTitle, "Load");
  EXPECT_STREQ(record.lpstrInitialDir, "C:\\Loops");
  const DWORD load =
      OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  EXPECT_EQ(record.Flags, load | OFN_ALLOWMULTISELECT);
  EXPECT_EQ(record.lpfnHook, nullptr);
}

// Asks for "Save As - [folder]" style captions, and counts the requests.
class CountingCaption final : public platform::SaveCaption {
 public:
  void compose(const char*, const char* folder, char* out, std::int32_t size) override {
    ++calls;
    std::snprintf(out, static_cast<std::size_t>(size), "Saving in %s", folder);
  }
  int calls = 0;
};

TEST(Win32FileDialogs, TheSaveRecordHasTheDefaultExtensionAndTheCaptionHook) {
  const platform::FileFilter filters[] = {{"AIFF (.aif)", "*.aif"}};
  char answer[1024] = "";
  CountingCaption caption;
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogKind::Save;
  request.filters = filters;
  request.filterCount = 1;
  request.defaultExtension = "aif";
  request.caption = &caption;
  request.answer = answer;
  request.answerCapacity = sizeof answer;
  platform::win32::OpenFileSetup setup(request);
  const OPENFILENAMEA& record = setup.record();
  EXPECT_STREQ(record.lpstrDefExt, "aif");
  EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY |
                                             OFN_ENABLEHOOK));
  EXPECT_NE(record.lpfnHook, nullptr);
  EXPECT_EQ(record.lCustData, reinterpret_cast<LPARAM>(&caption));
  EXPECT_EQ(record.lpstrTitle, nullptr);
}

}  // namespace
