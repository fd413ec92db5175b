// The Win32 timers: the multimedia timer of winmm, whose callbacks run on its own thread.
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <algorithm>

#include "gui/platform/Timers.h"

namespace {

void CALLBACK tickClient(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  reinterpret_cast<platform::TimerClient*>(user)->timerTick();
}

class MultimediaTimers final : public platform::TimerService {
 public:
  std::uint32_t finestPeriod() override {
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) return 0;
    return std::min(caps.wPeriodMin, caps.wPeriodMax);
  }
  void beginPeriod(std::uint32_t period) override {
    if (period) timeBeginPeriod(period);
  }
  void endPeriod(std::uint32_t period) override {
    if (period) timeEndPeriod(period);
  }
  std::uint32_t start(std::uint32_t period, platform::TimerClient* client) override {
    if (period == 0 || !client) return 0;
    // The synchronous kill makes stop wait for a callback that is running.
    return timeSetEvent(period, period, tickClient, reinterpret_cast<DWORD_PTR>(client),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  }
  void stop(std::uint32_t id) override {
    if (id) timeKillEvent(id);
  }
};

}  // namespace

namespace platform {

TimerService& timers() {
  static MultimediaTimers instance;
  return instance;
}

}  // namespace platform
