// Asks the user for a file to load, a file name to save to, several files or a folder, for a
// VST 2 file-selection request: through the host when it offers its own selector, else
// through the platform's dialogs (FileDialogs.h), with their list of file types built from
// the request.
#pragma once

#include <cstdint>

#include "gui/platform/WindowService.h"

class ExtendedEffect;
struct VstFileSelect;

// Used on the user-interface thread. The selector owns what it allocates into the request
// (a return path, an array of paths and its strings) and releases it when destroyed or at
// its next run, which closes the last selection first. The request stays the caller's and
// must stay valid until then.
class FileSelector {
 public:
  // A multiple choice stores at most this many paths.
  static constexpr std::int32_t kMaxPaths = 1024;
  // The longest path that the single-choice dialogs return, with its terminator.
  static constexpr std::int32_t kPathBytes = 1024;
  // The names buffer of the multiple choice.
  static constexpr std::int32_t kMultipleBytes = 102400;

  // effect is not owned, may be null, and outlives the selector.
  explicit FileSelector(ExtendedEffect* owner) : effect(owner) {}
  // Closes the selection: through the host when the host made it, else by freeing what
  // this selector allocated into the request.
  virtual ~FileSelector();
  FileSelector(const FileSelector&) = delete;
  FileSelector& operator=(const FileSelector&) = delete;

  // The number of paths chosen (request->nbReturnPath); 0 when cancelled, for a null
  // request, a command outside 0 to 3, or when the host's selector fails. A returnPath
  // given by the caller receives the path only when it fits in sizeReturnPath bytes.
  std::int32_t run(VstFileSelect* request);

 private:
  std::int32_t runPlatformDialog(VstFileSelect& selection);
  std::int32_t storeSingle(VstFileSelect& selection, const char* path);
  std::int32_t storeMultiple(VstFileSelect& selection, const char* answer, std::int32_t size);
  platform::WindowHandle ownerWindow() const;
  void releaseResults();

  ExtendedEffect* effect;
  VstFileSelect* request = nullptr;
  // Whether the host made the last selection, which is then the host's to close.
  bool hostSelected = false;
  // What this selector allocated into the request.
  char* ownPath = nullptr;
  char** ownPaths = nullptr;
  std::int32_t ownPathCount = 0;
};
