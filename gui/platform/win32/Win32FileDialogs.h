// The file dialogs over comdlg32 and shell32: the common open and save dialogs, with the
// request's file types as their filter, and the shell's folder browser for folders.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "gui/platform/FileDialogs.h"

namespace platform::win32 {

// The common dialog's record for an open, open-several or save request: filter text,
// options, the request's answer buffer as the name buffer and a 64-character title buffer.
// The record points into the setup and the request, which must outlive its use.
class OpenFileSetup {
 public:
  explicit OpenFileSetup(FileDialogRequest& request);
  OpenFileSetup(const OpenFileSetup&) = delete;
  OpenFileSetup& operator=(const OpenFileSetup&) = delete;

  OPENFILENAMEA& record() { return dialog; }
  // The filter as the dialog reads it: description and pattern pairs, each terminated,
  // with one more terminator at the end; empty without file types.
  const std::string& filterText() const { return filter; }

 private:
  std::string filter;
  char fileTitle[64] = "";
  OPENFILENAMEA dialog{};
};

}  // namespace platform::win32
