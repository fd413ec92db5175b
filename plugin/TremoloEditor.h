// The product's window: a fixed 293 x 249 skin with twenty-one controls tied to the effect's
// parameters, the texts beside the sliders, typed numbers, the tap button and space bar, and
// an indicator light kept in step with the effect by a timer of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "editor/EditorBase.h"
#include "gui/controls/Control.h"
#include "gui/platform/Timers.h"

class DropInfoDisplay;
class HorizontalSlider;
class ImageStripDisplay;
class Knob;
class MomentaryButton;
class SplashPanel;
class TextField;
class ToggleButton;
class VerticalSlider;
class VerticalSwitch;

// Created by the effect's constructor through makeTremoloEditor, the factory that the
// plug-in's entry hands the effect (it registers itself with the effect), and owned by the
// effect. Its controls stand where the skin's description (resources/layout/) puts them.
// The host's user-interface thread opens, idles and closes it and runs every control
// callback; setParameter may come from any thread; tick runs on the light timer's thread
// while the window is open. Nothing is locked: a parameter change reported on another
// thread than the window's is only noted, and the window's next idle pass brings the
// controls to it.
// The effect's editor factory for the product's editor.
BasicEditor* makeTremoloEditor(ExtendedEffect* effect);

class TremoloEditor : public EditorBase, public ControlListener {
 public:
  explicit TremoloEditor(ExtendedEffect* effect);
  // Closes a window that the host left open, so that the timer stops before the frame goes.
  ~TremoloEditor() override;

  // Builds the frame with its controls in the host's window, brings them to the effect's
  // state and starts the light timer; always 1 (a missing bitmap gives a control without an
  // image, a window that cannot be made draws nowhere).
  int open(void* parentWindow) override;
  // Stops the light timer (waiting for a tick in progress), then deletes the frame with its
  // controls.
  void close() override;
  // Refreshes the tempo field when the tempo's number changed, applies parameter changes
  // reported on other threads, then redraws what is dirty. Nothing while closed, and
  // nothing while the editor's own idle cycle waits on the host.
  void idle() override;
  // The space bar taps the tempo, also while the window is closed (1); other keys -1.
  int onKeyDown(VstKeyCode& key) override;
  // The effect's report of a changed parameter: its controls and texts follow the
  // effect's current value (the value passed is not used). Any thread.
  void setParameter(int index, float value) override;

  // A control's report of a user change: sets the parameter (telling the host, except for
  // a typed tempo) and updates the texts that depend on it. Window thread.
  void valueChanged(DrawContext* context, Control* control) override;

  // One step of the light timer: shows the effect's light state when it changed and the
  // about picture is not shown, drawing the light at once.
  void tick();

 private:
  // Runs tick on the timer's thread.
  struct LightTimerClient final : platform::TimerClient {
    explicit LightTimerClient(TremoloEditor& owner) : editor(owner) {}
    void timerTick() override { editor.tick(); }
    TremoloEditor& editor;
  };

  void buildControls();
  void refreshAll();
  void clearControlPointers();
  void startLightTimer();
  void stopLightTimer();
  void refreshTempoField();
  void showDepth(float depth);
  void showMultiplier();
  void showSoftness();
  // Typed numbers of the four MIDI fields: value = (typed - first) / span + halfStep.
  void takeTypedNumber(TextField* field, std::int32_t index, double first, double span,
                       float halfStep);
  bool onWindowThread() const;

  ImageStripDisplay* lightDisplay = nullptr;
  ImageStripDisplay* shapeDisplay = nullptr;
  SplashPanel* aboutPanel = nullptr;
  std::uint32_t timerId = 0;
  ToggleButton* lightFollowsButton = nullptr;
  ToggleButton* stereoModeButton = nullptr;
  MomentaryButton* tapButton = nullptr;
  Knob* metronomeVolumeKnob = nullptr;
  VerticalSwitch* tremoloTypeSwitch = nullptr;
  VerticalSwitch* tempoSourceSwitch = nullptr;
  HorizontalSlider* phaseSlider = nullptr;
  VerticalSlider* depthSlider = nullptr;
  VerticalSlider* multiplierSlider = nullptr;
  VerticalSlider* softnessSlider = nullptr;
  TextField* tempoField = nullptr;
  TextField* tapNoteField = nullptr;
  TextField* metronomeNoteField = nullptr;
  TextField* minimumTapsField = nullptr;
  TextField* midiChannelField = nullptr;
  DropInfoDisplay* softnessText = nullptr;
  DropInfoDisplay* multiplierText = nullptr;
  DropInfoDisplay* depthText = nullptr;
  double lastTempoValue = 0.0;
  bool tempoShown = false;

  LightTimerClient lightTimerClient{*this};
  // The period the light timer asked the timer device for; 0 when none.
  std::uint32_t timerPeriod = 0;
  // The thread that opened the window: the only one that touches the controls.
  std::atomic<std::thread::id> windowThread{};
  // Parameters (one bit each) whose change was reported on another thread and not yet
  // shown.
  std::atomic<std::uint32_t> pendingParameters = 0;
};
