// The Linux plug-in's editor in real X windows of a host, under the X server that xvfb-run
// starts: hostile window ids, the picture, the user's pointer and keys through XTEST, the
// light with and without the host's idle calls, and what stays behind after many openings.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "tests/support/canvas/Canvas.h"
#include "tests/x11/XServer.h"
#include "tools/vsthost/HostedPlugin.h"

namespace {

constexpr std::int32_t kLeft = 40;
constexpr std::int32_t kTop = 30;
constexpr std::int32_t kWidth = 293;
constexpr std::int32_t kHeight = 249;

// The System V shared-memory segments that this process made and that still exist.
std::int32_t ownSharedSegments() {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);
  std::int32_t count = 0;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key = 0, id = 0, perms = 0, size = 0, creator = 0;
    if (fields >> key >> id >> perms >> size >> creator && creator == getpid()) ++count;
  }
  return count;
}

void* windowPointer(std::uintptr_t id) {
  return reinterpret_cast<void*>(id);
}

class X11Editor : public testing::Test {
 protected:
  void SetUp() override {
    // One connection for the whole run: a server whose last client leaves resets itself, and
    // refuses connections meanwhile.
    static std::unique_ptr<xtest::XServer> shared = xtest::XServer::connect();
    server = shared.get();
    if (!server) GTEST_SKIP() << "no X server with XTEST (run under xvfb-run)";
    std::string error;
    plugin = qv::host::HostedPlugin::load(QV_PLUGIN_PATH, error);
    ASSERT_NE(plugin, nullptr) << error;
    plugin->dispatch(effOpen);
    parent = server->makeWindow(kLeft, kTop, kWidth, kHeight);
  }

  void TearDown() override {
    if (plugin) plugin->close();
    if (server && parent) server->destroy(parent);
  }

  bool open() { return plugin->dispatch(effEditOpen, 0, 0, windowPointer(parent)) != 0; }

  // The host's idle calls for ms milliseconds, as Linux hosts send them.
  void idleFor(std::int32_t ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      plugin->dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  // Idle calls until done() holds, for at most limitMs: the X server and the plug-in's own
  // thread answer in their own time, which a loaded machine stretches.
  bool idleUntil(const std::function<bool()>& done, std::int32_t limitMs = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      idleFor(20);
    }
    return true;
  }

  // The user acts on a thread of their own while the host keeps sending idle calls: a drag
  // runs inside the host's idle call that delivered its press.
  void asUser(const std::function<void(xtest::XServer&)>& actions) {
    std::atomic<bool> done = false;
    std::thread user([&] {
      actions(*server);
      done = true;
    });
    while (!done) {
      plugin->dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    user.join();
    idleFor(100);
  }

  static void pause(std::int32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  static void click(xtest::XServer& user, std::int32_t x, std::int32_t y) {
    user.moveTo(kLeft + x, kTop + y);
    user.button(1, true);
    pause(50);
    user.button(1, false);
    pause(50);
  }

  std::vector<qv::host::AutomationRecord> automationOf(std::int32_t index) {
    std::vector<qv::host::AutomationRecord> found;
    for (const qv::host::AutomationRecord& r : plugin->capture().automation()) {
      if (r.index == index) found.push_back(r);
    }
    return found;
  }

  xtest::XServer* server = nullptr;
  std::unique_ptr<qv::host::HostedPlugin> plugin;
  xcb_window_t parent = 0;
};

TEST_F(X11Editor, WindowIdsThatNameNoWindowAreRefused) {
  EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, nullptr), 0);
  // A made-up id, ids wider than X's 29 bits (a pointer, for instance), and our own
  // connection's next id, which names nothing yet.
  for (const std::uintptr_t id :
       {std::uintptr_t{0x2a00007}, std::uintptr_t{0x2a00008}, std::uintptr_t{0x7fff12345678},
        std::uintptr_t{0xFFFFFFFF}, std::uintptr_t{parent + 1000}}) {
    EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, windowPointer(id)), 0) << std::hex << id;
  }
  plugin->dispatch(effEditIdle);
  plugin->dispatch(effEditClose);
  EXPECT_TRUE(open());
  EXPECT_EQ(server->childCount(parent), 1);
}

TEST_F(X11Editor, AParentDestroyedWhileOpenClosesTheEditorCleanly) {
  const auto clients = server->clientCount();
  ASSERT_TRUE(open());
  idleFor(50);
  server->destroy(parent);
  parent = 0;
  idleFor(100);
  // With its last window gone, the plug-in's connection went too.
  if (clients) {
    idleUntil([&] { return server->clientCount() == clients; });
    EXPECT_EQ(server->clientCount(), clients);
  }
  plugin->dispatch(effEditClose);
  // Everything works again in a new window.
  parent = server->makeWindow(kLeft, kTop, kWidth, kHeight);
  ASSERT_TRUE(open());
  idleFor(100);
  EXPECT_EQ(server->childCount(parent), 1);
  plugin->dispatch(effEditClose);
  EXPECT_EQ(server->childCount(parent), 0);
}

TEST_F(X11Editor, AParentDestroyedWithoutIdleCallsIsNoticedByThePluginsOwnThread) {
  ASSERT_TRUE(open());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  server->destroy(parent);
  parent = 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  plugin->dispatch(effEditClose);
  plugin->dispatch(effEditIdle);
}

TEST_F(X11Editor, ASecondOpenWithoutACloseReplacesTheWindow) {
  ASSERT_TRUE(open());
  idleFor(50);
  ASSERT_TRUE(open());
  idleFor(50);
  EXPECT_EQ(server->childCount(parent), 1);
}

TEST_F(X11Editor, TheWindowShowsTheSamePictureAsTheHeadlessSnapshot) {
  ASSERT_TRUE(open());
  EXPECT_NE(server->onlyChild(parent), 0u);
  idleFor(300);
  auto picture = server->picture(parent, kWidth, kHeight);
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(matchesGolden(*picture, "editor"));
}

TEST_F(X11Editor, EventsAreServedWithoutAnyIdleCallFromTheHost) {
  ASSERT_TRUE(open());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  auto picture = server->picture(parent, kWidth, kHeight);
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(matchesGolden(*picture, "editor"));
}

TEST_F(X11Editor, DraggingTheDepthSliderEditsParameterTwoAtTheHost) {
  ASSERT_TRUE(open());
  idleFor(200);
  asUser([](xtest::XServer& user) {
    user.moveTo(kLeft + 25, kTop + 75);
    user.button(1, true);
    pause(60);
    for (std::int32_t y = 75; y >= 50; y -= 5) {
      user.moveTo(kLeft + 25, kTop + y);
      pause(30);
    }
    user.button(1, false);
  });
  const auto edits = automationOf(2);
  ASSERT_GE(edits.size(), 3u);
  EXPECT_EQ(edits.front().kind, qv::host::AutomationRecord::Kind::BeginEdit);
  EXPECT_EQ(edits.back().kind, qv::host::AutomationRecord::Kind::EndEdit);
  bool automated = false;
  for (const auto& e : edits)
    automated = automated || e.kind == qv::host::AutomationRecord::Kind::Automate;
  EXPECT_TRUE(automated);
  EXPECT_GT(plugin->effect().getParameter(&plugin->effect(), 2), 0.0f);
}

TEST_F(X11Editor, AControlClickResetsTheDepthSlider) {
  AEffect& effect = plugin->effect();
  effect.setParameter(&effect, 2, 0.1f);
  ASSERT_TRUE(open());
  idleFor(100);
  asUser([](xtest::XServer& user) {
    user.key(0xFFE3, true);  // Control_L
    click(user, 25, 70);
    user.key(0xFFE3, false);
  });
  EXPECT_FLOAT_EQ(effect.getParameter(&effect, 2), 0.5f);
}

TEST_F(X11Editor, TypingIntoAFieldSetsItsParameter) {
  ASSERT_TRUE(open());
  idleFor(200);
  // The minimum-taps field: a click opens its edit box with the text selected.
  asUser([](xtest::XServer& user) { click(user, 115, 224); });
  idleUntil([&] { return server->childCount(server->onlyChild(parent)) == 1; });
  EXPECT_EQ(server->childCount(server->onlyChild(parent)), 1) << "no edit box";
  asUser([](xtest::XServer& user) {
    user.tap('5');
    user.tap(0xFF0D);  // Return
  });
  idleUntil([&] { return server->childCount(server->onlyChild(parent)) == 0; });
  EXPECT_FLOAT_EQ(plugin->effect().getParameter(&plugin->effect(), 13), 0.4375f);
  EXPECT_EQ(server->childCount(server->onlyChild(parent)), 0) << "the edit box stayed";
}

TEST_F(X11Editor, EscapeLeavesTheFieldAsItWas) {
  AEffect& effect = plugin->effect();
  const float before = effect.getParameter(&effect, 13);
  ASSERT_TRUE(open());
  idleFor(200);
  asUser([](xtest::XServer& user) {
    click(user, 115, 224);
    user.tap('7');
    user.tap(0xFF08);  // BackSpace
    user.tap('9');
    user.tap(0xFF1B);  // Escape
  });
  EXPECT_FLOAT_EQ(effect.getParameter(&effect, 13), before);
  EXPECT_EQ(server->childCount(server->onlyChild(parent)), 0) << "the edit box stayed";
}

TEST_F(X11Editor, TheWheelOverTheDepthSliderMovesIt) {
  ASSERT_TRUE(open());
  idleFor(100);
  AEffect& effect = plugin->effect();
  const float before = effect.getParameter(&effect, 2);
  asUser([](xtest::XServer& user) {
    user.moveTo(kLeft + 25, kTop + 70);
    user.button(4, true);
    user.button(4, false);
  });
  EXPECT_FALSE(automationOf(2).empty());
  EXPECT_NE(effect.getParameter(&effect, 2), before);
}

TEST_F(X11Editor, TheSpaceBarTapsWhenTheEditorHasTheKeyboard) {
  ASSERT_TRUE(open());
  idleFor(100);
  server->focus(server->onlyChild(parent));
  server->tap(' ');
  idleFor(100);
  const auto taps = automationOf(21);
  ASSERT_EQ(taps.size(), 1u);
  EXPECT_FLOAT_EQ(taps[0].value, 1.0f);
}

TEST_F(X11Editor, ManyOpeningsLeaveNoWindowsSharedMemoryOrClientBehind) {
  const auto before = server->clientCount();
  bool sharedMemoryUsed = false;
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(open()) << i;
    plugin->dispatch(effEditIdle);
    sharedMemoryUsed = sharedMemoryUsed || ownSharedSegments() > 0;
    plugin->dispatch(effEditClose);
  }
  EXPECT_EQ(server->childCount(parent), 0);
  EXPECT_EQ(ownSharedSegments(), 0);
  if (!sharedMemoryUsed) std::printf("note: the server took no shared memory; plain images\n");
  if (!before) GTEST_SKIP() << "the X server lacks X-Resource: clients not counted";
  // The plug-in's connection, with every window, picture and GC it held, is gone.
  EXPECT_EQ(server->clientCount(), before);
}

TEST_F(X11Editor, ClosingThePluginWithTheEditorOpenReleasesItsWindows) {
  ASSERT_TRUE(open());
  idleFor(50);
  const auto before = server->clientCount();
  plugin->close();
  EXPECT_EQ(server->childCount(parent), 0);
  if (before) {
    EXPECT_EQ(server->clientCount(), *before - 1);
  }
}

}  // namespace

namespace {

// Silent blocks on an audio thread of their own, as a host's sound card asks for them. With
// taps, a tap every 45 blocks (about half a second) lights the light and sets the beat that
// blinks it; the taps come from the audio thread, where the metronome sends its notes, so
// that the test host hears from one thread only.
class SilentAudio {
 public:
  explicit SilentAudio(AEffect& plugin, bool tapping = false)
      : effect(plugin), taps(tapping), thread([this] { run(); }) {}
  ~SilentAudio() {
    running = false;
    thread.join();
  }

 private:
  void run() {
    std::vector<float> in(512), out(512);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {out.data(), out.data()};
    for (int block = 0; running; ++block) {
      if (taps && block % 45 == 0) effect.setParameter(&effect, 21, 1.0f);
      effect.processReplacing(&effect, inputs, outputs, 512);
      std::this_thread::sleep_for(std::chrono::milliseconds(11));
    }
  }

  AEffect& effect;
  const bool taps;
  std::atomic<bool> running = true;
  std::thread thread;
};

class X11EditorLight : public X11Editor {
 protected:
  // The light's colours seen over two seconds while audio runs and the user taps.
  std::set<std::uint32_t> lightColours(bool hostIdles) {
    std::set<std::uint32_t> seen;
    SilentAudio audio(plugin->effect(), true);
    for (int i = 0; i < 100; ++i) {
      if (hostIdles) plugin->dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      // The first paint is past after a fifth of a second.
      if (i < 10) continue;
      if (auto picture = server->picture(parent, kWidth, kHeight)) {
        seen.insert(picture->pixel(kLightX, kLightY) & 0xFFFFFF);
      }
    }
    return seen;
  }

  static constexpr std::int32_t kLightX = 27;
  static constexpr std::int32_t kLightY = 224;
};

TEST_F(X11EditorLight, BlinksWhileTheHostSendsIdleCalls) {
  ASSERT_TRUE(open());
  EXPECT_GE(lightColours(true).size(), 2u);
}

TEST_F(X11EditorLight, BlinksWithoutAnyIdleCall) {
  ASSERT_TRUE(open());
  EXPECT_GE(lightColours(false).size(), 2u);
}

TEST_F(X11EditorLight, AudioKeepsRunningWhileTheEditorOpensAndCloses) {
  SilentAudio audio(plugin->effect());
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(open());
    idleFor(20);
    plugin->dispatch(effEditClose);
  }
}

}  // namespace
