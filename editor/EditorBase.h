// The editor layer that connects the host to the GUI toolkit: it owns the frame while the
// window is open, declares the window rectangle, forwards keys and the wheel to the frame,
// keeps the host's knob mode, and runs the throttled idle cycle that controls reach through
// the frame while they follow a mouse drag. To the host it is a BasicEditor; to the frame an
// EditorLink, which it answers through the effect's host requests.
#pragma once

#include <cstdint>

#include "gui/core/EditorLink.h"
#include "host/BasicEditor.h"

class Frame;

// Registers itself with the effect on construction; the effect owns and deletes it. Every
// operation runs on the host's user-interface thread except setParameter (any thread).
// A derived editor fills `rectangle` in its constructor, makes the frame in open (after
// calling EditorBase::open) and deletes it in close.
class EditorBase : public BasicEditor, public EditorLink {
 public:
  // effect is not owned and outlives the editor. Initialises OLE for the calling thread.
  explicit EditorBase(ExtendedEffect* effect);
  // Gives back the OLE initialisation. A frame still open here (the host deleted the
  // plug-in without closing its window) is deleted with its window, so that no window is
  // left calling into a dead editor; a derived editor that does more in close calls its
  // own close from its destructor first.
  ~EditorBase() override;

  // Always answers 1 with the rectangle, also before open.
  int getRect(ERect** out) override;
  // Requests an update and keeps the host's window; 0 (a derived editor answers 1 once it
  // has built its window).
  int open(void* window) override;
  // The pending update, then the frame's redraw of what became dirty. Does nothing while
  // pumpIdle waits on the host, so a host answering that wait with an idle request does
  // not nest idle work.
  void idle() override;
  // The frame's answer; -1 without a frame.
  int onKeyDown(VstKeyCode& key) override;
  int onKeyUp(VstKeyCode& key) override;
  // Stores mode as the knob mode of every editor in the library; answers 1.
  int setKnobMode(int mode) override;
  // The frame's answer, with the view under the cursor; false without a frame.
  bool onWheel(float distance) override;

  // Draws the whole frame at once; nothing without a frame.
  virtual void redrawAll();
  // The idle cycle that the frame runs from controls' drag loops: at most one full cycle
  // (idle, one pending paint, the host's idle) every 10 ms; an early call sleeps 1 ms and
  // returns, or runs the cycle when it is within 6 ms of its time.
  void pumpIdle() override;

  // EditorLink: the gestures, window sizes and host windows go to the host through the
  // effect; without an effect, nothing reaches the host (false, null).
  std::uint32_t getTicks() const override;
  void beginEdit(std::int32_t index) override;
  void endEdit(std::int32_t index) override;
  // Only asks a host that says it can size windows.
  bool requestWindowSize(std::int32_t width, std::int32_t height) override;
  // The host is handed the editor's own window record, filled from record; it stays valid
  // until the editor is deleted.
  platform::WindowHandle openHostWindow(const WindowRecord& record) override;
  bool closeHostWindow(const WindowRecord& record) override;

  ExtendedEffect* getEffect() const { return effect; }
  // The frame while the window is open, else null.
  Frame* getFrame() const { return frame; }

 protected:
  ERect rectangle{};
  // Owned; made by the derived editor's open, deleted by its close.
  Frame* frame = nullptr;
  std::uint32_t nextIdleTick;
  bool inIdle = false;

 private:
  // What the host gets for the frame's window requests.
  VstWindow hostWindow{};
};
