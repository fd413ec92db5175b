#include "editor/FileSelector.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "editor/EditorBase.h"
#include "gui/core/Frame.h"
#include "gui/platform/FileDialogs.h"
#include "host/ExtendedEffect.h"
#include "host/Vst2.h"

namespace {

constexpr std::size_t kMaxExtensions = 100;

// The record's fixed text fields need not hold a terminator.
template <std::size_t N>
std::string field(const char (&text)[N]) {
  return std::string(text, strnlen(text, N));
}

struct FilterEntry {
  std::string description;
  std::string pattern;
};

std::vector<FilterEntry> fileFilters(const VstFileSelect& selection) {
  const bool save = selection.command == kVstFileSave;
  std::vector<FilterEntry> entries;
  std::vector<std::string> extensions;
  const auto collect = [&extensions](const std::string& extension) {
    for (const std::string& known : extensions) {
      if (known == extension) return;
    }
    if (extensions.size() < kMaxExtensions) extensions.push_back(extension);
  };
  const std::int32_t types = selection.fileTypes ? selection.nbFileTypes : 0;
  for (std::int32_t i = 0; i < types; ++i) {
    const VstFileType& type = selection.fileTypes[i];
    const std::string dos = field(type.dosType);
    const std::string unixExt = field(type.unixType);
    FilterEntry entry{field(type.name) + " (." + dos + ")", "*." + dos};
    collect(dos);
    if (!save && !unixExt.empty() && unixExt != dos) {
      entry.pattern += ";*." + unixExt;
      collect(unixExt);
    }
    entries.push_back(std::move(entry));
  }
  if (save) return entries;
  if (extensions.size() > 1) {
    std::string all;
    for (const std::string& extension : extensions) {
      if (!all.empty()) all += ";";
      all += "*." + extension;
    }
    entries.push_back({"All Types: (" + all + ")", all});
  }
  entries.push_back({"Any Type (*.*)", "*.*"});
  return entries;
}

// The save dialog's caption: the title (or the dialog's own caption up to the space before
// its first "-"), then the folder in brackets, cut to the platform's caption size.
class FolderCaption final : public platform::SaveCaption {
 public:
  explicit FolderCaption(const std::string& text) : title(text) {}
  void compose(const char* current, const char* folder, char* out, std::int32_t size) override {
    if (!out || size <= 0) return;
    std::string caption = title;
    if (caption.empty() && current) {
      caption = current;
      const std::size_t dash = caption.find('-');
      if (dash != std::string::npos) caption.resize(dash == 0 ? 0 : dash - 1);
    }
    caption += " - [";
    if (folder) caption += folder;
    const std::size_t limit = static_cast<std::size_t>(platform::kSaveCaptionBytes - 2);
    if (caption.size() > limit) caption.resize(limit);
    caption += "]";
    std::snprintf(out, static_cast<std::size_t>(size), "%s", caption.c_str());
  }

 private:
  std::string title;
};

char* copyOf(const std::string& text) {
  char* copy = new (std::nothrow) char[text.size() + 1];
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

FileSelector::~FileSelector() {
  releaseResults();
}

std::int32_t FileSelector::run(VstFileSelect* selection) {
  if (!selection) return 0;
  // A new run closes the last selection, so nothing it stored outlives the selector.
  releaseResults();
  request = selection;
  hostSelected = false;
  selection->nbReturnPath = 0;
  if (selection->returnPath && selection->sizeReturnPath > 0) selection->returnPath[0] = '\0';
  if (effect && effect->canHostDo("openFileSelector") > 0 &&
      effect->canHostDo("closeFileSelector") > 0) {
    hostSelected = true;
    return effect->openFileSelector(selection) ? selection->nbReturnPath : 0;
  }
  return runPlatformDialog(*selection);
}

std::int32_t FileSelector::runPlatformDialog(VstFileSelect& selection) {
  platform::FileDialogRequest dialog;
  switch (selection.command) {
    case kVstFileLoad:
      dialog.kind = platform::FileDialogKind::Open;
      break;
    case kVstFileSave:
      dialog.kind = platform::FileDialogKind::Save;
      break;
    case kVstMultipleFilesLoad:
      dialog.kind = platform::FileDialogKind::OpenMultiple;
      break;
    case kVstDirectorySelect:
      dialog.kind = platform::FileDialogKind::Folder;
      break;
    default:
      return 0;
  }
  const bool multiple = dialog.kind == platform::FileDialogKind::OpenMultiple;
  const std::int32_t capacity = multiple ? kMultipleBytes : kPathBytes;
  const auto bytes = static_cast<std::size_t>(capacity);
  const std::unique_ptr<char[]> answer(new (std::nothrow) char[bytes]());
  if (!answer) return 0;
  const std::string title = field(selection.title);
  const std::vector<FilterEntry> entries = fileFilters(selection);
  std::vector<platform::FileFilter> filters;
  for (const FilterEntry& entry : entries) {
    filters.push_back({entry.description.c_str(), entry.pattern.c_str()});
  }
  std::string extension;
  if (selection.fileTypes && selection.nbFileTypes > 0) {
    extension = field(selection.fileTypes[0].dosType);
  }
  FolderCaption caption(title);
  dialog.owner = ownerWindow();
  dialog.title = title.empty() ? nullptr : title.c_str();
  dialog.initialFolder = selection.initialPath;
  if (dialog.kind != platform::FileDialogKind::Folder) {
    dialog.filters = filters.data();
    dialog.filterCount = static_cast<std::int32_t>(filters.size());
  }
  if (dialog.kind == platform::FileDialogKind::Save) {
    dialog.defaultExtension = extension.empty() ? nullptr : extension.c_str();
    dialog.caption = &caption;
  }
  dialog.answer = answer.get();
  dialog.answerCapacity = capacity;
  if (!platform::fileDialogs().run(dialog)) return 0;
  // Whatever the platform wrote, the answer ends within its buffer.
  answer[bytes - 1] = '\0';
  answer[bytes - 2] = '\0';
  return multiple ? storeMultiple(selection, answer.get(), capacity)
                  : storeSingle(selection, answer.get());
}

std::int32_t FileSelector::storeSingle(VstFileSelect& selection, const char* path) {
  const std::size_t length = std::strlen(path);
  if (length == 0) return 0;
  if (selection.returnPath) {
    // A cut path would name another file.
    if (selection.sizeReturnPath <= 0 ||
        length >= static_cast<std::size_t>(selection.sizeReturnPath)) {
      return 0;
    }
    std::memcpy(selection.returnPath, path, length + 1);
  } else {
    ownPath = copyOf(path);
    if (!ownPath) return 0;
    selection.returnPath = ownPath;
    selection.sizeReturnPath = static_cast<std::int32_t>(length + 1);
    selection.reserved = 1;
  }
  selection.nbReturnPath = 1;
  return 1;
}

std::int32_t FileSelector::storeMultiple(VstFileSelect& selection, const char* answer,
                                         std::int32_t size) {
  const char* const end = answer + size;
  const char* first = answer;
  if (*first == '\0') return 0;
  const char* name = first + std::strlen(first) + 1;
  ownPaths = new (std::nothrow) char*[kMaxPaths]();
  if (!ownPaths) return 0;
  selection.returnMultiplePaths = ownPaths;
  const auto store = [this](const std::string& path) {
    if (char* copy = copyOf(path)) ownPaths[ownPathCount++] = copy;
  };
  if (name >= end || *name == '\0') {
    store(first);
  } else {
    const std::string folder = first;
    const char* separator = folder.back() == '\\' ? "" : "\\";
    for (; name < end && *name != '\0' && ownPathCount < kMaxPaths; name += std::strlen(name) + 1) {
      store(folder + separator + name);
    }
  }
  selection.nbReturnPath = ownPathCount;
  return ownPathCount;
}

platform::WindowHandle FileSelector::ownerWindow() const {
  auto* editor = effect ? dynamic_cast<EditorBase*>(effect->getEditor()) : nullptr;
  const Frame* frame = editor ? editor->getFrame() : nullptr;
  return frame ? frame->getWindow() : nullptr;
}

void FileSelector::releaseResults() {
  if (!request) return;
  if (hostSelected) {
    if (effect) effect->closeFileSelector(request);
    hostSelected = false;
    return;
  }
  // Only what this selector allocated is freed, and only while the request still holds it.
  if (ownPath && request->returnPath == ownPath) {
    request->returnPath = nullptr;
    request->sizeReturnPath = 0;
    request->reserved = 0;
  }
  delete[] ownPath;
  ownPath = nullptr;
  if (ownPaths) {
    if (request->returnMultiplePaths == ownPaths) request->returnMultiplePaths = nullptr;
    for (std::int32_t i = 0; i < ownPathCount; ++i) delete[] ownPaths[i];
    delete[] ownPaths;
  }
  ownPaths = nullptr;
  ownPathCount = 0;
}
