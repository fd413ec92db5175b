// The plug-in's own connection to the X server and the one thread that makes every X call on
// it. Other threads hand it work: post() queues a job and returns, run() waits for the job's
// end. A job started on the X thread itself runs at once. Between jobs the thread reads the
// server's events and gives each to the event handler. The thread and the connection live
// while someone holds the connection (XThread::acquire); the last release closes both, so
// that every resource the server kept for the plug-in goes with them.
#pragma once

#include <xcb/xcb.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::x11 {

class XThread {
 public:
  using Job = std::function<void(xcb_connection_t*)>;
  using EventHandler = std::function<void(xcb_connection_t*, const xcb_generic_event_t&)>;
  using Tick = std::function<void()>;

  // Opens the display named by the environment, as any X client does; null when no server
  // answers. handler runs on the X thread for every event, tick after every pass of its loop
  // (at least every 10 ms).
  static std::unique_ptr<XThread> open(EventHandler handler, Tick tick);
  ~XThread();
  XThread(const XThread&) = delete;
  XThread& operator=(const XThread&) = delete;

  void post(Job job);
  void run(const Job& job);
  bool onThread() const { return std::this_thread::get_id() == threadId.load(); }
  // On the X thread only: runs the queued jobs and handles the waiting events, not waiting
  // for more. Loops that wait for the user on the X thread call it.
  void pump();
  // On the X thread: waits at most ms for an event or a job, then pumps.
  void waitAndPump(std::int32_t ms);

  xcb_connection_t* connection() const { return conn; }
  const xcb_screen_t* screen() const { return firstScreen; }
  // The longest request, in bytes, that the server takes.
  std::size_t maxRequestBytes() const { return maxRequest; }

 private:
  XThread(xcb_connection_t* conn, const xcb_screen_t* screen, EventHandler handler, Tick tick);
  void loop();
  void wake();
  bool runJobs();
  void readEvents();

  xcb_connection_t* conn;
  const xcb_screen_t* firstScreen;
  std::size_t maxRequest;
  EventHandler handler;
  Tick tick;
  int wakeFd = -1;
  std::mutex lock;
  std::deque<Job> jobs;
  std::atomic<bool> stopping = false;
  std::atomic<std::thread::id> threadId;
  std::thread thread;
};

}  // namespace platform::x11
