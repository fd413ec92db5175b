#include "gui/controls/ChoiceMenu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "gui/controls/MenuItemPainter.h"
#include "gui/core/Bitmap.h"
#include "gui/core/Frame.h"
#include "gui/platform/PopupMenu.h"
#include "gui/platform/Window.h"

namespace {

// Indices are signed and checked against the counts; the arrays take them as sizes.
constexpr std::size_t slot(std::int32_t index) {
  return static_cast<std::size_t>(index);
}

constexpr std::int32_t kEntryGrowth = 32;
constexpr std::int32_t kSubmenuGrowth = 10;
// Long lists are left in one column: the platform's menus scroll instead.
constexpr std::int32_t kColumnsBelow = 160;

bool isSeparator(const char* text) {
  return std::strcmp(text, "-") == 0;
}

bool startsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Separators and titles are not counted where entries are counted as choices.
bool countsAsChoice(const char* text) {
  return !isSeparator(text) && !startsWith(text, "-T");
}

// The printf format of a number put before an entry, or null without numbering.
const char* numberFormat(std::int32_t numbering) {
  switch (numbering) {
    case 2:
      return "%1d %s";
    case 3:
      return "%02d %s";
    case 4:
      return "%03d %s";
    default:
      return nullptr;
  }
}

const char* submenuNumberFormat(std::int32_t numbering) {
  switch (numbering) {
    case 2:
      return "-M%1d %s";
    case 3:
      return "-M%02d %s";
    case 4:
      return "-M%03d %s";
    default:
      return nullptr;
  }
}

void copyCut(char* out, const char* text) {
  std::snprintf(out, kTextBufferSize, "%s", text ? text : "");
}

std::int32_t saturated(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

ChoiceMenu::ChoiceMenu(const Rect& bounds, ControlListener* menuListener, std::int32_t menuTag,
                       Bitmap* background, Bitmap* openPicture, std::int32_t menuStyle)
    : ValueDisplay(bounds, background, menuStyle), openBackground(openPicture) {
  listener = menuListener;
  tag = menuTag;
  if (openBackground) openBackground->retain();
}

ChoiceMenu::~ChoiceMenu() {
  removeAllEntries();
  if (openBackground) openBackground->release();
  if (itemPainter) itemPainter->release();
}

void ChoiceMenu::draw(DrawContext* context) {
  if (selected < 0 || selected >= entryCount) {
    drawLabel(context, nullptr, nullptr);
    return;
  }
  const char* text = entryTexts[slot(selected)]->text;
  // The number that numbering put in front is not shown; a text replaced since may be
  // shorter than the number was.
  if (numberFormat(numbering)) {
    text += std::min(static_cast<std::size_t>(numbering), std::strlen(text));
  }
  drawLabel(context, text, nullptr);
}

void ChoiceMenu::onMouseDown(DrawContext* context, Point&) {
  Frame* owner = ownerFrame();
  if (!isMouseActive() || !owner || !context) return;
  lastButtons = context->getMouseButtons();
  if ((lastButtons & (kButtonLeft | kButtonRight)) == 0) return;
  if (openBackground) {
    char text[kTextBufferSize] = "";
    if (selected >= 0 && selected < entryCount) copyCut(text, entryTexts[slot(selected)]->text);
    drawLabel(context, selected >= 0 ? text : nullptr, openBackground);
  }
  owner->setFocusView(this);
  focusGained(context);
}

void ChoiceMenu::focusLost(DrawContext*) {
  popupHandle = nullptr;
}

void ChoiceMenu::focusGained(DrawContext* context) {
  Frame* owner = ownerFrame();
  if (!owner || popupHandle) return;
  lastCommand = -1;
  lastChosenMenu = nullptr;
  Point origin;
  Rect screen;
  if (context) {
    platform::Window* window = context->getWindowHandle();
    if (window && window->screenRect(screen)) origin = Point(screen.left, screen.top);
    origin = Point(saturated(std::int64_t{origin.x} + context->getOffset().x),
                   saturated(std::int64_t{origin.y} + context->getOffset().y));
  } else if (platform::windows().screenRect(owner->getWindow(), screen)) {
    origin = Point(screen.left, screen.top);
  }
  // The host may close the editor, or a listener drop the menu, while the popup waits; the
  // menu stays alive until it is done.
  retain();
  std::int32_t counter = 0;
  std::unique_ptr<platform::PopupMenu> popup = buildPopup(counter);
  if (popup) {
    const std::int32_t edge = (style & kChoicePopupAtTop) ? size.top : size.bottom;
    const Point at(saturated(std::int64_t{size.left} + origin.x),
                   saturated(std::int64_t{edge} + origin.y));
    lastCommand = popup->track(owner->getWindow(), at, (lastButtons & kButtonRight) != 0);
  }
  popup.reset();
  forgetPopups();
  owner = ownerFrame();
  if (owner && owner->getFocusView() == this) owner->setFocusView(nullptr);
  if (owner && (lastCommand >= 0 || openBackground)) {
    // Drawn again with the normal background.
    if (openBackground) setDirty(true);
    std::int32_t base = 0;
    std::int32_t index = -1;
    ChoiceMenu* holder = lastCommand >= 0 ? findCommand(lastCommand, base, index) : nullptr;
    if (holder) {
      lastChosenMenu = holder;
      holder->setValue(static_cast<float>(index));
      tellListener(context, holder);
    }
  }
  release();
}

void ChoiceMenu::tellListener(DrawContext* context, ChoiceMenu* holder) {
  if (!listener) return;
  if (context) {
    listener->valueChanged(context, holder);
    return;
  }
  Frame* owner = ownerFrame();
  const platform::WindowHandle window = owner->getWindow();
  std::unique_ptr<platform::WindowDevice> fetched =
      window ? platform::windows().fetchDevice(window) : nullptr;
  platform::WindowRef ref(window);
  DrawContext temporary(owner, fetched ? &fetched->device() : nullptr, &ref);
  listener->valueChanged(&temporary, holder);
}

void ChoiceMenu::setValue(float newValue) {
  // Compared before the conversion, so that no value (NaN or far out) converts out of range.
  if (!(newValue > -1.0f && newValue < static_cast<float>(entryCount))) return;
  const std::int32_t index = static_cast<std::int32_t>(newValue);
  selected = index;
  if (style & kChoiceMultipleCheck) checkMarks[slot(index)] = checkMarks[slot(index)] ? 0 : 1;
  ValueDisplay::setValue(newValue);
  setDirty(true);
}

bool ChoiceMenu::growEntries() {
  const std::int32_t capacity = entryCapacity + kEntryGrowth;
  std::unique_ptr<std::unique_ptr<EntryText>[]> texts(
      new (std::nothrow) std::unique_ptr<EntryText>[slot(capacity)]);
  std::unique_ptr<std::uint8_t[]> checks(new (std::nothrow) std::uint8_t[slot(capacity)]());
  if (!texts || !checks) return false;
  for (std::int32_t i = 0; i < entryCount; ++i) {
    texts[slot(i)] = std::move(entryTexts[slot(i)]);
    checks[slot(i)] = checkMarks[slot(i)];
  }
  entryTexts = std::move(texts);
  checkMarks = std::move(checks);
  entryCapacity = capacity;
  return true;
}

bool ChoiceMenu::growSubmenus() {
  const std::int32_t capacity = submenuCapacity + kSubmenuGrowth;
  std::unique_ptr<ChoiceMenu*[]> menus(new (std::nothrow) ChoiceMenu*[slot(capacity)]());
  if (!menus) return false;
  std::copy(submenus.get(), submenus.get() + submenuCount, menus.get());
  submenus = std::move(menus);
  submenuCapacity = capacity;
  return true;
}

bool ChoiceMenu::insertEntry(const char* text, std::int32_t index) {
  if (entryCount >= kMaxChoiceEntries) return false;
  if (entryCount >= entryCapacity && !growEntries()) return false;
  std::unique_ptr<EntryText> buffer(new (std::nothrow) EntryText);
  if (!buffer) return false;
  const std::int32_t position = index >= 0 ? std::min(index, entryCount) : entryCount;
  // The entries from position on move one slot down, with their check marks.
  for (std::int32_t i = entryCount; i > position; --i) {
    entryTexts[slot(i)] = std::move(entryTexts[slot(i - 1)]);
    checkMarks[slot(i)] = checkMarks[slot(i - 1)];
  }
  checkMarks[slot(position)] = 0;
  if (index >= 0 && selected >= position) ++selected;
  if (text) {
    if (const char* format = numberFormat(numbering)) {
      // The number is the entry's place in the list, counted from 1.
      std::snprintf(buffer->text, kTextBufferSize, format, position + 1, text);
    } else {
      copyCut(buffer->text, text);
    }
  }
  entryTexts[slot(position)] = std::move(buffer);
  ++entryCount;
  if (selected < 0) selected = 0;
  return true;
}

bool ChoiceMenu::holds(const ChoiceMenu* menu) const {
  for (std::int32_t i = 0; i < submenuCount; ++i) {
    if (submenus[slot(i)] == menu || submenus[slot(i)]->holds(menu)) return true;
  }
  return false;
}

bool ChoiceMenu::appendSubmenu(ChoiceMenu* submenu, const char* title) {
  if (!submenu || !title || entryCount >= kMaxChoiceEntries) return false;
  // A menu inside itself would open without end.
  if (submenu == this || submenu->holds(this)) return false;
  if (entryCount >= entryCapacity && !growEntries()) return false;
  if (submenuCount >= submenuCapacity && !growSubmenus()) return false;
  std::unique_ptr<EntryText> buffer(new (std::nothrow) EntryText);
  if (!buffer) return false;
  if (const char* format = submenuNumberFormat(numbering)) {
    std::snprintf(buffer->text, kTextBufferSize, format, entryCount + 1, title);
  } else {
    std::snprintf(buffer->text, kTextBufferSize, "-M%s", title);
  }
  entryTexts[slot(entryCount)] = std::move(buffer);
  checkMarks[slot(entryCount)] = 0;
  ++entryCount;
  submenus[slot(submenuCount++)] = submenu;
  submenu->retain();
  return true;
}

std::int32_t ChoiceMenu::choosableBefore(std::int32_t index) const {
  std::int32_t count = 0;
  for (std::int32_t i = 0; i < index; ++i) {
    if (countsAsChoice(entryTexts[slot(i)]->text)) ++count;
  }
  return count;
}

std::int32_t ChoiceMenu::getSelection(char* textOut, bool countAll) {
  if (selected < 0 || selected >= entryCount) return -1;
  if (textOut) copyCut(textOut, entryTexts[slot(selected)]->text);
  return countAll ? selected : choosableBefore(selected);
}

bool ChoiceMenu::selectEntry(std::int32_t index, bool countAll) {
  if (index < 0 || index >= entryCount) return false;
  if (countAll) {
    if (isSeparator(entryTexts[slot(index)]->text)) return false;
    selected = index;
  } else {
    selected = entryCount - 1;
    std::int32_t seen = 0;
    for (std::int32_t i = 0; i < entryCount; ++i) {
      if (!countsAsChoice(entryTexts[slot(i)]->text)) continue;
      if (seen++ == index) {
        selected = i;
        break;
      }
    }
  }
  setDirty(true);
  return true;
}

bool ChoiceMenu::getEntryText(std::int32_t index, char* out) {
  if (index < 0 || index >= entryCount || !out) return false;
  copyCut(out, entryTexts[slot(index)]->text);
  return true;
}

bool ChoiceMenu::setEntryText(std::int32_t index, const char* text) {
  if (index < 0 || index >= entryCount) return false;
  copyCut(entryTexts[slot(index)]->text, text);
  return true;
}

bool ChoiceMenu::removeEntry(std::int32_t index) {
  if (index < 0 || index >= entryCount) return false;
  entryTexts[slot(index)].reset();
  for (std::int32_t i = index; i + 1 < entryCount; ++i) {
    entryTexts[slot(i)] = std::move(entryTexts[slot(i + 1)]);
    checkMarks[slot(i)] = checkMarks[slot(i + 1)];
  }
  --entryCount;
  checkMarks[slot(entryCount)] = 0;
  if (selected >= index) --selected;
  if (entryCount == 0) selected = -1;
  return true;
}

bool ChoiceMenu::removeAllEntries() {
  entryTexts.reset();
  checkMarks.reset();
  entryCount = 0;
  entryCapacity = 0;
  selected = -1;
  for (std::int32_t i = 0; i < submenuCount; ++i) submenus[slot(i)]->release();
  submenus.reset();
  submenuCount = 0;
  submenuCapacity = 0;
  // A submenu let go must not be answered by lastChoice.
  if (lastChosenMenu != this) lastChosenMenu = nullptr;
  return true;
}

std::int32_t ChoiceMenu::getEntryCount() {
  return entryCount;
}

std::int32_t ChoiceMenu::findEntry(const char* text) {
  if (!text) return -1;
  for (std::int32_t i = 0; i < entryCount; ++i) {
    if (std::strcmp(entryTexts[slot(i)]->text, text) == 0) return i;
  }
  return -1;
}

bool ChoiceMenu::setCheck(std::int32_t index, bool state) {
  if (index < 0 || index >= entryCount) return false;
  checkMarks[slot(index)] = state ? 1 : 0;
  return true;
}

bool ChoiceMenu::checkOnly(std::int32_t index) {
  if (index < 0 || index >= entryCount) return false;
  std::fill(checkMarks.get(), checkMarks.get() + entryCapacity, std::uint8_t{0});
  checkMarks[slot(index)] = 1;
  return true;
}

bool ChoiceMenu::isChecked(std::int32_t index) {
  return index >= 0 && index < entryCount && checkMarks[slot(index)] != 0;
}

void ChoiceMenu::setEntriesPerColumn(std::int32_t count) {
  entriesPerColumn = count;
}

std::int32_t ChoiceMenu::getEntriesPerColumn() {
  return entriesPerColumn;
}

MenuItemPainter* ChoiceMenu::getItemPainter() {
  return itemPainter;
}

void ChoiceMenu::setNumbering(std::int32_t digits) {
  numbering = digits;
}

ChoiceMenu* ChoiceMenu::lastChoice(std::int32_t& index) {
  if (!lastChosenMenu) {
    index = -1;
    return nullptr;
  }
  // The value of a menu is always an entry's index (setValue keeps no other).
  index = static_cast<std::int32_t>(lastChosenMenu->getValue());
  return lastChosenMenu;
}

std::unique_ptr<platform::PopupMenu> ChoiceMenu::buildPopup(std::int32_t& counter) {
  const std::int32_t first = counter;
  counter += entryCount;
  std::unique_ptr<platform::PopupMenu> popup = platform::createPopupMenu();
  popupHandle = popup.get();
  const std::int32_t ownerDrawn = getItemPainter() ? platform::kMenuOwnerDrawn : 0;
  std::int32_t nextSubmenu = 0;
  std::int32_t column = 0;
  for (std::int32_t k = 0; k < entryCount; ++k) {
    const char* text = entryTexts[slot(k)]->text;
    // Every entry keeps its own number, shown or not, so that a choice is found again by
    // counting entries (findCommand).
    const std::int32_t command = first + k;
    bool appended = false;
    if (isSeparator(text)) {
      appended = popup && popup->appendSeparator(ownerDrawn);
    } else {
      std::int32_t flags = ownerDrawn;
      if (entryCount < kColumnsBelow && entriesPerColumn > 0 && column > 0 &&
          column % entriesPerColumn == 0) {
        flags |= platform::kMenuColumnBreak;
      }
      if (startsWith(text, "-M")) {
        ChoiceMenu* submenu = nextSubmenu < submenuCount ? submenus[slot(nextSubmenu++)] : nullptr;
        // Past the limit no command could be told apart; the submenus there stay out.
        if (!submenu || counter >= platform::kMenuCommandLimit) continue;
        std::unique_ptr<platform::PopupMenu> child = submenu->buildPopup(counter);
        appended = popup && child && popup->appendSubmenu(text + 2, std::move(child), flags);
      } else if (startsWith(text, "-G")) {
        appended = popup && popup->appendEntry(text + 2, command, flags | platform::kMenuGreyed);
      } else if (startsWith(text, "-T")) {
        appended = popup && popup->appendEntry(text + 2, command, flags | platform::kMenuDisabled);
      } else {
        const bool checked = (style & kChoiceMultipleCheck)
                                 ? checkMarks[slot(k)] != 0
                                 : (style & kChoiceCheckSelected) && k == selected;
        if (checked) flags |= platform::kMenuChecked;
        appended = popup && popup->appendEntry(text, command, flags);
      }
    }
    if (appended) ++column;
  }
  return popup;
}

void ChoiceMenu::forgetPopups() {
  popupHandle = nullptr;
  for (std::int32_t i = 0; i < submenuCount; ++i) submenus[slot(i)]->forgetPopups();
}

ChoiceMenu* ChoiceMenu::findCommand(std::int32_t command, std::int32_t& base, std::int32_t& index) {
  if (command < base + entryCount) {
    index = command - base;
    return this;
  }
  base += entryCount;
  for (std::int32_t i = 0; i < submenuCount; ++i) {
    if (base >= platform::kMenuCommandLimit) return nullptr;
    if (ChoiceMenu* found = submenus[slot(i)]->findCommand(command, base, index)) return found;
  }
  return nullptr;
}

bool ChoiceMenu::measureMenuItem(const char* text, DrawContext* context, Point& itemSize) {
  MenuItemPainter* painter = getItemPainter();
  if (!painter) return false;
  painter->measureItem(text, context, itemSize);
  return true;
}

bool ChoiceMenu::drawMenuItem(const char* text, std::int32_t command, std::int32_t stateBits,
                              DrawContext* context, const Rect& rect) {
  MenuItemPainter* painter = getItemPainter();
  if (!painter) return false;
  painter->drawItem(text, command, stateBits, context, rect);
  return true;
}
