// The indicator light and its timer: ticks draw the light only when the effect's light state
// changed and the about picture is not shown; the timer runs exactly while the window is open,
// and a host that idles the editor without a window or while audio runs breaks nothing.
#include <atomic>
#include <thread>

#include "gui/controls/ImageStripDisplay.h"
#include "tests/editor/TremoloEditorFixture.h"

namespace {

constexpr Color kMarker{1, 2, 3};
constexpr Point kLightCentre{27, 224};

class TremoloEditorLightTest : public TremoloEditorTest {
 protected:
  // Paints a marker over the light's centre in the window, so that a redraw shows.
  void mark() {
    tree.pixels(frame().getWindow())
        ->setPixel(kLightCentre.x, kLightCentre.y, kMarker.deviceWord());
  }
  bool lightDrawn() { return pixel(kLightCentre) != kMarker; }
};

TEST_F(TremoloEditorLightTest, ATickDrawsTheLightOnlyWhenItsStateChanged) {
  open();
  ASSERT_EQ(timers.running(), 1);
  mark();
  timers.fire();
  EXPECT_FALSE(lightDrawn()) << "the light is off and stays off";

  plugin->setParameter(21, 1.0f);  // a tap lights it
  timers.fire();
  EXPECT_TRUE(lightDrawn());
  EXPECT_EQ(child(kLightPlace)->getValue(), 1.0f);
  const Color lit = pixel(kLightCentre);

  mark();
  timers.fire();
  EXPECT_FALSE(lightDrawn()) << "no change, no drawing";

  // The running LFO puts it out again.
  for (int block = 0; block < 200 && plugin->getParameter(19) != 0.0f; ++block) plugin->run(64);
  ASSERT_EQ(plugin->getParameter(19), 0.0f);
  timers.fire();
  EXPECT_TRUE(lightDrawn());
  EXPECT_NE(pixel(kLightCentre), lit);
}

TEST_F(TremoloEditorLightTest, TheLightStaysWhileTheAboutPictureShows) {
  open();
  click(Point(20, 10));
  ASSERT_NE(frame().getModalView(), nullptr);
  plugin->setParameter(21, 1.0f);
  mark();
  timers.fire();
  EXPECT_FALSE(lightDrawn());
  EXPECT_EQ(child(kLightPlace)->getValue(), 0.0f);
}

TEST_F(TremoloEditorLightTest, TheTimerRunsExactlyWhileTheWindowIsOpen) {
  close();
  EXPECT_EQ(timers.periodsBegun(), 0) << "a close without an open gives back no period";
  const std::int32_t windowsBefore = tree.windowCount();
  for (int i = 0; i < 100; ++i) {
    open();
    EXPECT_EQ(timers.running(), 1);
    EXPECT_EQ(timers.periodsBegun(), 1);
    close();
  }
  EXPECT_EQ(timers.running(), 0);
  EXPECT_EQ(timers.periodsBegun(), 0);
  EXPECT_EQ(tree.windowCount(), windowsBefore);
  EXPECT_EQ(editor().getFrame(), nullptr);

  // A second open without a close replaces the window rather than leaving one behind.
  open();
  open();
  EXPECT_EQ(timers.running(), 1);
  EXPECT_EQ(tree.windowCount(), windowsBefore + 1);
  // The host may close the plug-in with its window open.
  plugin.reset();
  EXPECT_EQ(timers.running(), 0);
  EXPECT_EQ(timers.periodsBegun(), 0);
  EXPECT_EQ(tree.windowCount(), windowsBefore);
}

TEST_F(TremoloEditorLightTest, ARealTimerThreadTicksAndStopsBeforeTheWindowGoes) {
  timers.hold(false);
  for (int i = 0; i < 20; ++i) {
    // No paint on this thread meanwhile: the software backend's window pixels are not
    // shared between threads the way the platform's device serialises drawing.
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, hostWindow), 1);
    plugin->setParameter(21, 1.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    close();
  }
  EXPECT_EQ(timers.running(), 0);
}

TEST_F(TremoloEditorLightTest, IdleWithoutAWindowOrWhileAudioRunsBreaksNothing) {
  for (int i = 0; i < 3; ++i) idle();
  plugin->setParameter(2, 0.25f);
  idle();

  // The audio thread reaches the host too, so the window is opened without clearing its
  // record.
  const auto openWindow = [this] {
    plugin->dispatch(effEditOpen, 0, 0, hostWindow);
    tree.dispatchMessages();
  };
  openWindow();
  std::atomic<bool> done = false;
  std::thread audio([&] {
    // Automation and audio on the audio thread while the window idles and reopens.
    for (int block = 0; block < 200; ++block) {
      plugin->setParameter(2, static_cast<float>(block % 10) / 10.0f);
      plugin->run(64);
    }
    done = true;
  });
  int cycles = 0;
  while (!done) {
    idle();
    if (++cycles % 20 == 0) {
      close();
      openWindow();
    }
  }
  audio.join();
  idle();
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), plugin->getParameter(2));
}

}  // namespace
