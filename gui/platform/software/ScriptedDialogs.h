// The software backend's file dialogs: headless dialogs that record what they were asked to
// show and give the answer that the scripted user chose beforehand. A save dialog shows the
// folders scripted for it one after the other, asking for its caption at each. Used on one
// thread; tests reset it before they script it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gui/platform/FileDialogs.h"

namespace platform::software {

// A dialog as it was shown.
struct ShownDialog {
  platform::FileDialogKind kind = platform::FileDialogKind::Open;
  platform::WindowHandle owner = nullptr;
  bool hasTitle = false;
  std::string title;
  std::string initialFolder;
  std::vector<std::pair<std::string, std::string>> filters;
  std::string defaultExtension;
  std::int32_t answerCapacity = 0;
  // The captions of a save dialog, one for each folder shown.
  std::vector<std::string> captions;
};

class ScriptedDialogs final : public platform::FileDialogService {
 public:
  // Nothing shown, every dialog cancelled, no folders, the platform's caption "Save As".
  void reset();
  // The next dialogs answer with these bytes (a path; several texts are joined with their
  // terminators), or are cancelled.
  void answerWith(std::vector<std::string> texts);
  void cancelNext() { answering = false; }
  // The folders that the user opens in the next save dialogs, in order.
  void browseFolders(std::vector<std::string> folders) { browsed = std::move(folders); }
  // The caption of a save dialog before the first folder is shown.
  void setPlatformCaption(std::string caption) { platformCaption = std::move(caption); }
  const std::vector<ShownDialog>& shown() const { return dialogs; }

  bool run(platform::FileDialogRequest& request) override;

 private:
  std::vector<ShownDialog> dialogs;
  bool answering = false;
  std::string answer;
  std::vector<std::string> browsed;
  std::string platformCaption = "Save As";
};

// The process's dialogs, as platform::fileDialogs() returns them.
ScriptedDialogs& scriptedDialogs();

}  // namespace platform::software
