// What a frame needs of the editor that owns it: the idle cycle and clock that controls use
// while they follow a drag, the host's automation gestures, and the host's window sizing and
// windows. The editor implements it; the frame keeps a plain pointer and never owns it.
// Called on the window's thread.
#pragma once

#include <cstdint>

#include "gui/core/WindowRecord.h"
#include "gui/platform/WindowService.h"

class EditorLink {
 public:
  // One throttled idle cycle of the editor, with the host's idle.
  virtual void pumpIdle() = 0;
  // Milliseconds of the platform's tick clock; wraps around.
  virtual std::uint32_t getTicks() const = 0;
  // Tell the host that a gesture on parameter index starts or ends.
  virtual void beginEdit(std::int32_t index) = 0;
  virtual void endEdit(std::int32_t index) = 0;
  // Asks the host to give the editor's window this size; false when the host does not
  // size windows or refuses.
  virtual bool requestWindowSize(std::int32_t width, std::int32_t height) = 0;
  // Asks the host for a window as record describes it; null when it gives none. The host
  // may keep what it was handed until closeHostWindow.
  virtual platform::WindowHandle openHostWindow(const WindowRecord& record) = 0;
  // Hands the window opened for record back to the host; false when it refuses.
  virtual bool closeHostWindow(const WindowRecord& record) = 0;

 protected:
  ~EditorLink() = default;
};
