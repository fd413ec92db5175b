// A stress run: random but well-formed host requests sent to one plug-in
// instance, each answer checked at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Vst2.h"
#include "tools/stress/StressHost.h"
#include "tools/stress/StressRandom.h"
#include "tools/stress/StressRequest.h"

namespace qv::stress {

struct StressSettings {
  std::uint64_t seed = 1;
  std::int64_t requests = 0;  // stop after this many; 0: no limit by count
  double seconds = 0.0;       // stop after this long; 0: no limit by time
};

struct StressReport {
  std::int64_t requests = 0;  // sent, the failing one included
  std::int64_t dispatches = 0;
  std::int64_t parameterRequests = 0;  // set, get and preset loads
  std::int64_t blocks = 0;
  std::int64_t frames = 0;
  std::int64_t levelCheckedBlocks = 0;  // blocks checked against the input's peak
  std::uint64_t fingerprint = 0;        // of every answer and output sample
  double seconds = 0.0;
  std::string violation;  // empty while every check has passed
};

// What is checked: every output sample is finite; with every parameter the plug-in
// reads back within 0 to 1 no output sample exceeds the input's peak; no
// byte is written past the buffers (audio, 64-byte texts, scratch records); input
// texts and audio stay unchanged; effGetProgram answers the program last selected
// within range; effCanDo answers -1, 0 or 1; real parameters read back finite;
// the record's identity and entry points stay as they were; what the plug-in
// sends to the host is well-formed.
class StressRun {
 public:
  // Drives `record`, whose callback `host` answers. Neither is owned; both must
  // outlive the run. The request sequence depends on `seed` alone.
  StressRun(AEffect& record, StressHost& host, std::uint64_t seed);

  // Draws, sends and checks one request. False once a check has failed; the
  // report's violation then says which request and what went wrong.
  bool step();
  const StressReport& report() const { return report_; }

 private:
  void dispatch(const Request& request);
  void setParameter(int32 index, float value);
  void getParameter(int32 index);
  void process(const Request& request);
  void fillBlock(const Request& request, size_t frames);
  void checkBlock(const Request& request, float** outputs, size_t frames);
  bool levelIsBounded() const;
  void checkRecord();
  void fail(const std::string& problem);
  void mix(std::uint64_t word) {
    report_.fingerprint = (report_.fingerprint ^ word) * 0x100000001B3ull;
  }

  AEffect& record_;
  StressHost& host_;
  StressRandom random_;
  std::uint64_t seed_;
  AEffect identity_;  // the record as it was when the run began
  int32 parameterCount_;
  int32 programCount_;
  int32 currentProgram_ = 0;
  // Per program and parameter: whether the value last stored lies within 0 to 1.
  std::vector<std::vector<bool>> unitValues_;
  std::vector<float> channels_[4];  // two inputs, two outputs, each with a guard zone
  std::vector<float> inputCopies_[2];
  std::string problem_;
  StressReport report_;
};

// Runs until the settings' count or time is reached or a check fails; with
// neither limit set it runs until a check fails.
StressReport stressPlugin(AEffect& record, StressHost& host, const StressSettings& settings);

}  // namespace qv::stress
