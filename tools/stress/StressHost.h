// The host side of a stress run: answers the plug-in's callback and checks
// what the plug-in sends (events, time reports).
#pragma once

#include <cstdint>
#include <string>

#include "host/Vst2.h"

namespace qv::stress {

// One instance serves one plug-in instance. The callback finds it through the
// record's resvd1 (the host's field), and during the plug-in's `main` through
// the host being created on that thread. Single-threaded.
class StressHost {
 public:
  // The callback to hand to the plug-in's `main`; call adopt() with the record
  // `main` returned. Until then this host answers a `main` running on this thread.
  StressHost();
  ~StressHost();
  StressHost(const StressHost&) = delete;
  StressHost& operator=(const StressHost&) = delete;

  static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);
  // Links the record to this host.
  void adopt(AEffect& record);

  // The time information audioMasterGetTime answers until the next call; null
  // answers null. The pointed-to record must outlive its use.
  void offerTime(const VstTimeInfo* info) { offeredTime_ = info; }

  // The first fault seen in the plug-in's requests since the last call, or "".
  std::string takeFault();

  std::int64_t timeRequests() const { return timeRequests_; }
  std::int64_t timeReports() const { return timeReports_; }
  std::int64_t eventsReceived() const { return eventsReceived_; }

 private:
  intptr answer(int32 opcode, intptr value, void* ptr);
  void checkEvents(const VstEvents* events);
  void fault(const std::string& text);

  const VstTimeInfo* offeredTime_ = nullptr;
  std::string fault_;
  std::int64_t timeRequests_ = 0;
  std::int64_t timeReports_ = 0;
  std::int64_t eventsReceived_ = 0;
};

}  // namespace qv::stress
