// What the audio routine derives from the parameters, the tempo, the sample
// rate and the beat positions of earlier blocks. Each value is kept beside the
// inputs it came from and derived again only when one of them changes, so that a
// block repeats no division or conversion of the block before. Read and written
// on the audio thread only.
#pragma once

#include <cstring>
#include <limits>

#include "host/Vst2.h"

struct BlockConstants {
  static constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
  static constexpr float kUnsetValue = std::numeric_limits<float>::quiet_NaN();

  // Keys are compared by their bits, not their values: 0.0 and -0.0 may derive
  // different results.
  template <class T>
  static bool same(const T& key, const T& value) {
    return std::memcmp(&key, &value, sizeof value) == 0;
  }
  // Stores value in key and answers whether its bits changed.
  template <class T>
  static bool renew(T& key, T value) {
    if (same(key, value)) return false;
    key = value;
    return true;
  }

  // Every key starts unset, and every derived value as derived from it.
  double tempo = kUnset;
  double beatsPerSecond = kUnset;
  double transportRate = kUnset;
  double transportTempo = kUnset;
  double samplesPerBeat = kUnset;  // the host's transport counts in beats
  float softness = kUnsetValue;
  int32 rampLength = 1;
  double restartDistance = kUnset;  // a target jump beyond it restarts the ramp
  float shapeValue = kUnsetValue;
  int32 shape = 0;
  float sourceValue = kUnsetValue;
  int32 source = 0;  // tempo source number
  // The LFO's target at one shape number and cycle phase, worked out ahead for
  // the block expected next; no shape number is -1.
  int32 preparedShape = -1;
  float preparedPhase = kUnsetValue;
  float preparedTarget = 0.0f;
  // floor of the beat and of the beat plus a half at the beat position last
  // judged by the metronome.
  double judgedBeat = kUnset;
  double wholeBeat = kUnset;
  double halfBeat = kUnset;
  // Last found whole numbers of the light's and the LFO's cycle counts, as
  // guesses for the next block; any guess is safe.
  double lightWhole = kUnset;
  double lightHalf = kUnset;
  double cycleWhole = kUnset;
};
