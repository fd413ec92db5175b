// The software backend's drag and drop: the scripted user drags text, file lists or other
// data over the window tree (WindowTree) and drops it, with the calls that the platform's
// drag loop makes on the drop sinks registered for the windows; and the backend's shell
// shortcuts, a table that tests fill. Used on one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/base/Point.h"
#include "gui/platform/DropSink.h"
#include "gui/platform/WindowService.h"

namespace platform::software {

// Data that the scripted user drags.
class ScriptedDropData final : public platform::DropData {
 public:
  // A text block of exactly these bytes: add the terminator to the string for one.
  static ScriptedDropData text(std::string bytes);
  static ScriptedDropData files(std::vector<std::string> names);
  // Data that is neither text nor files.
  static ScriptedDropData other() { return ScriptedDropData(); }

  // The name at index cannot be read from the list.
  void makeUnreadable(std::int32_t index) { unreadable.push_back(index); }
  // How often the data was fetched, as text or as files.
  std::int32_t fetches() const { return fetchCount; }

  bool offersText() override { return hasText; }
  bool offersFiles() override { return hasFiles; }
  std::unique_ptr<platform::DroppedText> fetchText() override;
  std::unique_ptr<platform::DroppedFiles> fetchFiles() override;

 private:
  ScriptedDropData() = default;

  bool hasText = false;
  bool hasFiles = false;
  std::string textBytes;
  std::vector<std::string> names;
  std::vector<std::int32_t> unreadable;
  std::int32_t fetchCount = 0;
};

// The user's drag: the data moves over the screen, entering and leaving the windows that
// have a drop sink (a window without one passes the drag to the nearest ancestor with one).
class ScriptedDrag {
 public:
  static constexpr std::int32_t kAllowBoth = platform::kAllowCopy | platform::kAllowMove;

  explicit ScriptedDrag(ScriptedDropData& source, std::int32_t allowedEffects = kAllowBoth)
      : data(source), allowed(allowedEffects) {}
  // Cancels the drag when it is still over a window.
  ~ScriptedDrag() { cancel(); }
  ScriptedDrag(const ScriptedDrag&) = delete;
  ScriptedDrag& operator=(const ScriptedDrag&) = delete;

  // Moves the cursor and the data to the screen point, with the modifier bits held (Input.h);
  // the effect shown there, none over no sink.
  platform::DropEffect moveTo(Point screen, std::int32_t modifiers = 0);
  // Moves there and drops: the effect the drop had, none over no sink.
  platform::DropEffect dropAt(Point screen, std::int32_t modifiers = 0);
  // The user presses Escape: the window under the data hears that it left.
  void cancel();

 private:
  ScriptedDropData& data;
  std::int32_t allowed;
  platform::WindowHandle over = nullptr;
};

// A shortcut file of the pretend file system, and the short path of its target.
void addShortcut(const std::string& link, const std::string& shortTarget);
void clearShortcuts();

}  // namespace platform::software
