#include "tools/stress/StressRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "tools/stress/StressValues.h"

namespace qv::stress {

namespace {

// Counts beyond these are not believed; the run then covers the first ones.
constexpr int32 kMostParameters = 1024;
constexpr int32 kMostPrograms = 1024;
// The tempo takes beats per minute above 1 and taps store any value in it; it
// moves the beat, never the level, so it does not count for the level check.
constexpr int32 kTempoParameter = 1;

constexpr size_t kTextBuffer = 256;
constexpr size_t kTextLimit = 64;
constexpr size_t kScratchBuffer = 1024;
constexpr size_t kScratchLimit = 512;
constexpr char kTextFill = 'Z';
constexpr char kCanary = static_cast<char>(0xA5);

bool untouchedFrom(const char* buffer, size_t from, size_t size) {
  return std::all_of(buffer + from, buffer + size, [](char c) { return c == kCanary; });
}

bool writesText(int32 opcode, intptr result) {
  switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
      return true;
    default:
      return result != 0;  // effGetProgramNameIndexed, effGetErrorText answer 1 when they write
  }
}

}  // namespace

StressRun::StressRun(AEffect& record, StressHost& host, std::uint64_t seed)
    : record_(record), host_(host), random_(seed), seed_(seed), identity_(record) {
  parameterCount_ = std::clamp(record.numParams, 0, kMostParameters);
  programCount_ = std::clamp(record.numPrograms, 0, kMostPrograms);
  currentProgram_ =
      static_cast<int32>(record.dispatcher(&record, effGetProgram, 0, 0, nullptr, 0.0f));
  unitValues_.assign(static_cast<size_t>(std::max(programCount_, 1)),
                     std::vector<bool>(static_cast<size_t>(parameterCount_), true));
}

bool StressRun::step() {
  if (!report_.violation.empty()) return false;
  const Request request = makeRequest(random_, parameterCount_, programCount_);
  ++report_.requests;
  switch (request.kind) {
    case RequestKind::Dispatch:
      ++report_.dispatches;
      dispatch(request);
      break;
    case RequestKind::SetParameter:
      ++report_.parameterRequests;
      setParameter(request.index, request.opt);
      break;
    case RequestKind::GetParameter:
      ++report_.parameterRequests;
      getParameter(request.index);
      break;
    case RequestKind::LoadPreset:
      ++report_.parameterRequests;
      for (int32 i = 0; i < parameterCount_; ++i) setParameter(i, request.presetValues[i]);
      break;
    case RequestKind::Process:
    case RequestKind::Accumulate:
      process(request);
      break;
  }
  if (problem_.empty()) {
    const std::string hostFault = host_.takeFault();
    if (!hostFault.empty()) fail("the plug-in sent " + hostFault);
  }
  if (problem_.empty()) checkRecord();
  if (problem_.empty()) return true;
  report_.violation = "request " + std::to_string(report_.requests) + " of seed " +
                      std::to_string(seed_) + ", " + describe(request) + ": " + problem_;
  return false;
}

void StressRun::dispatch(const Request& request) {
  char text[kTextBuffer];
  std::memset(text, kCanary, sizeof text);
  char scratch[kScratchBuffer];
  std::memset(scratch, kCanary, sizeof scratch);
  ERect* rect = nullptr;
  ERect drawRect{0, 0, 249, 293};
  void* chunk = nullptr;
  VstSpeakerArrangement arrangements[2]{};
  VstSpeakerArrangement* holders[2] = {&arrangements[0], &arrangements[1]};
  std::vector<VstMidiEvent> events = request.events;
  std::vector<intptr> eventList(2 + events.size());

  intptr value = request.value;
  void* ptr = scratch;
  const Argument argument = argumentOf(request.opcode);
  switch (argument) {
    case Argument::TextOut:
      std::memset(text, kTextFill, kTextLimit);
      ptr = text;
      break;
    case Argument::TextIn:
    case Argument::ChunkIn:
      std::memcpy(text, request.text.data(), std::min(request.text.size(), kTextBuffer - 1));
      text[std::min(request.text.size(), kTextBuffer - 1)] = '\0';
      ptr = text;
      break;
    case Argument::RectOut:
      ptr = &rect;
      break;
    case Argument::RectIn:
      ptr = &drawRect;
      break;
    case Argument::ChunkOut:
      ptr = &chunk;
      break;
    case Argument::Events: {
      // The standard's layout: count, reserved word, then one pointer per event.
      auto* list = reinterpret_cast<VstEvents*>(eventList.data());
      list->numEvents = static_cast<int32>(events.size());
      for (size_t i = 0; i < events.size(); ++i)
        eventList[2 + i] = reinterpret_cast<intptr>(&events[i]);
      ptr = list;
      break;
    }
    case Argument::SpeakersIn:
      arrangements[0].numChannels = arrangements[1].numChannels = 2;
      value = reinterpret_cast<intptr>(&arrangements[0]);
      ptr = &arrangements[1];
      break;
    case Argument::SpeakersOut:
      value = reinterpret_cast<intptr>(&holders[0]);
      ptr = &holders[1];
      break;
    case Argument::Scratch:
      break;
  }
  const std::string textBefore(text, sizeof text);

  const intptr result =
      record_.dispatcher(&record_, request.opcode, request.index, value, ptr, request.opt);
  mix(static_cast<std::uint64_t>(result));

  if (request.opcode == effSetProgram && request.value >= 0 && request.value < programCount_)
    currentProgram_ = static_cast<int32>(request.value);

  switch (argument) {
    case Argument::TextOut:
      checkTextOut(request, result, text);
      break;
    case Argument::TextIn:
    case Argument::ChunkIn:
      if (std::memcmp(text, textBefore.data(), sizeof text) != 0)
        fail("the input text was changed");
      break;
    case Argument::RectOut:
      if (rect && (rect->top > rect->bottom || rect->left > rect->right))
        fail("the editor rectangle is inverted");
      break;
    case Argument::ChunkOut:
      if (result > 0 && !chunk) fail("a chunk size without chunk data");
      break;
    case Argument::Scratch:
      if (!untouchedFrom(scratch, kScratchLimit, sizeof scratch))
        fail("bytes written past 512 into the record");
      break;
    default:
      break;
  }
  if (request.opcode == effGetProgram && result != currentProgram_)
    fail("effGetProgram answered " + std::to_string(result) + " after program " +
         std::to_string(currentProgram_) + " was selected");
  if (request.opcode == effCanDo && (result < -1 || result > 1))
    fail("effCanDo answered " + std::to_string(result));
}

void StressRun::checkTextOut(const Request& request, intptr result, const char* text) {
  if (!untouchedFrom(text, kTextLimit, kTextBuffer)) return fail("text written past 64 bytes");
  if (!writesText(request.opcode, result)) return;
  const char* end = static_cast<const char*>(std::memchr(text, '\0', kTextLimit));
  if (!end) return fail("text not terminated within 64 bytes");
  for (const char* c = text; c < end; ++c) mix(static_cast<unsigned char>(*c));
  if (request.opcode == effGetProgramName && end - text >= kVstMaxProgNameLen)
    fail("program name of " + std::to_string(end - text) + " characters");
}

void StressRun::setParameter(int32 index, float value) {
  record_.setParameter(&record_, index, value);
  if (index >= 0 && index < parameterCount_ && index != kTempoParameter && programCount_ > 0)
    unitValues_[static_cast<size_t>(currentProgram_)][static_cast<size_t>(index)] =
        isUnitValue(value);
}

void StressRun::getParameter(int32 index) {
  const float value = record_.getParameter(&record_, index);
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  mix(bits);
  if (index >= 0 && index < parameterCount_ && !std::isfinite(value))
    fail("getParameter answered " + std::to_string(value));
}

bool StressRun::levelIsBounded() const {
  if (programCount_ <= 0 || currentProgram_ < 0 || currentProgram_ >= programCount_) return false;
  const std::vector<bool>& values = unitValues_[static_cast<size_t>(currentProgram_)];
  return std::all_of(values.begin(), values.end(), [](bool unit) { return unit; });
}

void StressRun::checkRecord() {
  const AEffect& now = record_;
  const AEffect& was = identity_;
  if (now.magic != was.magic || now.object != was.object || now.uniqueID != was.uniqueID ||
      now.version != was.version)
    return fail("the record's identity changed");
  if (now.dispatcher != was.dispatcher || now.process != was.process ||
      now.processReplacing != was.processReplacing || now.setParameter != was.setParameter ||
      now.getParameter != was.getParameter)
    return fail("the record's entry points changed");
  if (now.numPrograms != was.numPrograms || now.numParams != was.numParams ||
      now.numInputs != was.numInputs || now.numOutputs != was.numOutputs)
    fail("the record's counts changed");
}

void StressRun::fail(const std::string& problem) {
  if (problem_.empty()) problem_ = problem;
}

StressReport stressPlugin(AEffect& record, StressHost& host, const StressSettings& settings) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  StressRun run(record, host, settings.seed);
  while (settings.requests <= 0 || run.report().requests < settings.requests) {
    if (!run.step()) break;
    if (settings.seconds > 0.0 && run.report().requests % 64 == 0 && elapsed() >= settings.seconds)
      break;
  }
  StressReport report = run.report();
  report.seconds = elapsed();
  return report;
}

}  // namespace qv::stress
