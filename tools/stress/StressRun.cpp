#include "tools/stress/StressRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "tools/stress/DispatchArguments.h"
#include "tools/stress/StressValues.h"

namespace qv::stress {

namespace {

// Counts beyond these are not believed; the run then covers the first ones.
constexpr int32 kMostParameters = 1024;
constexpr int32 kMostPrograms = 1024;

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
      for (int32 i = 0; i < parameterCount_; ++i) {
        setParameter(i, request.presetValues[static_cast<std::size_t>(i)]);
      }
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
  const DispatchArguments arguments(request);
  const intptr result = record_.dispatcher(&record_, request.opcode, request.index,
                                           arguments.value(), arguments.pointer(), request.opt);
  mix(static_cast<std::uint64_t>(result));
  for (char c : arguments.answeredText(result)) mix(static_cast<unsigned char>(c));

  if (request.opcode == effSetProgram && request.value >= 0 && request.value < programCount_)
    currentProgram_ = static_cast<int32>(request.value);
  const std::string problem = arguments.check(result);
  if (!problem.empty()) fail(problem);
  if (request.opcode == effGetProgram && result != currentProgram_)
    fail("effGetProgram answered " + std::to_string(result) + " after program " +
         std::to_string(currentProgram_) + " was selected");
  if (request.opcode == effCanDo && (result < -1 || result > 1))
    fail("effCanDo answered " + std::to_string(result));
}

void StressRun::setParameter(int32 index, float value) {
  record_.setParameter(&record_, index, value);
  // What counts is the value the plug-in holds, as it reads it back: a plug-in may take
  // other numbers than 0 to 1 for a parameter (a tempo in beats per minute, say) and store
  // them within range.
  if (index >= 0 && index < parameterCount_ && programCount_ > 0)
    unitValues_[static_cast<size_t>(currentProgram_)][static_cast<size_t>(index)] =
        isUnitValue(record_.getParameter(&record_, index));
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
