// Draws the entries of a popup menu itself, for a menu whose entries are owner-drawn: the
// frame passes the window's measuring and drawing requests for them to the focus view, which
// hands them on to its painter. Shared by an intrusive reference count that starts at 1.
// Used on the window's thread.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Font.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

class DrawContext;

// State bits of drawItem, as the frame forms them.
inline constexpr std::int32_t kItemChecked = 1;
inline constexpr std::int32_t kItemDisabled = 2;
inline constexpr std::int32_t kItemSelected = 4;

class MenuItemPainter {
 public:
  // Takes the menu colours of the system as they are now.
  MenuItemPainter();
  virtual ~MenuItemPainter();
  MenuItemPainter(const MenuItemPainter&) = delete;
  MenuItemPainter& operator=(const MenuItemPainter&) = delete;

  // A separator ("-") is 6 by 18 pixels; any other entry 18 high and 18 wider than its text
  // in the painter's font (which the context keeps selected afterwards).
  virtual void measureItem(const char* text, DrawContext* context, Point& size);
  // Draws the entry into rect: the background, then for a separator two lines (black over
  // white) across its middle, else the check mark (kItemChecked) and the text, greyed with
  // kItemDisabled; a tab starts a part drawn 50 pixels before the right edge. Texts longer
  // than 255 characters are cut.
  virtual void drawItem(const char* text, std::int32_t command, std::int32_t stateBits,
                        DrawContext* context, const Rect& rect);
  // Does nothing when the count is already 0 or less; the release that takes it from 1 to
  // 0 deletes the painter.
  virtual void release();
  virtual void retain();
  virtual std::int32_t referenceCount() const;
  // Fills rect with the selected or the menu background colour.
  virtual void drawItemBackground(DrawContext* context, const Rect& rect, bool selected);

 protected:
  std::int32_t refCount = 1;
  Color background;
  Color selectedBackground;
  Color textColor;
  Color selectedTextColor;
  Color disabledTextColor;
  FontId fontId = kFontArial11;
};
