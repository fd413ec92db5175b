// Value displays, image strips, digit displays, animation strips and level meters: their
// texts, styles, picked images and pictures.
#include <cstdio>
#include <limits>

#include "editor/DropInfoDisplay.h"
#include "gui/controls/AnimationDisplay.h"
#include "gui/controls/DigitDisplay.h"
#include "gui/controls/ImageStripDisplay.h"
#include "gui/controls/LevelMeter.h"
#include "gui/controls/SplashPanel.h"
#include "gui/controls/ValueDisplay.h"
#include "tests/support/canvas/Canvas.h"
#include "tests/support/user/DragFixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class DisplayTest : public DragTest {
 protected:
  // The pixels of a display drawn alone on a grey canvas.
  static std::string drawn(Control* control, std::int32_t width = 60, std::int32_t height = 20) {
    Canvas canvas(width, height, kGrey);
    DrawContext context(nullptr, &canvas.device, nullptr);
    control->draw(&context);
    return canvas.art({{kWhite, 'w'}, {kBlack, 'k'}, {kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}});
  }
  // A display showing text written by a formatter, for comparison with formatted values.
  static ValueDisplay* showing(const char* text) {
    static const char* wanted = nullptr;
    wanted = text;
    auto* display = new ValueDisplay(Rect(0, 0, 59, 19));
    display->setFormatter(
        [](float, char* out) { std::snprintf(out, kTextBufferSize, "%s", wanted); });
    return display;
  }
  static std::string drawnText(const char* text) {
    ValueDisplay* display = showing(text);
    std::string picture = drawn(display);
    display->release();
    return picture;
  }
  static std::string drawnValue(float value) {
    auto* display = new ValueDisplay(Rect(0, 0, 59, 19));
    display->setValue(value);
    std::string picture = drawn(display);
    display->release();
    return picture;
  }
};

TEST_F(DisplayTest, ValueWithoutFormatterReadsWithTwoDecimals) {
  EXPECT_EQ(drawnValue(0.5f), drawnText("0.50"));
  EXPECT_EQ(drawnValue(12.5f), drawnText("12.50"));
  EXPECT_EQ(drawnValue(-kNaN), drawnText("nan"));
  EXPECT_EQ(drawnValue(std::numeric_limits<float>::infinity()), drawnText("inf"));
  EXPECT_EQ(drawnValue(-std::numeric_limits<float>::infinity()), drawnText("-inf"));
  // The largest float has 39 digits before the point and still fits the text buffer.
  EXPECT_EQ(drawnValue(std::numeric_limits<float>::max()),
            drawnText("340282346638528859811704183484516925440.00"));
  // The formatter with data wins and gets its word.
  auto* display = new ValueDisplay(Rect(0, 0, 59, 19));
  display->setFormatter([](float, char* out) { std::snprintf(out, kTextBufferSize, "plain"); });
  display->setFormatterWithData(
      [](float v, char* out, std::int32_t word) {
        std::snprintf(out, kTextBufferSize, "%d:%g", static_cast<int>(word), v);
      },
      7);
  display->setValue(2.0f);
  EXPECT_EQ(drawn(display), drawnText("7:2"));
  display->release();
}

TEST_F(DisplayTest, NoDrawingStyleNeverPaintsAndNoTextStylePaintsOnlyTheBox) {
  auto* hidden = new ValueDisplay(Rect(0, 0, 59, 19), nullptr, kNoDrawing);
  EXPECT_FALSE(hidden->isDirty());
  hidden->setValue(3.0f);
  Canvas canvas(60, 20, kGrey);
  {
    DrawContext context(nullptr, &canvas.device, nullptr);
    hidden->draw(&context);
  }
  EXPECT_EQ(canvas.count(kGrey), 60 * 20);
  EXPECT_FALSE(hidden->isDirty());
  hidden->release();

  auto* boxOnly = new ValueDisplay(Rect(0, 0, 59, 19), nullptr, kNoText);
  boxOnly->setFrameColor(kRed);
  boxOnly->setValue(88.0f);
  const std::string picture = drawn(boxOnly);
  boxOnly->release();
  // A red outline around black, nothing white (the font colour) anywhere.
  EXPECT_EQ(picture.find('w'), std::string::npos);
  EXPECT_EQ(picture.substr(0, 61), std::string(60, 'r') + "\n");
  EXPECT_EQ(picture[61 * 5 + 10], 'k');
}

TEST_F(DisplayTest, SettersMarkTheDisplayOnlyForARealChange) {
  auto* display = add(new ValueDisplay(Rect(10, 10, 60, 30)));
  ASSERT_FALSE(display->isDirty());
  display->setFontColor(Color(255, 255, 255, 9));
  display->setBackColor(kBlack);
  display->setFrameColor(Color(0, 0, 0, 200));
  display->setShadowColor(kRed);
  display->setFont(kFontArial12);
  display->setTextAlignment(kTextCenter);
  display->setStyle(0);
  display->setTextFace(0);
  EXPECT_FALSE(display->isDirty());
  display->setShadowColor(Color(255, 0, 1));
  EXPECT_TRUE(display->isDirty());
  frame->idleUpdate();
  display->setTextFace(kStyleBold);
  EXPECT_TRUE(display->isDirty());
}

TEST_F(DisplayTest, ImageStripPicksImagesByHalvesAndStoresBigValuesBack) {
  Bitmap* images = strip(10, 5, {kRed, kGreen});
  auto* light = new ImageStripDisplay(Rect(0, 0, 10, 5), nullptr, 0, 2, 5, images, Point());
  const std::pair<float, char> picks[] = {{0.0f, 'r'},  {0.499f, 'r'}, {0.5f, 'g'}, {1.0f, 'g'},
                                          {-2.0f, 'r'}, {kNaN, 'r'},   {3.0f, 'g'}};
  for (const auto& [value, color] : picks) {
    light->setValue(value);
    EXPECT_EQ(drawn(light, 10, 5)[0], color) << value;
  }
  // 3.0 was stored back as 1.0 by the draw.
  EXPECT_EQ(light->getValue(), 1.0f);
  EXPECT_FALSE(light->isDirty());
  light->release();
  // A strip that claims more images than the bitmap has stays within its own count.
  auto* wild = new ImageStripDisplay(Rect(0, 0, 10, 5), nullptr, 0,
                                     std::numeric_limits<std::int32_t>::max(), 5, images, Point());
  wild->setValue(1.0f);
  drawn(wild, 10, 5);
  wild->release();
  images->release();
}

TEST_F(DisplayTest, DigitDisplayShowsItsRangeWithLeadingZeros) {
  // Digit images 0 to 9, each 2 by 2 pixels of its own grey (10 × d + 5).
  Bitmap* strip10 = strip(2, 2,
                          {Color(5, 5, 5), Color(15, 15, 15), Color(25, 25, 25), Color(35, 35, 35),
                           Color(45, 45, 45), Color(55, 55, 55), Color(65, 65, 65),
                           Color(75, 75, 75), Color(85, 85, 85), Color(95, 95, 95)});
  const std::int32_t xs[] = {0, 3, 6};
  const std::int32_t ys[] = {0, 0, 0};
  auto* counter = new DigitDisplay(Rect(0, 0, 8, 2), nullptr, 0, 7, 3, xs, ys, 2, 2, strip10);
  EXPECT_EQ(counter->getMaximum(), 999.0f);
  const auto shown = [&](float value) {
    counter->setValue(value);
    Canvas canvas(9, 2, kGrey);
    DrawContext context(nullptr, &canvas.device, nullptr);
    counter->draw(&context);
    std::string out;
    for (std::int32_t x : xs) out += static_cast<char>('0' + (canvas.at(x, 0).red - 5) / 10);
    return out;
  };
  EXPECT_EQ(shown(7.0f), "007");
  EXPECT_EQ(shown(1234.0f), "999");
  EXPECT_EQ(shown(999.9f), "999");
  EXPECT_EQ(shown(-5.0f), "000");
  EXPECT_EQ(shown(kNaN), "000");
  EXPECT_EQ(shown(-1e30f), "000");
  EXPECT_EQ(shown(std::numeric_limits<float>::infinity()), "999");
  counter->setMaximum(kNaN);
  EXPECT_EQ(shown(42.0f), "000");
  counter->setMaximum(500.0f);
  EXPECT_EQ(shown(777.0f), "500");
  EXPECT_FLOAT_EQ(counter->normalizedValue(), 1.0f);
  counter->setValue(250.0f);
  EXPECT_FLOAT_EQ(counter->normalizedValue(), 0.5f);
  counter->release();
  // More than seven digits are seven; missing positions are 0.
  auto* wide =
      new DigitDisplay(Rect(0, 0, 8, 2), nullptr, 0, 1, 12, nullptr, nullptr, 2, 2, strip10);
  EXPECT_EQ(wide->getMaximum(), 9999999.0f);
  drawn(wide, 9, 2);
  wide->release();
  strip10->release();
}

TEST_F(DisplayTest, AnimationStripOpensStepsThroughEveryFrameAndCloses) {
  Bitmap* frames = strip(4, 3, {kRed, kGreen, kBlue});
  const Color under = pixel(Point(11, 11));
  auto* animation = add(new AnimationDisplay(Rect(10, 10, 14, 13), this, 5, 3, 3, frames, Point()));
  frames->release();
  // Closed: nothing drawn.
  EXPECT_EQ(pixel(Point(11, 11)), under);
  std::vector<float> offsets;
  for (int i = 0; i < 4; ++i) {
    animation->stepForward();
    offsets.push_back(animation->getValue());
  }
  EXPECT_TRUE(near(offsets, {3.0f, 6.0f, 0.0f, 3.0f}));
  offsets.clear();
  for (int i = 0; i < 3; ++i) {
    animation->stepBack();
    offsets.push_back(animation->getValue());
  }
  EXPECT_TRUE(near(offsets, {0.0f, 6.0f, 3.0f}));

  // A press opens the strip at its first frame and tells the listener.
  click(Point(11, 11));
  EXPECT_TRUE(animation->isOpen());
  EXPECT_TRUE(near(heardValues(), {0.0f}));
  animation->stepForward();
  animation->stepForward();
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(11, 11)), kBlue);
  // The next press draws the first frame and closes, telling nobody.
  click(Point(11, 11));
  EXPECT_FALSE(animation->isOpen());
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(pixel(Point(11, 11)), kRed);
  // Far offsets stay within the strip.
  animation->openStrip();
  animation->setValue(1e30f);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(11, 11)), kBlue);
}

TEST_F(DisplayTest, LevelMeterFallsOneStepPerRedrawUntilItReachesTheValue) {
  Bitmap* on = strip(4, 10, {kGreen});
  Bitmap* off = strip(4, 10, {kRed});
  auto* meter = new LevelMeter(Rect(20, 20, 24, 30), on, off, 10, 0);
  on->release();
  off->release();
  // Shown 1.0 at first: the first paint and the idle redraw that add runs show 0.9 and 0.8,
  // then the shown level falls to 0.7 and stops at the value.
  meter->setValue(0.62f);
  add(meter);
  std::vector<std::int32_t> lit;
  for (int i = 0; i < 3; ++i) {
    frame->idleUpdate();
    std::int32_t n = 0;
    for (std::int32_t y = 20; y < 30; ++y) n += pixel(Point(21, y)) == kGreen ? 1 : 0;
    lit.push_back(n);
  }
  EXPECT_EQ(lit, (std::vector<std::int32_t>{7, 6, 6}));
  EXPECT_FALSE(meter->isDirty());
  // A rise shows at once; a step that is not a number shows the value.
  meter->setFallStep(kNaN);
  meter->setValue(1.0f);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(21, 20)), kGreen);
  meter->setValue(0.0f);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(21, 29)), kRed);
  EXPECT_FALSE(meter->isDirty());
}

TEST_F(DisplayTest, HorizontalMeterAndMeterWithoutSegmentsStayInside) {
  Bitmap* on = strip(10, 4, {kGreen});
  Bitmap* off = strip(10, 4, {kRed});
  auto* meter = new LevelMeter(Rect(0, 0, 10, 4), on, off, 5, kMeterHorizontal);
  meter->setValue(0.4f);
  meter->setShownValue(0.4f);
  EXPECT_EQ(drawn(meter, 10, 4).substr(0, 11), "ggggrrrrrr\n");
  meter->release();
  auto* none = new LevelMeter(Rect(0, 0, 10, 4), on, nullptr, 0, kMeterHorizontal);
  none->setValue(kNaN);
  drawn(none, 10, 4);
  none->release();
  on->release();
  off->release();
}

TEST_F(DisplayTest, DisplaysMatchTheirPictures) {
  Bitmap* back = strip(40, 16, {kDarkBlue});
  auto* plain = new ValueDisplay(Rect(2, 2, 42, 18));
  plain->setValue(0.5f);
  plain->setFrameColor(kWhite);
  auto* in3D = new ValueDisplay(Rect(2, 22, 42, 38), nullptr, k3DIn);
  in3D->setFrameColor(kWhite);
  in3D->setBackColor(kGrey);
  in3D->setTextAlignment(kTextLeft);
  in3D->setValue(1.0f);
  auto* out3D = new ValueDisplay(Rect(2, 42, 42, 58), nullptr, k3DOut | kShadowText);
  out3D->setFrameColor(kWhite);
  out3D->setFontColor(kYellow);
  out3D->setTextAlignment(kTextRight);
  out3D->setValue(2.25f);
  auto* onBitmap = new ValueDisplay(Rect(2, 62, 42, 78), back, 0);
  onBitmap->setTextTransparent(false);
  onBitmap->setBackColor(kOrange);
  onBitmap->setValue(-3.0f);
  back->release();
  EXPECT_TRUE(drawnMatches("displays", 44, 80, {plain, in3D, out3D, onBitmap}));
}

TEST_F(DisplayTest, ImageDisplaysMatchTheirPictures) {
  Bitmap* images = strip(8, 4, {kRed, kGreen, kBlue, kYellow});
  auto* light = new ImageStripDisplay(Rect(2, 2, 10, 6), nullptr, 0, 4, 4, images, Point());
  light->setValue(0.7f);
  const std::int32_t xs[] = {14, 23, 32};
  const std::int32_t ys[] = {2, 2, 2};
  auto* digits = new DigitDisplay(Rect(14, 2, 40, 6), nullptr, 0, 302, 3, xs, ys, 8, 4, images);
  auto* animation = new AnimationDisplay(Rect(2, 10, 10, 14), nullptr, 0, 4, 4, images, Point());
  animation->openStrip();
  animation->stepForward();
  auto* vertical = new LevelMeter(Rect(14, 10, 22, 26), images, nullptr, 4, 0);
  vertical->setValue(0.5f);
  vertical->setShownValue(0.5f);
  auto* horizontal = new LevelMeter(Rect(26, 10, 34, 14), images, images, 2, kMeterHorizontal);
  horizontal->setValue(0.5f);
  horizontal->setShownValue(0.5f);
  auto* about = new SplashPanel(Rect(0, 0, 1, 1), nullptr, 0, images, Rect(), Point(0, 4));
  about->setValue(1.0f);
  about->setBounds(Rect(2, 18, 10, 26));
  images->release();
  auto* depth = new DropInfoDisplay(Rect(2, 30, 40, 42), "-6.0dB");
  depth->setFont(kFontArial10);
  depth->setBackColor(kGrey);
  EXPECT_TRUE(drawnMatches("image-displays", 42, 44,
                           {light, digits, animation, vertical, horizontal, about, depth}));
}

}  // namespace
