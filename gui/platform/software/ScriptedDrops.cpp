#include "gui/platform/software/ScriptedDrops.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"

namespace platform::software {

namespace {

class Text final : public platform::DroppedText {
 public:
  explicit Text(const std::string& bytes) : block(bytes) {}
  // An empty block has no bytes at all, as a zero-sized memory block has none.
  const char* bytes() const override { return block.empty() ? nullptr : block.data(); }
  std::size_t size() const override { return block.size(); }

 private:
  std::string block;
};

class Files final : public platform::DroppedFiles {
 public:
  Files(const std::vector<std::string>& fileNames, const std::vector<std::int32_t>& refused)
      : names(fileNames), unreadable(refused) {}
  std::int32_t count() const override { return static_cast<std::int32_t>(names.size()); }
  bool name(std::int32_t index, char* out, std::int32_t capacity) const override {
    if (index < 0 || index >= count() || !out) return false;
    if (std::find(unreadable.begin(), unreadable.end(), index) != unreadable.end()) return false;
    const std::string& name = names[static_cast<std::size_t>(index)];
    if (capacity <= 0 || name.size() >= static_cast<std::size_t>(capacity)) return false;
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
  }

 private:
  std::vector<std::string> names;
  std::vector<std::int32_t> unreadable;
};

std::map<std::string, std::string>& shortcuts() {
  static std::map<std::string, std::string> table;
  return table;
}

// The window that takes drops at the point: the one under it or its nearest ancestor with
// a sink.
platform::WindowHandle dropWindowAt(Point screen) {
  WindowTree& tree = windowTree();
  for (platform::WindowHandle w = tree.windowAt(screen); w; w = tree.parentOf(w)) {
    if (tree.dropTarget(w)) return w;
  }
  return nullptr;
}

}  // namespace

ScriptedDropData ScriptedDropData::text(std::string bytes) {
  ScriptedDropData data;
  data.hasText = true;
  data.textBytes = std::move(bytes);
  return data;
}

ScriptedDropData ScriptedDropData::files(std::vector<std::string> names) {
  ScriptedDropData data;
  data.hasFiles = true;
  data.names = std::move(names);
  return data;
}

std::unique_ptr<platform::DroppedText> ScriptedDropData::fetchText() {
  if (!hasText) return nullptr;
  ++fetchCount;
  return std::make_unique<Text>(textBytes);
}

std::unique_ptr<platform::DroppedFiles> ScriptedDropData::fetchFiles() {
  if (!hasFiles) return nullptr;
  ++fetchCount;
  return std::make_unique<Files>(names, unreadable);
}

platform::DropEffect ScriptedDrag::moveTo(Point screen, std::int32_t modifiers) {
  scriptedInput().setCursor(screen);
  const platform::WindowHandle under = dropWindowAt(screen);
  if (under != over) {
    cancel();
    over = under;
    platform::DropSink* sink = windowTree().dropTarget(over);
    return sink ? sink->dragEnter(data, modifiers, allowed) : platform::DropEffect::None;
  }
  platform::DropSink* sink = windowTree().dropTarget(over);
  return sink ? sink->dragOver(modifiers, allowed) : platform::DropEffect::None;
}

platform::DropEffect ScriptedDrag::dropAt(Point screen, std::int32_t modifiers) {
  // As on the platform, a drop where the last move showed no effect is a leave.
  if (moveTo(screen, modifiers) == platform::DropEffect::None) {
    cancel();
    return platform::DropEffect::None;
  }
  platform::DropSink* sink = windowTree().dropTarget(over);
  over = nullptr;
  return sink->drop(data, modifiers, allowed);
}

void ScriptedDrag::cancel() {
  if (platform::DropSink* sink = windowTree().dropTarget(over)) sink->dragLeave();
  over = nullptr;
}

void addShortcut(const std::string& link, const std::string& shortTarget) {
  shortcuts()[link] = shortTarget;
}

void clearShortcuts() {
  shortcuts().clear();
}

}  // namespace platform::software

bool platform::resolveShortcut(char* path, std::int32_t capacity) {
  if (!path || capacity <= 0) return false;
  const auto& table = software::shortcuts();
  const auto found =
      table.find(std::string(path, strnlen(path, static_cast<std::size_t>(capacity))));
  if (found == table.end() || found->second.size() >= static_cast<std::size_t>(capacity)) {
    return false;
  }
  std::memcpy(path, found->second.c_str(), found->second.size() + 1);
  return true;
}
