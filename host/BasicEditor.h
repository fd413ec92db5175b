// What the effect and the dispatcher know of an editor: the link to the
// effect, the host's parent window and an update-pending flag, with harmless
// defaults for every host request.
#pragma once

#include <atomic>

#include "host/Vst2.h"

class BasicEditor;
class ExtendedEffect;

// Makes an effect's editor, which registers itself with the effect (the effect owns it from
// then on); null when none could be made.
using EditorFactory = BasicEditor* (*)(ExtendedEffect* effect);

// Owned by the effect, which deletes it through the virtual destructor. Host
// requests arrive on the host's user-interface thread; setParameter and
// requestUpdate may come from any thread (the flag is a relaxed atomic).
class BasicEditor {
 public:
  // effect is not owned and stays valid for the editor's whole life.
  explicit BasicEditor(ExtendedEffect* effect);
  virtual ~BasicEditor();

  BasicEditor(const BasicEditor&) = delete;
  BasicEditor& operator=(const BasicEditor&) = delete;

  // Sets *out to the editor's rectangle and answers 1, or null and 0 without one.
  virtual int getRect(ERect** out);
  // window is the host's parent window; nonzero when a window was built.
  virtual int open(void* window);
  virtual void close();
  // Runs a pending update, then clears the request.
  virtual void idle();
  virtual void update();
  // Marks the editor for an update at its next idle time.
  virtual void requestUpdate();
  // 1 when the key was used, -1 when not.
  virtual int onKeyDown(VstKeyCode& key);
  virtual int onKeyUp(VstKeyCode& key);
  virtual int setKnobMode(int mode);
  virtual bool onWheel(float distance);
  // The effect's report of a changed parameter (any thread): by default only
  // requests an update. Editors that show controls refresh them here.
  virtual void setParameter(int index, float value);

 protected:
  ExtendedEffect* const effect;
  void* systemWindow;
  std::atomic<int> updatePending;
};
