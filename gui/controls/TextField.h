// A value display that holds a text instead of a number and lets the user type a new one in a
// native edit box opened exactly over it.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/controls/SharedText.h"
#include "gui/controls/ValueDisplay.h"
#include "gui/core/FocusPainting.h"
#include "gui/platform/EditBox.h"

// TextField style bit: only a double click opens the edit box.
inline constexpr std::int32_t kEditOnDoubleClick = 0x2000;

// Conversions of the field's text into the text drawn; out holds kTextBufferSize bytes.
using TextConvert = void (*)(const char* text, char* out);
using TextConvertWithData = void (*)(const char* text, char* out, std::int32_t userWord);

// Idle, the field draws like a ValueDisplay with its text in place of the value. A left
// press (or the second press of a double click with kEditOnDoubleClick) makes the field the
// frame's focus view and opens the edit box, its text all selected. Enter, a press anywhere
// in the frame, any loss of the keyboard focus or another focus view ends the edit: the box
// closes, its text becomes the field's, the listener hears valueChanged when the text
// changed, and the field's parent container (or else the frame) gets the message
// "LooseFocus". While the box is open the field draws nothing and the frame colours the box
// with the field's font and background colours. Window thread only, except setText, which
// the editor may call from any thread.
class TextField : public ValueDisplay, public FocusPainting, private platform::EditBoxClient {
 public:
  // initialText is cut to 255 characters; null counts as empty.
  TextField(const Rect& size, ControlListener* listener, std::int32_t tag, const char* initialText,
            Bitmap* background, std::int32_t style);
  // Closes an open box and gives up the frame's focus without telling anyone.
  ~TextField() override;

  void draw(DrawContext* context) override;
  void onMouseDown(DrawContext* context, Point& where) override;
  // Ends the edit; nothing when no box is open or the field is not the focus view. A null
  // context makes the listener hear of the change through a context on the frame's window.
  void focusLost(DrawContext* context) override;
  // Opens the edit box over the field (moved by the context's offset when one is given). A
  // box that cannot be made leaves the field idle and without the focus.
  void focusGained(DrawContext* context) override;
  // Leaving the frame while editing ends the edit first, as the frame's own removal does.
  void setOwnerFrame(FrameServices* newFrame) override;

  // Cut to 255 characters; marks the field for redrawing only when the text changes. Null
  // does nothing.
  virtual void setText(const char* newText);
  // Copies the text into out, which holds kTextBufferSize bytes; nothing for null.
  virtual void getText(char* out) const;
  // The conversion with data wins when both are set; its user word is the one the display's
  // formatter with data gets too.
  virtual void setEditTextConvert(TextConvertWithData convert, std::int32_t userData);
  virtual void setEditTextConvert(TextConvert convert);

  bool isEditing() const { return editBox != nullptr; }
  // The open box, or null.
  platform::EditBox* getEditBox() const { return editBox.get(); }

  // FocusPainting: the box takes the font colour on the background colour.
  bool editBoxColors(Color& text, Color& background) override;

 private:
  void editBoxDone() override;

  std::unique_ptr<platform::EditBox> editBox;
  SharedText text;
  TextConvert textConvert = nullptr;
  TextConvertWithData textConvertWithData = nullptr;
};
