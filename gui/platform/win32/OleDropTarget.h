// The platform's drop-target object for a frame window: an OLE IDropTarget that hands what
// is dragged over the window to the toolkit's drop sink (DropSink.h), with plain text
// (CF_TEXT) and file lists (CF_HDROP) fetched from the data object in global memory.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>

#include "gui/platform/DropSink.h"

namespace platform::win32 {

// Reference-counted as OLE expects: 0 after construction, deleted (with its sink) by the
// release that takes the count to 0 or below. Registration holds a reference, so revoking
// it deletes the object. Called by OLE on the thread that registered it.
class OleDropTarget final : public IDropTarget {
 public:
  explicit OleDropTarget(std::unique_ptr<DropSink> target) : sink(std::move(target)) {}

  // Itself for IID_IUnknown and IID_IDropTarget, with a reference added; E_NOINTERFACE and
  // no object for anything else.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Each answers S_OK, or E_INVALIDARG without an effect word to write.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                 DWORD* effect) override;

 private:
  ~OleDropTarget() = default;

  LONG refCount = 0;
  std::unique_ptr<DropSink> sink;
};

// Registers sink for the window (OLE must be initialised on the calling thread), or, with a
// null sink, revokes the registration, which deletes the sink. False when OLE refuses.
bool setWindowDropSink(HWND window, std::unique_ptr<DropSink> sink);

}  // namespace platform::win32
