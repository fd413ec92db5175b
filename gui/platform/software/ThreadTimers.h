// The software backend's timers: each running timer is a thread that sleeps its period and
// calls its client. Tests may hold the timers instead, so that no thread runs and the test
// fires the ticks itself on its own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "gui/platform/Timers.h"

namespace platform::software {

class ThreadTimers final : public platform::TimerService {
 public:
  // The finest period of the pretend timer device, in milliseconds.
  static constexpr std::uint32_t kFinestPeriod = 1;

  std::uint32_t finestPeriod() override { return kFinestPeriod; }
  void beginPeriod(std::uint32_t period) override;
  void endPeriod(std::uint32_t period) override;
  std::uint32_t start(std::uint32_t period, platform::TimerClient* client) override;
  void stop(std::uint32_t id) override;

  // While held, timers started from now on run no thread; fire() ticks them instead.
  void hold(bool flag) { held = flag; }
  // One tick of every running timer, on the calling thread, in the order they started.
  void fire();
  // How many timers run, and how many periods are begun and not yet ended.
  std::int32_t running() const { return static_cast<std::int32_t>(timers.size()); }
  std::int32_t periodsBegun() const { return periods; }

 private:
  struct Timer {
    std::uint32_t id = 0;
    std::uint32_t period = 0;
    platform::TimerClient* client = nullptr;
    std::atomic<bool> stopping = false;
    std::thread thread;
  };
  static void run(Timer* timer);

  // Touched only by the thread that starts and stops timers.
  std::vector<std::unique_ptr<Timer>> timers;
  std::uint32_t lastId = 0;
  std::int32_t periods = 0;
  bool held = false;
};

// The process's timers, as platform::timers() returns them.
ThreadTimers& threadTimers();

}  // namespace platform::software
