#include "gui/platform/win32/GdiDevice.h"

#include "gui/platform/win32/GdiCoordinates.h"

namespace platform::win32 {

namespace {

// Pens wider than this cover any surface many times over; GDI's wide-line code builds
// polygons around them whose corners would leave the coordinate range.
constexpr std::int32_t kPenWidthLimit = 4096;
// Glyphs are rasterised whole; no text on a surface needs characters taller than this.
constexpr std::int32_t kFontHeightLimit = 2048;

std::int32_t clampMagnitude(std::int32_t v, std::int32_t limit) {
  return v < -limit ? -limit : (v > limit ? limit : v);
}

}  // namespace

GdiDevice::GdiDevice(HDC target) : GdiDevice(target, false) {}

GdiDevice::GdiDevice(HDC target, bool owned) : dc(target), ownsDc(owned) {
  if (ownsDc) initialBitmap = GetCurrentObject(dc, OBJ_BITMAP);
  openObjectScope();
}

std::unique_ptr<GdiDevice> GdiDevice::createMemory(HDC compatibleWith) {
  HDC memory = CreateCompatibleDC(compatibleWith);
  if (!memory) return nullptr;
  return std::unique_ptr<GdiDevice>(new GdiDevice(memory, true));
}

GdiDevice::~GdiDevice() {
  while (!scopes.empty()) closeInnermostScope();
  if (!ownsDc) return;
  // The surface goes back to its owner unselected, so that it can be read or deleted.
  if (initialBitmap) SelectObject(dc, initialBitmap);
  DeleteDC(dc);
}

void GdiDevice::openObjectScope() {
  Scope scope;
  scope.savedPen = GetCurrentObject(dc, OBJ_PEN);
  scope.savedBrush = GetCurrentObject(dc, OBJ_BRUSH);
  scope.savedFont = GetCurrentObject(dc, OBJ_FONT);
  scopes.push_back(scope);
}

void GdiDevice::closeObjectScope() {
  // The device's own scope stays open until the device goes.
  if (scopes.size() > 1) closeInnermostScope();
}

void GdiDevice::closeInnermostScope() {
  const Scope& scope = scopes.back();
  // An object cannot be deleted while selected: the saved ones go back in first.
  if (scope.savedBrush) SelectObject(dc, scope.savedBrush);
  if (scope.savedPen) SelectObject(dc, scope.savedPen);
  if (scope.savedFont) SelectObject(dc, scope.savedFont);
  if (scope.brush) DeleteObject(scope.brush);
  if (scope.pen) DeleteObject(scope.pen);
  if (scope.font) DeleteObject(scope.font);
  scopes.pop_back();
}

template <typename Handle>
void GdiDevice::replaceOwned(Handle Scope::*slot, Handle made) {
  SelectObject(dc, made);
  Handle& owned = scopes.back().*slot;
  if (owned) DeleteObject(owned);
  owned = made;
}

void GdiDevice::selectPen(const PenChoice& pen) {
  LOGPEN record{};
  record.lopnStyle = pen.dotted ? PS_DOT : PS_SOLID;
  record.lopnWidth.x = clampMagnitude(pen.width, kPenWidthLimit);
  record.lopnColor = pen.color.deviceWord();
  if (HPEN made = CreatePenIndirect(&record)) replaceOwned(&Scope::pen, made);
}

bool GdiDevice::selectBrush(Color color) {
  LOGBRUSH record{};
  record.lbStyle = BS_SOLID;
  record.lbColor = color.deviceWord();
  HBRUSH made = CreateBrushIndirect(&record);
  if (!made) return false;
  replaceOwned(&Scope::brush, made);
  return true;
}

void GdiDevice::selectFont(const FontChoice& font) {
  LOGFONTW record{};
  // A negative height asks for the character height rather than the cell height.
  record.lfHeight = -clampMagnitude(font.height, kFontHeightLimit);
  record.lfWeight = font.weight;
  record.lfItalic = font.italic ? TRUE : FALSE;
  record.lfUnderline = font.underline ? TRUE : FALSE;
  record.lfCharSet = ANSI_CHARSET;
  record.lfOutPrecision = OUT_STRING_PRECIS;
  record.lfClipPrecision = CLIP_STROKE_PRECIS;
  record.lfQuality = DEFAULT_QUALITY;
  record.lfPitchAndFamily = font.pitchAndFamily;
  if (font.face &&
      MultiByteToWideChar(CP_ACP, 0, font.face, -1, record.lfFaceName, LF_FACESIZE) == 0) {
    // A name too long for the record is cut, as the narrow call would cut it.
    record.lfFaceName[LF_FACESIZE - 1] = L'\0';
  }
  if (HFONT made = CreateFontIndirectW(&record)) replaceOwned(&Scope::font, made);
}

void GdiDevice::setTextColor(Color color) {
  SetTextColor(dc, color.deviceWord());
}

void GdiDevice::setBackgroundColor(Color color) {
  SetBkColor(dc, color.deviceWord());
}

void GdiDevice::setOpaqueBackground(bool opaque) {
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
}

void GdiDevice::setMixMode(MixMode mode) {
  switch (mode) {
    case MixMode::MergePen:
      SetROP2(dc, R2_MERGEPEN);
      break;
    case MixMode::NotXorPen:
      SetROP2(dc, R2_NOTXORPEN);
      break;
    case MixMode::CopyPen:
      SetROP2(dc, R2_COPYPEN);
      break;
  }
}

void GdiDevice::setClipRect(const Rect& clip) {
  // GDI would order the corners of an inverted rectangle; the toolkit counts it empty.
  const RECT r = clip.isEmpty() ? RECT{0, 0, 0, 0} : clampedRect(clip);
  HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  if (!region) return;
  SelectClipRgn(dc, region);
  DeleteObject(region);
}

}  // namespace platform::win32
