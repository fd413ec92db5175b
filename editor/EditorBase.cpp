#include "editor/EditorBase.h"

#include <cstring>

#include "gui/core/Frame.h"
#include "gui/platform/Input.h"
#include "gui/platform/WindowService.h"
#include "host/ExtendedEffect.h"

namespace {

// A full idle cycle runs at most this often during a drag.
constexpr std::uint32_t kIdlePeriod = 10;
// A call this close to the next cycle runs it early rather than sleep again.
constexpr std::int32_t kEarlyStart = 5;

// The tick clock wraps every 49.7 days; signed distances keep the order of nearby times
// across the wrap.
std::int32_t ticksBetween(std::uint32_t from, std::uint32_t to) {
  return static_cast<std::int32_t>(to - from);
}

// The toolkit's keys carry the host's codes: a copy of the fields.
static_assert(kKeyLeft == VKEY_LEFT && kKeyUp == VKEY_UP && kKeyRight == VKEY_RIGHT &&
              kKeyDown == VKEY_DOWN);
static_assert(kModifierShift == MODIFIER_SHIFT && kModifierAlternate == MODIFIER_ALTERNATE &&
              kModifierCommand == MODIFIER_COMMAND && kModifierControl == MODIFIER_CONTROL);

KeyCode toolkitKey(const VstKeyCode& key) {
  return KeyCode{key.character, key.virt, key.modifier};
}

}  // namespace

EditorBase::EditorBase(ExtendedEffect* owner) : BasicEditor(owner) {
  if (owner) owner->setEditor(this);
  systemWindow = nullptr;
  nextIdleTick = getTicks();
  platform::windows().oleInitialize();
}

EditorBase::~EditorBase() {
  // The frame's window would otherwise outlive the editor that its frame calls.
  delete frame;
  frame = nullptr;
  platform::windows().oleUninitialize();
}

int EditorBase::getRect(ERect** out) {
  *out = &rectangle;
  return 1;
}

int EditorBase::open(void* window) {
  requestUpdate();
  return BasicEditor::open(window);
}

void EditorBase::idle() {
  if (inIdle) return;
  BasicEditor::idle();
  if (frame) frame->idleUpdate();
}

int EditorBase::onKeyDown(VstKeyCode& key) {
  return frame ? frame->onKeyDown(toolkitKey(key)) : -1;
}

int EditorBase::onKeyUp(VstKeyCode& key) {
  return frame ? frame->onKeyUp(toolkitKey(key)) : -1;
}

int EditorBase::setKnobMode(int mode) {
  Frame::setKnobMode(mode);
  return 1;
}

bool EditorBase::onWheel(float distance) {
  return frame ? frame->onWheel(nullptr, Point(0, 0), distance) : false;
}

void EditorBase::redrawAll() {
  if (frame) frame->drawView(nullptr);
}

void EditorBase::pumpIdle() {
  std::uint32_t now = getTicks();
  if (ticksBetween(nextIdleTick, now) < 0) {
    platform::windows().sleep(1);
    now += 1;
    if (ticksBetween(nextIdleTick, now) < -kEarlyStart) return;
  }
  idle();
  platform::windows().dispatchOnePaintMessage();
  nextIdleTick = now + kIdlePeriod;
  // A host may answer its idle request by sending the editor's idle at once; the guard
  // turns that nested call into nothing.
  inIdle = true;
  if (effect) effect->hostIdle();
  inIdle = false;
}

std::uint32_t EditorBase::getTicks() const {
  return platform::input().tickCount();
}

void EditorBase::beginEdit(std::int32_t index) {
  if (effect) effect->beginEdit(index);
}

void EditorBase::endEdit(std::int32_t index) {
  if (effect) effect->endEdit(index);
}

bool EditorBase::requestWindowSize(std::int32_t width, std::int32_t height) {
  return effect && effect->canHostDo("sizeWindow") > 0 && effect->requestWindowSize(width, height);
}

platform::WindowHandle EditorBase::openHostWindow(const WindowRecord& record) {
  if (!effect) return nullptr;
  std::memcpy(hostWindow.title, record.title, sizeof hostWindow.title);
  hostWindow.title[sizeof hostWindow.title - 1] = '\0';
  hostWindow.xPos = record.x;
  hostWindow.yPos = record.y;
  hostWindow.width = record.width;
  hostWindow.height = record.height;
  hostWindow.style = record.style;
  return effect->openHostWindow(&hostWindow);
}

bool EditorBase::closeHostWindow(const WindowRecord&) {
  return effect && effect->closeHostWindow(&hostWindow);
}
