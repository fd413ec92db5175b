#include "gui/platform/win32/Win32FileDialogs.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace platform::win32 {

namespace {

// Each time the save dialog shows another folder, its caption names that folder.
UINT_PTR CALLBACK saveHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
  if (!note || note->hdr.code != CDN_FOLDERCHANGE || !note->lpOFN) return 0;
  auto* caption = reinterpret_cast<SaveCaption*>(note->lpOFN->lCustData);
  if (!caption) return 0;
  // The hook is a child of the dialog whose caption and folder these are.
  HWND dialog = GetParent(hook);
  char folder[MAX_PATH * 4] = "";
  SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
  folder[sizeof folder - 1] = '\0';
  char current[kSaveCaptionBytes] = "";
  GetWindowTextA(dialog, current, sizeof current);
  char next[kSaveCaptionBytes] = "";
  caption->compose(current, folder, next, sizeof next);
  SetWindowTextA(dialog, next);
  return 0;
}

// Starts the folder browser in the request's initial folder.
int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

bool browseForFolder(FileDialogRequest& request) {
  char shown[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = static_cast<HWND>(request.owner);
  info.pszDisplayName = shown;
  info.lpszTitle = request.title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = browseCallback;
  info.lParam = reinterpret_cast<LPARAM>(request.initialFolder);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (!chosen) return false;
  char path[MAX_PATH] = "";
  const bool named = SHGetPathFromIDListA(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  const std::size_t length = std::strlen(path);
  if (!named || length == 0 || length >= static_cast<std::size_t>(request.answerCapacity)) {
    return false;
  }
  std::memcpy(request.answer, path, length + 1);
  return true;
}

class Win32FileDialogs final : public FileDialogService {
 public:
  bool run(FileDialogRequest& request) override {
    if (!request.answer || request.answerCapacity < 2) return false;
    request.answer[0] = '\0';
    if (request.kind == FileDialogKind::Folder) return browseForFolder(request);
    OpenFileSetup setup(request);
    return request.kind == FileDialogKind::Save ? GetSaveFileNameA(&setup.record()) != FALSE
                                                : GetOpenFileNameA(&setup.record()) != FALSE;
  }
};

}  // namespace

OpenFileSetup::OpenFileSetup(FileDialogRequest& request) {
  for (std::int32_t i = 0; request.filters && i < request.filterCount; ++i) {
    filter.append(request.filters[i].description ? request.filters[i].description : "");
    filter.push_back('\0');
    filter.append(request.filters[i].pattern ? request.filters[i].pattern : "");
    filter.push_back('\0');
  }
  if (!filter.empty()) filter.push_back('\0');
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(request.owner);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = request.answer;
  dialog.nMaxFile = request.answerCapacity > 0 ? static_cast<DWORD>(request.answerCapacity) : 0;
  dialog.lpstrFileTitle = fileTitle;
  dialog.nMaxFileTitle = sizeof fileTitle;
  dialog.lpstrInitialDir = request.initialFolder;
  dialog.lpstrTitle = request.title;
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
  switch (request.kind) {
    case FileDialogKind::OpenMultiple:
      dialog.Flags |= OFN_ALLOWMULTISELECT;
      [[fallthrough]];
    case FileDialogKind::Open:
      dialog.Flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
      break;
    case FileDialogKind::Save:
      dialog.lpstrDefExt = request.defaultExtension;
      if (request.caption) {
        dialog.Flags |= OFN_ENABLEHOOK;
        dialog.lpfnHook = saveHook;
        dialog.lCustData = reinterpret_cast<LPARAM>(request.caption);
      }
      break;
    case FileDialogKind::Folder:
      break;
  }
}

}  // namespace platform::win32

platform::FileDialogService& platform::fileDialogs() {
  static win32::Win32FileDialogs dialogs;
  return dialogs;
}
