// What the frame's window may ask of the view that holds the keyboard focus: the menu items
// that the view's popup draws itself, and the colours of the edit box it has open. A view
// offers them by deriving from this class as well as from View; the defaults leave
// everything to the platform. Called on the window's thread while the view has the focus.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

class DrawContext;

class FocusPainting {
 public:
  // Sizes the menu item whose text is text; false when the view draws no items itself.
  virtual bool measureMenuItem(const char* text, DrawContext* context, Point& size);
  // Draws the menu item into rect. stateBits: 1 checked, 2 disabled, 4 selected. False
  // when the view draws no items itself.
  virtual bool drawMenuItem(const char* text, std::int32_t command, std::int32_t stateBits,
                            DrawContext* context, const Rect& rect);
  // The text and background colours of the open edit box; false when none is open.
  virtual bool editBoxColors(Color& text, Color& background);

 protected:
  ~FocusPainting() = default;
};
