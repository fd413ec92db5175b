#include "gui/platform/win32/OleDropTarget.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>

#include "gui/platform/Input.h"

namespace platform::win32 {

namespace {

FORMATETC globalFormat(CLIPFORMAT format) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = globalFormat(format);
  return data && data->QueryGetData(&wanted) == S_OK;
}

// A medium fetched from a data object in global memory, released through the medium's own
// release object when it has one.
class GlobalMedium {
 public:
  GlobalMedium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = globalFormat(format);
    if (!data || data->GetData(&wanted, &medium) != S_OK) return;
    fetched = true;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
      ReleaseStgMedium(&medium);
      fetched = false;
    }
  }
  ~GlobalMedium() {
    if (fetched) ReleaseStgMedium(&medium);
  }
  GlobalMedium(const GlobalMedium&) = delete;
  GlobalMedium& operator=(const GlobalMedium&) = delete;

  bool ok() const { return fetched; }
  HGLOBAL handle() const { return medium.hGlobal; }

 private:
  STGMEDIUM medium{};
  bool fetched = false;
};

class GlobalText final : public DroppedText {
 public:
  explicit GlobalText(IDataObject* data) : medium(data, CF_TEXT) {
    if (!medium.ok()) return;
    block = static_cast<const char*>(GlobalLock(medium.handle()));
    if (block) length = GlobalSize(medium.handle());
  }
  ~GlobalText() override {
    if (block) GlobalUnlock(medium.handle());
  }
  bool ok() const { return block != nullptr; }
  const char* bytes() const override { return block; }
  std::size_t size() const override { return length; }

 private:
  GlobalMedium medium;
  const char* block = nullptr;
  std::size_t length = 0;
};

// Whether the names of a dropped list end within its block: the platform reads a list up
// to its empty name, and data from another program may lack it.
bool wellFormed(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
  if (!bytes) return false;
  bool ended = false;
  if (size >= sizeof(DROPFILES)) {
    const auto* header = reinterpret_cast<const DROPFILES*>(bytes);
    const SIZE_T unit = header->fWide ? 2 : 1;
    bool afterTerminator = false;
    for (SIZE_T at = header->pFiles; !ended && at + unit <= size && at >= header->pFiles;
         at += unit) {
      const bool terminator = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
      ended = terminator && afterTerminator;
      afterTerminator = terminator;
    }
  }
  GlobalUnlock(block);
  return ended;
}

class FileList final : public DroppedFiles {
 public:
  explicit FileList(IDataObject* data) : medium(data, CF_HDROP) {}
  bool ok() const { return medium.ok() && wellFormed(medium.handle()); }
  std::int32_t count() const override {
    const UINT names = DragQueryFileA(drop(), 0xFFFFFFFF, nullptr, 0);
    return names > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(names);
  }
  bool name(std::int32_t index, char* out, std::int32_t capacity) const override {
    if (!out || index < 0 || capacity <= 0) return false;
    const UINT length = DragQueryFileA(drop(), static_cast<UINT>(index), nullptr, 0);
    // The platform cuts a name that does not fit; a cut name is not the dropped file.
    if (length == 0 || length >= static_cast<UINT>(capacity)) return false;
    return DragQueryFileA(drop(), static_cast<UINT>(index), out, static_cast<UINT>(capacity)) ==
           length;
  }

 private:
  HDROP drop() const { return static_cast<HDROP>(medium.handle()); }

  GlobalMedium medium;
};

class OleData final : public DropData {
 public:
  explicit OleData(IDataObject* source) : data(source) {}
  bool offersText() override { return offers(data, CF_TEXT); }
  bool offersFiles() override { return offers(data, CF_HDROP); }
  std::unique_ptr<DroppedText> fetchText() override {
    auto text = std::make_unique<GlobalText>(data);
    if (!text->ok()) return nullptr;
    return text;
  }
  std::unique_ptr<DroppedFiles> fetchFiles() override {
    auto files = std::make_unique<FileList>(data);
    if (!files->ok()) return nullptr;
    return files;
  }

 private:
  IDataObject* data;
};

std::int32_t modifiers(DWORD keyState) {
  std::int32_t bits = 0;
  if (keyState & MK_SHIFT) bits |= kShiftDown;
  if (keyState & MK_CONTROL) bits |= kControlDown;
  if (keyState & MK_ALT) bits |= kAltDown;
  return bits;
}

std::int32_t allowedEffects(DWORD effect) {
  std::int32_t bits = 0;
  if (effect & DROPEFFECT_COPY) bits |= kAllowCopy;
  if (effect & DROPEFFECT_MOVE) bits |= kAllowMove;
  return bits;
}

}  // namespace

HRESULT OleDropTarget::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG OleDropTarget::AddRef() {
  return static_cast<ULONG>(++refCount);
}

ULONG OleDropTarget::Release() {
  const LONG left = --refCount;
  if (left <= 0) delete this;
  return left < 0 ? 0 : static_cast<ULONG>(left);
}

HRESULT OleDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  OleData offered(data);
  *effect =
      static_cast<DWORD>(sink->dragEnter(offered, modifiers(keyState), allowedEffects(*effect)));
  return S_OK;
}

HRESULT OleDropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = static_cast<DWORD>(sink->dragOver(modifiers(keyState), allowedEffects(*effect)));
  return S_OK;
}

HRESULT OleDropTarget::DragLeave() {
  sink->dragLeave();
  return S_OK;
}

HRESULT OleDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  OleData dropped(data);
  *effect = static_cast<DWORD>(sink->drop(dropped, modifiers(keyState), allowedEffects(*effect)));
  return S_OK;
}

bool setWindowDropSink(HWND window, std::unique_ptr<DropSink> sink) {
  if (!sink) return SUCCEEDED(RevokeDragDrop(window));
  auto* target = new OleDropTarget(std::move(sink));
  // Holding a reference across the registration deletes the object when OLE refuses it.
  target->AddRef();
  const HRESULT registered = RegisterDragDrop(window, target);
  target->Release();
  return SUCCEEDED(registered);
}

}  // namespace platform::win32
