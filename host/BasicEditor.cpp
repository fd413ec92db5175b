#include "host/BasicEditor.h"

#include "base/Relaxed.h"

BasicEditor::BasicEditor(ExtendedEffect* owner)
    : effect(owner), systemWindow(nullptr), updatePending(0) {}

BasicEditor::~BasicEditor() = default;

int BasicEditor::getRect(ERect** out) {
  *out = nullptr;
  return 0;
}

int BasicEditor::open(void* window) {
  systemWindow = window;
  return 0;
}

void BasicEditor::close() {}

void BasicEditor::idle() {
  // exchange keeps a request that arrives from another thread during update().
  if (updatePending.exchange(0, std::memory_order_relaxed) != 0) update();
}

void BasicEditor::update() {}
void BasicEditor::requestUpdate() {
  setRelaxed(updatePending, 1);
}
int BasicEditor::onKeyDown(VstKeyCode&) {
  return -1;
}
int BasicEditor::onKeyUp(VstKeyCode&) {
  return -1;
}
int BasicEditor::setKnobMode(int) {
  return 0;
}
bool BasicEditor::onWheel(float) {
  return false;
}
void BasicEditor::setParameter(int, float) {
  requestUpdate();
}
