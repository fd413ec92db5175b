#include "gui/platform/software/ThreadTimers.h"

#include <algorithm>
#include <chrono>

namespace platform::software {

void ThreadTimers::beginPeriod(std::uint32_t period) {
  if (period) ++periods;
}

void ThreadTimers::endPeriod(std::uint32_t period) {
  if (period) --periods;
}

std::uint32_t ThreadTimers::start(std::uint32_t period, platform::TimerClient* client) {
  if (period == 0 || !client) return 0;
  auto timer = std::make_unique<Timer>();
  // Identifiers are never 0, also after the counter wraps.
  lastId = lastId + 1 ? lastId + 1 : 1;
  timer->id = lastId;
  timer->period = period;
  timer->client = client;
  if (!held) timer->thread = std::thread(run, timer.get());
  timers.push_back(std::move(timer));
  return lastId;
}

void ThreadTimers::run(Timer* timer) {
  const auto period = std::chrono::milliseconds(timer->period);
  auto next = std::chrono::steady_clock::now() + period;
  while (!timer->stopping.load(std::memory_order_relaxed)) {
    std::this_thread::sleep_until(next);
    next += period;
    if (timer->stopping.load(std::memory_order_relaxed)) break;
    timer->client->timerTick();
  }
}

void ThreadTimers::stop(std::uint32_t id) {
  const auto found = std::find_if(timers.begin(), timers.end(),
                                  [id](const std::unique_ptr<Timer>& t) { return t->id == id; });
  if (id == 0 || found == timers.end()) return;
  Timer& timer = **found;
  timer.stopping.store(true, std::memory_order_relaxed);
  // Joining waits for a tick in progress, as the platform's synchronous kill does.
  if (timer.thread.joinable()) timer.thread.join();
  timers.erase(found);
}

void ThreadTimers::fire() {
  for (const auto& timer : timers) timer->client->timerTick();
}

ThreadTimers& threadTimers() {
  static ThreadTimers instance;
  return instance;
}

}  // namespace platform::software

namespace platform {

TimerService& timers() {
  return software::threadTimers();
}

}  // namespace platform
