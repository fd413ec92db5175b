// The sink that the frame registers for its window: it takes plain text and lists of file
// names dragged over the window from other programs, resolves shell shortcuts among the
// files, and hands the drop to the frame's onDropItems at the cursor.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/platform/DropSink.h"

class Frame;

// Made by the frame and owned by the platform's registration; called on the user-interface
// thread inside the platform's drag loop. Delivered file names are at most kMaxPathBytes
// bytes with their terminator: a longer name is not delivered, since a cut path would name
// another file. Delivered text always has a terminator after its count of bytes.
class DropTarget final : public platform::DropSink {
 public:
  static constexpr std::int32_t kMaxPathBytes = 1024;
  // Text blocks beyond this are handed on cut to this size.
  static constexpr std::size_t kMaxTextBytes = 1 << 20;

  // frame is not owned and outlives the registration; null delivers nowhere.
  explicit DropTarget(Frame* target) : frame(target) {}

  // Text and file lists are accepted: move, or copy while Control is held, as far as the
  // source allows either; anything else shows no effect.
  platform::DropEffect dragEnter(platform::DropData& data, std::int32_t modifiers,
                                 std::int32_t allowed) override;
  platform::DropEffect dragOver(std::int32_t modifiers, std::int32_t allowed) override;
  void dragLeave() override {}
  // Delivers the text, else the file list, to the frame. Copy when a view took the drop
  // and the source allows copying, else none: the source never lets go of data that only
  // the views read.
  platform::DropEffect drop(platform::DropData& data, std::int32_t modifiers,
                            std::int32_t allowed) override;

 private:
  bool deliverText(const platform::DroppedText& text);
  bool deliverFiles(const platform::DroppedFiles& files);

  bool accept = false;
  Frame* frame;
};

// Whether the text after the name's last "." is "lnk" in any case of the letters.
bool isShortcutName(const char* name);
