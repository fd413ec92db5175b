// Drag and drop as the toolkit sees it: the data that another program drags over a window,
// and the sink registered for the window (WindowService::setDropTarget) that the platform
// calls while the data is dragged over the window and when it is dropped. All calls run on
// the thread that registered the sink, inside the platform's drag loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// What a drop would do to the dragged data, as the platform shows it with the cursor. The
// values are the platform's own.
enum class DropEffect : std::int32_t { None = 0, Copy = 1, Move = 2 };

// Effects as bits of one word: the effects that the source of a drag allows.
inline constexpr std::int32_t kAllowCopy = 1;
inline constexpr std::int32_t kAllowMove = 2;

// A dropped text block, held until the object goes. The block need not hold a terminator.
class DroppedText {
 public:
  virtual ~DroppedText() = default;
  virtual const char* bytes() const = 0;
  // The size of the block in bytes.
  virtual std::size_t size() const = 0;
};

// A dropped list of file names, held until the object goes.
class DroppedFiles {
 public:
  virtual ~DroppedFiles() = default;
  // The number of names; 0 for an unreadable list.
  virtual std::int32_t count() const = 0;
  // Copies name index, terminated, into out. False, with out undefined, when the name
  // cannot be read or does not fit in capacity bytes with its terminator.
  virtual bool name(std::int32_t index, char* out, std::int32_t capacity) const = 0;
};

// The data being dragged; valid during the call that hands it over.
class DropData {
 public:
  // Whether the data can be had as plain text or as a list of file names.
  virtual bool offersText() = 0;
  virtual bool offersFiles() = 0;
  // The data fetched as text or as a file list; null when it cannot be had.
  virtual std::unique_ptr<DroppedText> fetchText() = 0;
  virtual std::unique_ptr<DroppedFiles> fetchFiles() = 0;

 protected:
  ~DropData() = default;
};

// Registered for a window, the platform owns the sink and deletes it when the registration
// is revoked or the window goes. modifiers holds the modifier bits of the button word
// (Input.h: kShiftDown, kControlDown, kAltDown); allowed the kAllow bits of the source.
class DropSink {
 public:
  virtual ~DropSink() = default;
  // The data entered the window: the effect the drop would have there.
  virtual DropEffect dragEnter(DropData& data, std::int32_t modifiers, std::int32_t allowed) = 0;
  // The data moves over the window.
  virtual DropEffect dragOver(std::int32_t modifiers, std::int32_t allowed) = 0;
  // The data left the window, or the drag was cancelled.
  virtual void dragLeave() = 0;
  // The data was dropped on the window: the effect the drop had for the source.
  virtual DropEffect drop(DropData& data, std::int32_t modifiers, std::int32_t allowed) = 0;
};

// Replaces path (terminated, capacity bytes) by the short form of the target of the shell
// shortcut it names. False when it does not name one that resolves; path then holds the
// name as it was, or the long form of the target when only the short form is missing. Never
// writes more than capacity bytes. User-interface thread.
bool resolveShortcut(char* path, std::int32_t capacity);

}  // namespace platform
