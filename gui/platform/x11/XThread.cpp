#include "gui/platform/x11/XThread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform::x11 {

std::unique_ptr<XThread> XThread::open(EventHandler handler, Tick tick) {
  int screenIndex = 0;
  xcb_connection_t* conn = xcb_connect(nullptr, &screenIndex);
  if (!conn || xcb_connection_has_error(conn)) {
    if (conn) xcb_disconnect(conn);
    return nullptr;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
  for (int i = 0; i < screenIndex && it.rem; ++i) xcb_screen_next(&it);
  if (!it.rem) {
    xcb_disconnect(conn);
    return nullptr;
  }
  return std::unique_ptr<XThread>(new XThread(conn, it.data, std::move(handler), std::move(tick)));
}

XThread::XThread(xcb_connection_t* connection, const xcb_screen_t* screen, EventHandler onEvent,
                 Tick onTick)
    : conn(connection),
      firstScreen(screen),
      maxRequest(static_cast<std::size_t>(xcb_get_maximum_request_length(connection)) * 4),
      handler(std::move(onEvent)),
      tick(std::move(onTick)),
      wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  thread = std::thread([this] { loop(); });
  threadId.store(thread.get_id());
}

XThread::~XThread() {
  stopping.store(true);
  wake();
  thread.join();
  // Jobs queued after the loop ended still run, so that nobody waits for them in vain.
  runJobs();
  xcb_disconnect(conn);
  if (wakeFd >= 0) close(wakeFd);
}

void XThread::wake() {
  if (wakeFd < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(wakeFd, &one, sizeof one);
}

void XThread::post(Job job) {
  {
    std::lock_guard<std::mutex> guard(lock);
    jobs.push_back(std::move(job));
  }
  wake();
}

void XThread::run(const Job& job) {
  if (onThread() || stopping.load()) {
    job(conn);
    return;
  }
  std::mutex doneLock;
  std::condition_variable doneSignal;
  bool done = false;
  post([&](xcb_connection_t* c) {
    job(c);
    std::lock_guard<std::mutex> guard(doneLock);
    done = true;
    doneSignal.notify_one();
  });
  std::unique_lock<std::mutex> wait(doneLock);
  doneSignal.wait(wait, [&done] { return done; });
}

bool XThread::runJobs() {
  bool any = false;
  for (;;) {
    Job job;
    {
      std::lock_guard<std::mutex> guard(lock);
      if (jobs.empty()) break;
      job = std::move(jobs.front());
      jobs.pop_front();
    }
    job(conn);
    any = true;
  }
  if (any) xcb_flush(conn);
  return any;
}

void XThread::readEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn)) {
    handler(conn, *event);
    std::free(event);
  }
}

void XThread::pump() {
  runJobs();
  readEvents();
  xcb_flush(conn);
}

void XThread::waitAndPump(std::int32_t ms) {
  pollfd fds[2] = {{xcb_get_file_descriptor(conn), POLLIN, 0}, {wakeFd, POLLIN, 0}};
  poll(fds, 2, ms);
  if (fds[1].revents & POLLIN) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = read(wakeFd, &count, sizeof count);
  }
  pump();
}

void XThread::loop() {
  while (!stopping.load()) {
    // A connection the server closed stays quiet; the loop then only runs jobs.
    waitAndPump(xcb_connection_has_error(conn) ? 20 : 10);
    if (tick) tick();
  }
}

}  // namespace platform::x11
