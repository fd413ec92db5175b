// What a host may send, drawn at random: ordinary values most of the time, and
// the edges (NaN, infinities, huge and negative numbers, empty and overlong texts)
// often enough to be met in every run.
#pragma once

#include <string>
#include <vector>

#include "host/Vst2.h"
#include "tools/stress/StressRandom.h"

namespace qv::stress {

// A parameter value: mostly within 0 to 1, sometimes any float at all.
float anyParameterValue(StressRandom& random);
// A parameter value within 0 to 1, edges included.
float unitParameterValue(StressRandom& random);
bool isUnitValue(float value);
// A parameter index: mostly real ones, sometimes pseudo, negative or far out.
int32 anyParameterIndex(StressRandom& random, int32 parameterCount);
// Any float a host might put in `opt`.
float anyFloat(StressRandom& random);
// Any integer a host might put in `index` or `value`.
int32 anyInteger(StressRandom& random);
float anySampleRate(StressRandom& random);
// A block size announced to the plug-in: 0 to 8192 mostly, sometimes absurd.
int32 anyBlockSize(StressRandom& random);
// Frames of one audio block: 0 to 8192, rarely negative.
int32 anyFrameCount(StressRandom& random);
// A program index: around the valid range, sometimes far out.
int32 anyProgramIndex(StressRandom& random, int32 programCount);
// Text of 0 to maxLength bytes, any byte but NUL.
std::string anyText(StressRandom& random, size_t maxLength);
// Capability strings: the standard's ones, near misses and random text.
std::string anyCanDoText(StressRandom& random);
// Host time information, sane or absurd (NaN, infinite or negative tempo and position).
VstTimeInfo anyTimeInfo(StressRandom& random);
// 0 to 16 events of any bytes; many are note-ons and controllers that may tap.
std::vector<VstMidiEvent> anyMidiEvents(StressRandom& random);

}  // namespace qv::stress
