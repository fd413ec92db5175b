// The product: a beat-locked stereo tremolo and auto-panner with tap tempo,
// host sync and a MIDI metronome.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "base/Relaxed.h"
#include "effect/BlockConstants.h"
#include "effect/ProgramRecord.h"
#include "effect/TremoloParameterTable.h"
#include "host/BasicEditor.h"
#include "host/ExtendedEffect.h"

// Threads: processReplacing and processEvents run on the host's audio thread;
// setParameter and the dispatcher come from any thread. Every field both sides
// touch is a relaxed atomic; the audio routine reads each parameter once per
// block. Values of any float (NaN included) are accepted and kept defined.
class TremoloEffect : public ExtendedEffect {
 public:
  static constexpr int32 kProgramCount = 10;

  // Builds the ten programs, applies program 0 and makes the editor with makeEditor (none
  // when it is null).
  TremoloEffect(audioMasterCallback hostCallback, EditorFactory makeEditor);

  // Stores into the current program and the live value, then tells the editor.
  // Tempo (1) takes values above 1 as beats per minute; 21 taps.
  void setParameter(int32 index, float value) override;
  float getParameter(int32 index) override;
  // Does nothing: the effect only processes replacing.
  void process(float** inputs, float** outputs, int32 sampleFrames) override;
  // One block: beat clock, tempo source, light, metronome, then the gain.
  // Null buffers and non-positive frame counts touch no audio.
  void processReplacing(float** inputs, float** outputs, int32 sampleFrames) override;
  // Selects the program and replays its values through setParameter.
  void setProgram(int32 index) override;
  // Keeps at most 23 characters.
  void setProgramName(char* name) override;
  void getProgramName(char* text) override;
  void getParameterLabel(int32 index, char* text) override;
  void getParameterDisplay(int32 index, char* text) override;
  void getParameterName(int32 index, char* text) override;
  // Also becomes the rate of every timing formula of the effect.
  void setSampleRate(float rate) override;
  // MIDI taps by note or controller; always answers 1.
  int32 processEvents(VstEvents* events) override;
  bool canParameterBeAutomated(int32 index) override;
  int32 getPlugCategory() override;
  bool getEffectName(char* text) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  int32 getVendorVersion() override;
  int32 canDo(const char* text) override;

  // One tap stamped with the current sample counter; source 1.0 comes from
  // MIDI or the space bar, 0.5 from the editor's button.
  void tap(float source);
  // Sets the tempo from the average of count intervals totalling total samples.
  void setTempoFromTapIntervals(std::uint32_t total, std::uint32_t count);

 private:
  static constexpr int kTapSlots = 11;

  // Per-block steps of processReplacing.
  double advanceBeatClock(int32 sampleFrames);
  // The beat position at a sample count, at the tempo of the current block.
  double beatAt(std::uint64_t counter) const;
  void runTempoSource();
  void followHostTransport();
  void sendOwnTransport();
  void updateLight();
  void runMetronome(double previousBeat, double beat);
  void modulate(float** inputs, float** outputs, int32 sampleFrames);

  void storeParameter(int32 index, float value);
  void storeTempo(float value);
  void sendMidiMessage(unsigned char status, unsigned char data1, unsigned char data2,
                       unsigned char data3);
  void sendClick(unsigned char velocity);

  // Choices and numbers derived from the live values, always in range.
  float live(int32 index) const { return relaxed(liveValues[static_cast<std::size_t>(index)]); }
  // The record of the current program.
  ProgramRecord& currentProgramRecord();
  int32 tempoSourceNumber() const;
  int32 midiChannel() const;
  int32 tapNumber() const;
  int32 tapWindow() const;
  unsigned char metronomeNote() const;
  unsigned char metronomeVelocity() const;
  double rate() const { return relaxed(workingSampleRate); }

  std::array<ProgramRecord, kProgramCount> programs;
  std::array<std::atomic<float>, kParameterCount> liveValues;
  std::atomic<float> multiplierFactor;
  std::atomic<double> tempo;
  std::atomic<double> workingSampleRate;
  double beatPosition;
  std::atomic<std::uint32_t> sampleCounter;
  std::atomic<std::uint32_t> lastClickTime;
  std::atomic<int32> tapCount;
  std::array<std::atomic<std::uint32_t>, kTapSlots> tapHistory;
  std::atomic<int32> lightState;
  float currentLevel;
  float rampStep;
  float lastTarget;
  int32 rampRemaining;
  BlockConstants blockConstants;
  VstTimeInfo outgoingTimeInfo;
};

static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
