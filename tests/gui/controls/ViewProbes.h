// Test doubles for the view tests: a frame that records what views ask of it, and a view
// that logs what reaches it and paints its rectangle in one colour.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/core/DrawContext.h"
#include "gui/core/FrameServices.h"
#include "gui/core/View.h"

class FakeFrame : public FrameServices {
 public:
  Rect frameSize() const override { return Rect(0, 0, 100, 100); }
  void frameIdle() override {}
  void drawView(View* view) override { drawn.push_back(view); }
  void getPointerInFrame(Point& out) override { out = cursor; }
  EditorLink* getOwnerEditor() const override { return editor; }

  std::vector<View*> drawn;
  Point cursor;
  EditorLink* editor = nullptr;
};

class ProbeView : public View {
 public:
  // Views die only through release, so tests learn of the death through a flag.
  ProbeView(const Rect& bounds, std::string probeName, std::vector<std::string>* probeLog = nullptr,
            bool* destroyedFlag = nullptr)
      : View(bounds), name(std::move(probeName)), log(probeLog), destroyed(destroyedFlag) {}
  ~ProbeView() override {
    if (destroyed) *destroyed = true;
  }

  void draw(DrawContext* context) override {
    note("draw");
    if (hook) hook();
    if (paints) {
      context->setFillColor(color);
      context->fillRect(Rect(size.left - 1, size.top - 1, size.right, size.bottom));
    }
    setDirty(false);
  }
  void onMouseDown(DrawContext*, Point& where) override {
    note("mouse");
    lastPoint = where;
    if (hook) hook();
  }
  std::int32_t onKeyDown(const KeyCode&) override {
    note("key");
    if (hook) hook();
    return keyAnswer;
  }
  bool onDropItems(const char* const*, std::int32_t, std::int32_t, Point& where) override {
    note("drop");
    lastPoint = where;
    return takesDrop;
  }
  bool onWheel(DrawContext*, const Point& where, float) override {
    note("wheel");
    lastPoint = where;
    return true;
  }
  bool onAttached(View*) override {
    note("attached");
    return true;
  }
  bool onDetached(View*) override {
    note("detached");
    return true;
  }

  Color color = kRed;
  bool paints = true;
  std::int32_t keyAnswer = -1;
  bool takesDrop = true;
  Point lastPoint{-1, -1};
  // Runs inside draw, onMouseDown and onKeyDown.
  std::function<void()> hook;

 private:
  void note(const char* what) {
    if (log) log->push_back(name + " " + what);
  }

  std::string name;
  std::vector<std::string>* log;
  bool* destroyed;
};
