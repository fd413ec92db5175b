#include "gui/platform/software/ScriptedDialogs.h"

#include <cstring>

namespace platform::software {

void ScriptedDialogs::reset() {
  dialogs.clear();
  answering = false;
  answer.clear();
  browsed.clear();
  platformCaption = "Save As";
}

void ScriptedDialogs::answerWith(std::vector<std::string> texts) {
  answering = true;
  answer.clear();
  for (const std::string& text : texts) {
    answer += text;
    answer += '\0';
  }
}

bool ScriptedDialogs::run(platform::FileDialogRequest& request) {
  ShownDialog shown;
  shown.kind = request.kind;
  shown.owner = request.owner;
  shown.hasTitle = request.title != nullptr;
  if (request.title) shown.title = request.title;
  if (request.initialFolder) shown.initialFolder = request.initialFolder;
  for (std::int32_t i = 0; i < request.filterCount && request.filters; ++i) {
    shown.filters.emplace_back(request.filters[i].description, request.filters[i].pattern);
  }
  if (request.defaultExtension) shown.defaultExtension = request.defaultExtension;
  shown.answerCapacity = request.answerCapacity;
  if (request.kind == platform::FileDialogKind::Save && request.caption) {
    std::string current = platformCaption;
    for (const std::string& folder : browsed) {
      char caption[platform::kSaveCaptionBytes];
      request.caption->compose(current.c_str(), folder.c_str(), caption, sizeof caption);
      current = caption;
      shown.captions.push_back(current);
    }
  }
  dialogs.push_back(std::move(shown));
  // Like the platform's, an answer that does not fit with its final terminator fails.
  if (!answering || !request.answer || request.answerCapacity <= 0 ||
      answer.size() + 1 > static_cast<std::size_t>(request.answerCapacity)) {
    return false;
  }
  std::memcpy(request.answer, answer.data(), answer.size());
  request.answer[answer.size()] = '\0';
  return true;
}

ScriptedDialogs& scriptedDialogs() {
  static ScriptedDialogs dialogs;
  return dialogs;
}

}  // namespace platform::software
