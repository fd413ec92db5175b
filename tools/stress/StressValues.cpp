#include "tools/stress/StressValues.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace qv::stress {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr float kDenormal = std::numeric_limits<float>::denorm_min();
constexpr int32 kIntMin = std::numeric_limits<int32>::min();
constexpr int32 kIntMax = std::numeric_limits<int32>::max();

constexpr float kOddFloats[] = {kNaN,       -kNaN,   kInfinity, -kInfinity, kFloatMax, -kFloatMax,
                                1e30f,      -1e30f,  1e9f,      -1e9f,      -1.0f,     -0.5f,
                                -0.0f,      1.0001f, 2.0f,      300.0f,     400.0f,    kDenormal,
                                -kDenormal, 3e9f,    4.3e9f,    -4.3e9f};

double anyDouble(StressRandom& random) {
  static constexpr double kOdd[] = {std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    std::numeric_limits<double>::max(),
                                    -std::numeric_limits<double>::max(),
                                    1e300,
                                    -1e300,
                                    1e-300,
                                    std::numeric_limits<double>::denorm_min(),
                                    0.0,
                                    -0.0,
                                    -1.0,
                                    4294967296.0,
                                    1e15};
  return random.percent(50) ? random.pick(kOdd) : (static_cast<double>(random.unit()) - 0.5) * 1e6;
}

}  // namespace

bool isUnitValue(float value) {
  return value >= 0.0f && value <= 1.0f;
}

float unitParameterValue(StressRandom& random) {
  static constexpr float kEdges[] = {0.0f, 1.0f, 0.5f,      0.25f,     0.75f,
                                     0.2f, 0.8f, 0.999999f, 0.0000001f};
  return random.percent(80) ? random.unit() : random.pick(kEdges);
}

float anyParameterValue(StressRandom& random) {
  if (random.percent(88)) return unitParameterValue(random);
  if (random.percent(30)) return 1.0f + random.unit() * 999.0f;  // tempo-like numbers
  return random.pick(kOddFloats);
}

int32 anyParameterIndex(StressRandom& random, int32 parameterCount) {
  static constexpr int32 kOdd[] = {19, 21, 21, 20, 22, -1, -2, 100, 1000, kIntMin, kIntMax};
  if (random.percent(85)) return random.between(0, parameterCount > 0 ? parameterCount - 1 : 0);
  return random.pick(kOdd);
}

float anyFloat(StressRandom& random) {
  if (random.percent(40)) return random.unit();
  if (random.percent(40)) return (random.unit() - 0.5f) * 200000.0f;
  return random.pick(kOddFloats);
}

int32 anyInteger(StressRandom& random) {
  static constexpr int32 kOdd[] = {0, 1, -1, 2, 127, 128, 255, 256, 8192, 65536, kIntMin, kIntMax};
  if (random.percent(50)) return random.between(-8, 80);
  if (random.percent(60)) return random.pick(kOdd);
  return static_cast<int32>(random.next());
}

float anySampleRate(StressRandom& random) {
  static constexpr float kRates[] = {44100.0f,  48000.0f,  88200.0f,  96000.0f, 192000.0f,
                                     384000.0f, 22050.0f,  8000.0f,   1.0f,     0.5f,
                                     0.0f,      -44100.0f, 1e-30f,    1e30f,    kFloatMax,
                                     kNaN,      kInfinity, -kInfinity};
  return random.percent(50) ? random.pick(kRates) : 1.0f + random.unit() * 400000.0f;
}

int32 anyBlockSize(StressRandom& random) {
  static constexpr int32 kOdd[] = {0, -1, -1024, kIntMin, kIntMax, 1 << 20};
  return random.percent(90) ? random.between(0, 8192) : random.pick(kOdd);
}

int32 anyFrameCount(StressRandom& random) {
  static constexpr int32 kTypical[] = {32, 64, 100, 128, 256, 441, 512, 1000, 1024, 2048};
  static constexpr int32 kNegative[] = {-1, -2, -64, -8192, kIntMin};
  const std::uint32_t roll = random.below(100);
  if (roll < 35) return random.between(0, 16);
  if (roll < 75) return random.pick(kTypical);
  if (roll < 97) return random.between(0, 8192);
  return random.pick(kNegative);
}

int32 anyProgramIndex(StressRandom& random, int32 programCount) {
  static constexpr int32 kOdd[] = {-1, -2, 10, 11, 100, kIntMin, kIntMax};
  return random.percent(80) ? random.between(0, programCount) : random.pick(kOdd);
}

std::string anyText(StressRandom& random, size_t maxLength) {
  const size_t length =
      random.percent(30) ? maxLength : random.below(static_cast<std::uint32_t>(maxLength + 1));
  std::string text(length, 'a');
  for (char& c : text) c = static_cast<char>(random.between(1, 255));
  return text;
}

std::string anyCanDoText(StressRandom& random) {
  static constexpr const char* kTexts[] = {"sendVstEvents",       "sendVstMidiEvent",
                                           "sendVstTimeInfo",     "receiveVstEvents",
                                           "receiveVstMidiEvent", "receiveVstTimeInfo",
                                           "receiveVstTimeInfo ", "ReceiveVstTimeInfo",
                                           "sizeWindow",          "bypass",
                                           "midiProgramNames",    "",
                                           "sendVstMidiEventX",   "plugAsChannelInsert"};
  return random.percent(80) ? std::string(random.pick(kTexts)) : anyText(random, 200);
}

VstTimeInfo anyTimeInfo(StressRandom& random) {
  static constexpr double kTempos[] = {120.0,  160.0, 60.0, 1.0,    0.99, 300.0,
                                       300.01, 400.0, 0.0,  -120.0, 1e-9, 50.0};
  static constexpr int32 kFlags[] = {kVstTempoValid | kVstTransportPlaying, kVstTempoValid,
                                     kVstTransportPlaying, 0, kVstTempoValid | kVstPpqPosValid};
  VstTimeInfo info{};
  const bool sane = random.percent(60);
  info.tempo = sane ? random.pick(kTempos) + random.below(3) * 0.005 : anyDouble(random);
  info.ppqPos = sane ? static_cast<double>(random.unit()) * 10000.0 : anyDouble(random);
  info.samplePos = sane ? static_cast<double>(random.next() >> 40) : anyDouble(random);
  info.sampleRate = random.percent(80) ? 44100.0 : anyDouble(random);
  info.barStartPos = anyDouble(random);
  info.nanoSeconds = anyDouble(random);
  info.timeSigNumerator = random.percent(80) ? 4 : anyInteger(random);
  info.timeSigDenominator = random.percent(80) ? 4 : anyInteger(random);
  info.samplesToNextClock = anyInteger(random);
  info.flags = random.percent(80) ? random.pick(kFlags) : static_cast<int32>(random.next());
  return info;
}

std::vector<VstMidiEvent> anyMidiEvents(StressRandom& random) {
  std::vector<VstMidiEvent> events(random.below(17));
  for (VstMidiEvent& event : events) {
    std::memset(&event, 0, sizeof event);
    event.type = random.percent(90) ? kVstMidiType : anyInteger(random);
    event.byteSize = random.percent(90) ? 24 : anyInteger(random);
    event.deltaFrames = random.percent(80) ? random.between(0, 1023) : anyInteger(random);
    const std::uint64_t bytes = random.next();
    for (int i = 0; i < 4; ++i) event.midiData[i] = static_cast<char>(bytes >> (8 * i));
    if (random.percent(50)) {
      // Often enough a tap of the default settings: note or controller 25, channel 8.
      static constexpr unsigned char kStatus[] = {0x97, 0xB7, 0x90, 0xB0, 0x80};
      event.midiData[0] = static_cast<char>(random.pick(kStatus));
      event.midiData[1] = static_cast<char>(random.percent(60) ? 25 : random.below(256));
      event.midiData[2] = static_cast<char>(random.percent(60) ? 127 : random.below(256));
    }
  }
  return events;
}

}  // namespace qv::stress
