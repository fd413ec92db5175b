#include "tests/support/user/DragFixture.h"

#include <cmath>

#include "gui/platform/software/BitmapResources.h"
#include "tests/support/canvas/BmpBytes.h"
#include "tests/support/canvas/Canvas.h"

namespace {

std::int32_t nextBitmapId = 30001;

}  // namespace

void DragTest::SetUp() {
  tree.reset();
  input.reset();
  Frame::setKnobMode(0);
  const platform::WindowHandle host = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
  auto* editor = new AdoptingEditor(&effect);
  frame = new Frame(Rect(0, 0, 293, 249), host, editor);
  editor->adopt(frame);
}

void DragTest::TearDown() {
  Frame::setKnobMode(0);
  for (std::int32_t id : bitmapIds) platform::software::unregisterBitmapResource(id);
}

void DragTest::valueChanged(DrawContext* context, Control* control) {
  heard.push_back({control->getValue(), context != nullptr,
                   count(audioMasterBeginEdit) - count(audioMasterEndEdit)});
}

Bitmap* DragTest::strip(std::int32_t width, std::int32_t band,
                        std::initializer_list<Color> colors) {
  BmpLayout layout;
  layout.width = width;
  layout.height = band * static_cast<std::int32_t>(colors.size());
  for (const Color& c : colors)
    layout.pixels.insert(layout.pixels.end(), static_cast<std::size_t>(width * band), c);
  const std::int32_t id = nextBitmapId++;
  bitmapBytes.push_back(makeBmp(layout));
  platform::software::registerBitmapResource(id, bitmapBytes.back().data(),
                                             bitmapBytes.back().size());
  bitmapIds.push_back(id);
  return new Bitmap(id);
}

void DragTest::moveAt(std::uint32_t ms, Point p) {
  input.cursorAt(input.time() + ms, Point(kHostRect.left + p.x, kHostRect.top + p.y));
}

void DragTest::buttonsAt(std::uint32_t ms, std::int32_t buttons) {
  input.buttonsAt(input.time() + ms, buttons);
}

void DragTest::press(Point p, std::int32_t modifiers) {
  heard.clear();
  hostProgram.clear();
  tree.press(Point(kHostRect.left + p.x, kHostRect.top + p.y), platform::PressedButton::Left);
  input.setButtons(platform::kPhysicalLeft | modifiers);
  tree.dispatchMessages();
  // What the script still holds (a release the control never waited for) is played out,
  // so that it cannot reach into the next press.
  input.advance(1000);
  input.tickCount();
  input.setButtons(0);
}

void DragTest::click(Point p, std::int32_t modifiers) {
  buttonsAt(5, 0);
  press(p, modifiers);
}

Color DragTest::pixel(Point p) {
  tree.dispatchMessages();
  return tree.pixels(frame->getWindow())->colorAt(p.x, p.y);
}

std::vector<float> DragTest::changes() const {
  std::vector<float> out;
  for (const Heard& h : heard) {
    if (out.empty() || out.back() != h.value) out.push_back(h.value);
  }
  return out;
}

std::vector<float> DragTest::heardValues() const {
  std::vector<float> values;
  for (const Heard& h : heard) values.push_back(h.value);
  return values;
}

bool DragTest::drawnMatches(const char* name, std::int32_t width, std::int32_t height,
                            std::initializer_list<Control*> controls) {
  Canvas canvas(width, height, kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);
  for (Control* control : controls) {
    control->draw(&context);
    control->release();
  }
  return matchesGolden(*canvas.surface, name);
}

::testing::AssertionResult near(const std::vector<float>& actual, std::vector<float> expected) {
  bool same = actual.size() == expected.size();
  for (std::size_t i = 0; same && i < actual.size(); ++i) {
    same = std::fabs(actual[i] - expected[i]) <= 1e-6f;
  }
  if (same) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "heard";
  for (float v : actual) failure << " " << v;
  failure << ", expected";
  for (float v : expected) failure << " " << v;
  return failure;
}
