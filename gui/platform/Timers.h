// Periodic timers that call back on a thread of their own, at the finest period the platform
// offers: the multimedia timer on Win32, a thread per timer in the software backend. One
// process-wide instance, provided by the backend. Started and stopped on one thread (the
// user-interface thread); the clients' ticks run on the timer's thread.
#pragma once

#include <cstdint>

namespace platform {

// What a timer calls on every period, on the timer's thread.
class TimerClient {
 public:
  virtual void timerTick() = 0;

 protected:
  ~TimerClient() = default;
};

class TimerService {
 public:
  // The shortest period in milliseconds that the timer device supports; 0 when the device
  // cannot tell.
  virtual std::uint32_t finestPeriod() = 0;
  // Ask for, and give back, a timer resolution of period milliseconds for the process; every
  // begin needs one end with the same period. A period of 0 asks for nothing.
  virtual void beginPeriod(std::uint32_t period) = 0;
  virtual void endPeriod(std::uint32_t period) = 0;
  // Calls client->timerTick() every period milliseconds until stop. The identifier of the
  // timer, or 0 when it cannot run (the client is then never called). client is not owned
  // and must outlive the timer.
  virtual std::uint32_t start(std::uint32_t period, TimerClient* client) = 0;
  // Stops the timer and waits for a tick that is running on its thread, so that the client
  // may go away once this returns. Nothing for 0 or an unknown identifier.
  virtual void stop(std::uint32_t id) = 0;

 protected:
  ~TimerService() = default;
};

TimerService& timers();

}  // namespace platform
