#include "gui/core/DropTarget.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "gui/core/Frame.h"
#include "gui/platform/Input.h"

using platform::DropEffect;

namespace {

DropEffect effectFor(bool accepted, std::int32_t modifiers, std::int32_t allowed) {
  if (!accepted) return DropEffect::None;
  const bool copyWanted = (modifiers & platform::kControlDown) != 0;
  const bool canCopy = (allowed & platform::kAllowCopy) != 0;
  const bool canMove = (allowed & platform::kAllowMove) != 0;
  // An effect the source does not allow would show the no-drop cursor; the other one does
  // no harm, since a drop never takes the data from its source.
  if (copyWanted ? canCopy : canMove) return copyWanted ? DropEffect::Copy : DropEffect::Move;
  if (canCopy) return DropEffect::Copy;
  if (canMove) return DropEffect::Move;
  return DropEffect::None;
}

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The names read from a dropped list, each in a string of its own, given back at the end.
class NameList {
 public:
  explicit NameList(std::int32_t room)
      : items(new (std::nothrow) const char*[static_cast<std::size_t>(room)]),
        capacity(items ? room : 0) {}
  ~NameList() {
    for (std::int32_t i = 0; i < count; ++i) delete[] items[static_cast<std::size_t>(i)];
  }
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;

  bool usable() const { return items != nullptr; }
  void add(const char* name) {
    if (count >= capacity) return;
    const std::size_t length = std::strlen(name);
    char* copy = new (std::nothrow) char[length + 1];
    if (!copy) return;
    std::memcpy(copy, name, length + 1);
    items[static_cast<std::size_t>(count++)] = copy;
  }
  const char* const* list() const { return items.get(); }
  std::int32_t size() const { return count; }

 private:
  std::unique_ptr<const char*[]> items;
  std::int32_t capacity;
  std::int32_t count = 0;
};

}  // namespace

bool isShortcutName(const char* name) {
  const char* dot = name ? std::strrchr(name, '.') : nullptr;
  if (!dot) return false;
  static constexpr char kExtension[] = "lnk";
  for (std::size_t i = 0; i < sizeof kExtension; ++i) {
    if (lowerAscii(dot[1 + i]) != kExtension[i]) return false;
  }
  return true;
}

DropEffect DropTarget::dragEnter(platform::DropData& data, std::int32_t modifiers,
                                 std::int32_t allowed) {
  accept = data.offersText() || data.offersFiles();
  return effectFor(accept, modifiers, allowed);
}

DropEffect DropTarget::dragOver(std::int32_t modifiers, std::int32_t allowed) {
  return effectFor(accept, modifiers, allowed);
}

DropEffect DropTarget::drop(platform::DropData& data, std::int32_t, std::int32_t allowed) {
  bool taken = false;
  if (const std::unique_ptr<platform::DroppedText> text = data.fetchText()) {
    taken = deliverText(*text);
  } else if (const std::unique_ptr<platform::DroppedFiles> files = data.fetchFiles()) {
    taken = deliverFiles(*files);
  }
  dragLeave();
  return taken && (allowed & platform::kAllowCopy) ? DropEffect::Copy : DropEffect::None;
}

bool DropTarget::deliverText(const platform::DroppedText& text) {
  if (!frame || text.size() == 0 || !text.bytes()) return false;
  // The block's own terminator, when it has one, is not to be trusted: views read the text
  // as a string.
  const std::size_t length = std::min(text.size(), kMaxTextBytes);
  const std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
  if (!copy) return false;
  std::memcpy(copy.get(), text.bytes(), length);
  copy[length] = '\0';
  const char* const items[] = {copy.get()};
  Point where;
  frame->getPointerInFrame(where);
  return frame->onDropItems(items, static_cast<std::int32_t>(length), kDroppedText, where);
}

bool DropTarget::deliverFiles(const platform::DroppedFiles& files) {
  const std::int32_t count = files.count();
  if (!frame || count <= 0) return false;
  NameList names(count);
  if (!names.usable()) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    char name[kMaxPathBytes];
    if (!files.name(i, name, kMaxPathBytes)) continue;
    // A shortcut that does not resolve is delivered under its own name.
    if (isShortcutName(name)) platform::resolveShortcut(name, kMaxPathBytes);
    names.add(name);
  }
  Point where;
  frame->getPointerInFrame(where);
  return frame->onDropItems(names.list(), names.size(), kDroppedFiles, where);
}
