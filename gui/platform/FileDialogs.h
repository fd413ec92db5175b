// The platform's own dialogs for choosing files and folders: open, open several, save, and
// a folder picker. One process-wide instance, provided by the backend (the software
// backend's is answered by the scripted user). Called on the user-interface thread; every
// dialog is modal and run waits for it.
#pragma once

#include <cstdint>

#include "gui/platform/WindowService.h"

namespace platform {

enum class FileDialogKind { Open, OpenMultiple, Save, Folder };

// One entry of the dialog's list of file types: what the user reads, and the patterns
// (";"-separated) of the names it shows.
struct FileFilter {
  const char* description;
  const char* pattern;
};

// The longest caption that a save dialog gets, with its terminator.
inline constexpr std::int32_t kSaveCaptionBytes = 323;

// Makes the caption of a save dialog each time the dialog shows another folder.
class SaveCaption {
 public:
  // current is the dialog's caption, folder the folder it shows; out receives the new
  // caption, terminated within size bytes.
  virtual void compose(const char* current, const char* folder, char* out, std::int32_t size) = 0;

 protected:
  ~SaveCaption() = default;
};

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  // The window that owns the dialog, or null.
  WindowHandle owner = nullptr;
  // Null for the platform's own title; the folder first shown, or null.
  const char* title = nullptr;
  const char* initialFolder = nullptr;
  // Open and save dialogs: the file types, the first one chosen at the start.
  const FileFilter* filters = nullptr;
  std::int32_t filterCount = 0;
  // Save: the extension added to a name typed without one, or null.
  const char* defaultExtension = nullptr;
  // Save: asked for the caption whenever the folder shown changes; null keeps the caption.
  SaveCaption* caption = nullptr;
  // The answer: one terminated path; for OpenMultiple a list of terminated texts ending with
  // an empty one, either one full path or a folder followed by the chosen names in it.
  char* answer = nullptr;
  std::int32_t answerCapacity = 0;
};

class FileDialogService {
 public:
  // Shows the dialog and waits for the user; true when a choice was made and the answer
  // fits in its buffer, false when cancelled, refused or failed.
  virtual bool run(FileDialogRequest& request) = 0;

 protected:
  ~FileDialogService() = default;
};

FileDialogService& fileDialogs();

}  // namespace platform
