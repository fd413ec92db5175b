// The editor's own text display: a filled, outlined box with one centred line of text that
// shows the depth, the multiplier or the softness beside their sliders, and reports files
// dropped onto it.
#pragma once

#include <cstdint>

#include "gui/controls/SharedText.h"
#include "gui/controls/ValueDisplay.h"

// Of the display settings only the font id, the font colour (text and outline) and the
// background colour (fill) take part in drawing. No listener, tag 0, no mouse presses.
// Window thread only, except setText, which the editor may call from any thread.
class DropInfoDisplay : public ValueDisplay {
 public:
  // text may be null (an empty text).
  DropInfoDisplay(const Rect& size, const char* text);
  ~DropInfoDisplay() override;

  // Leaves the changed mark for update to clear.
  void draw(DrawContext* context) override;
  // A drop of files shows "<count> : <first path> at <x within the box>", cut to 255
  // characters; text and empty drops change nothing. Always true: the drop is taken.
  bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                   Point& where) override;

  // Replaces the text (cut to 255 characters) unless newText is null; marks the display for
  // redrawing in every case.
  void setText(const char* newText);
  // Copies the text into out, which holds kTextBufferSize bytes.
  void getText(char* out) const { text.copyTo(out); }

 private:
  SharedText text;
};
