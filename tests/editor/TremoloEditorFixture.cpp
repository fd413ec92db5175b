#include "tests/editor/TremoloEditorFixture.h"

TremoloEditorTest::TremoloEditorTest() {
  tree.reset();
  input.reset();
  timers.hold(true);
  Frame::setKnobMode(0);
  hostWindow = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
  plugin = std::make_unique<Instance>();
}

TremoloEditorTest::~TremoloEditorTest() {
  plugin.reset();
  timers.hold(false);
  tree.reset();
  input.reset();
}

void TremoloEditorTest::open() {
  ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, hostWindow), 1);
  ASSERT_NE(frame().getWindow(), nullptr);
  tree.dispatchMessages();
  plugin->host.clear();
}

void TremoloEditorTest::moveAt(std::uint32_t ms, Point p) {
  input.cursorAt(input.time() + ms, Point(kHostRect.left + p.x, kHostRect.top + p.y));
}

void TremoloEditorTest::buttonsAt(std::uint32_t ms, std::int32_t buttons) {
  input.buttonsAt(input.time() + ms, buttons);
}

void TremoloEditorTest::press(Point p, std::int32_t modifiers) {
  tree.press(Point(kHostRect.left + p.x, kHostRect.top + p.y), platform::PressedButton::Left);
  input.setButtons(platform::kPhysicalLeft | modifiers);
  tree.dispatchMessages();
  // What the script still holds is played out, so that it cannot reach into the next press.
  input.advance(1000);
  input.tickCount();
  input.setButtons(0);
}

void TremoloEditorTest::typeInto(Point p, const char* text) {
  click(p);
  tree.type(text);
  tree.pressKey(platform::software::kKeyEnter);
  tree.dispatchMessages();
}

std::vector<HostCall> TremoloEditorTest::callsOf(int32 opcode) const {
  std::vector<HostCall> found;
  for (const HostCall& call : plugin->host.calls) {
    if (call.opcode == opcode) found.push_back(call);
  }
  return found;
}

Color TremoloEditorTest::pixel(Point p) {
  tree.dispatchMessages();
  return tree.pixels(frame().getWindow())->colorAt(p.x, p.y);
}
