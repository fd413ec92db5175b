// The Win32 backend's own logic around GDI: which objects it makes, selects back and
// deletes, which surfaces it makes, what it does with values GDI cannot take, and how it
// reads the message queue. What GDI draws is the cross-check's concern.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "gui/core/DrawContext.h"
#include "gui/platform/Graphics.h"
#include "gui/platform/Input.h"
#include "gui/platform/Module.h"
#include "gui/platform/win32/BlendFunctions.h"
#include "gui/platform/win32/GdiDevice.h"
#include "gui/platform/win32/GdiSurface.h"
#include "tests/support/crosscheck/Scenes.h"

namespace {

using platform::win32::GdiDevice;
using platform::win32::GdiSurface;

constexpr std::int32_t kSize = 32;

HDC handleOf(platform::Device& device) {
  return static_cast<GdiDevice&>(device).handle();
}
HBITMAP handleOf(platform::Surface& surface) {
  return static_cast<GdiSurface&>(surface).handle();
}

// A memory device drawing into a black surface of its own.
struct Canvas {
  std::unique_ptr<platform::Device> device = platform::createMemoryDevice(nullptr);
  std::unique_ptr<platform::Surface> surface = platform::createSurface(nullptr, kSize, kSize);

  Canvas() {
    device->selectSurface(surface.get());
    device->selectBrush(kBlack);
    device->fillRect(Rect(0, 0, kSize, kSize));
  }
  ~Canvas() { device->selectSurface(nullptr); }

  HDC dc() { return handleOf(*device); }
  int count(Color color) {
    int n = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) n += GetPixel(dc(), x, y) == color.deviceWord();
    }
    return n;
  }
};

struct Objects {
  HGDIOBJ pen;
  HGDIOBJ brush;
  HGDIOBJ font;
};

Objects current(HDC dc) {
  return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH),
          GetCurrentObject(dc, OBJ_FONT)};
}

void selectAll(platform::Device& device, Color color) {
  device.selectPen({color, 1, false});
  device.selectBrush(color);
  device.selectFont(makeFontChoice(kFontArial12, 0, 0));
}

bool deleted(HGDIOBJ object) {
  return GetObjectType(object) == 0;
}

TEST(GdiObjectScopes, AScopeDeletesWhatItReplacesAndGivesBackWhatItFound) {
  Canvas canvas;
  const Objects before = current(canvas.dc());
  canvas.device->openObjectScope();
  selectAll(*canvas.device, kRed);
  const Objects first = current(canvas.dc());
  selectAll(*canvas.device, kGreen);
  const Objects second = current(canvas.dc());
  EXPECT_TRUE(deleted(first.pen) && deleted(first.brush) && deleted(first.font));
  EXPECT_FALSE(deleted(second.pen) || deleted(second.brush) || deleted(second.font));

  canvas.device->closeObjectScope();
  const Objects after = current(canvas.dc());
  EXPECT_EQ(after.pen, before.pen);
  EXPECT_EQ(after.brush, before.brush);
  EXPECT_EQ(after.font, before.font);
  EXPECT_TRUE(deleted(second.pen) && deleted(second.brush) && deleted(second.font));
}

TEST(GdiObjectScopes, AnInnerScopeLeavesTheOuterScopesObjectsAlive) {
  Canvas canvas;
  canvas.device->openObjectScope();
  selectAll(*canvas.device, kRed);
  const Objects outer = current(canvas.dc());
  canvas.device->openObjectScope();
  selectAll(*canvas.device, kGreen);
  const Objects inner = current(canvas.dc());
  canvas.device->closeObjectScope();
  const Objects after = current(canvas.dc());
  EXPECT_EQ(after.pen, outer.pen);
  EXPECT_EQ(after.brush, outer.brush);
  EXPECT_EQ(after.font, outer.font);
  EXPECT_FALSE(deleted(outer.pen) || deleted(outer.brush) || deleted(outer.font));
  EXPECT_TRUE(deleted(inner.pen) && deleted(inner.brush) && deleted(inner.font));
  canvas.device->closeObjectScope();
}

TEST(GdiObjectScopes, ADeviceGivesABorrowedDeviceContextBackAsItFoundIt) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const Objects before = current(dc);
  Objects made{};
  {
    GdiDevice device(dc);
    // Closing more scopes than were opened must not give back the device's own objects
    // early, nor lose what is selected afterwards.
    device.closeObjectScope();
    device.closeObjectScope();
    DrawContext context(nullptr, &device, nullptr);
    context.setFont(kFontArial18);
    context.setFillColor(kRed);
    context.setLineWidth(2);
    device.openObjectScope();
    selectAll(device, kBlue);
    made = current(dc);
  }
  const Objects after = current(dc);
  EXPECT_EQ(after.pen, before.pen);
  EXPECT_EQ(after.brush, before.brush);
  EXPECT_EQ(after.font, before.font);
  EXPECT_TRUE(deleted(made.pen) && deleted(made.brush) && deleted(made.font));
  DeleteDC(dc);
}

TEST(GdiObjectRecords, ContextStateBecomesTheRecordsAndModesAsked) {
  Canvas canvas;
  DrawContext context(nullptr, canvas.device.get(), nullptr);
  const HDC dc = canvas.dc();

  context.setFrameColor(Color(1, 2, 3, 99));
  context.setLineStyle(kDottedLine);
  LOGPEN pen{};
  GetObjectW(GetCurrentObject(dc, OBJ_PEN), sizeof(pen), &pen);
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DOT));
  EXPECT_EQ(pen.lopnWidth.x, 1);
  EXPECT_EQ(pen.lopnColor, RGB(1, 2, 3));
  context.setLineStyle(5);
  context.setLineWidth(3);
  GetObjectW(GetCurrentObject(dc, OBJ_PEN), sizeof(pen), &pen);
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(pen.lopnWidth.x, 3);

  context.setFillColor(Color(10, 20, 30, 40));
  LOGBRUSH brush{};
  GetObjectW(GetCurrentObject(dc, OBJ_BRUSH), sizeof(brush), &brush);
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
  context.setFontColor(Color(7, 8, 9, 1));
  EXPECT_EQ(GetTextColor(dc), RGB(7, 8, 9));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

  LOGFONTW font{};
  context.setFont(kFontArialBold12, 0, kStyleItalic);
  GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_FALSE(font.lfUnderline);
  EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
  EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
  EXPECT_EQ(font.lfQuality, DEFAULT_QUALITY);
  EXPECT_EQ(font.lfPitchAndFamily, 34);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
  context.setFont(kFontSymbol13, 0, kStyleUnderline);
  GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(font.lfPitchAndFamily, 80);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Symbol");

  const std::pair<std::int32_t, int> modes[] = {
      {kDrawOr, R2_MERGEPEN}, {kDrawXor, R2_NOTXORPEN}, {kDrawCopy, R2_COPYPEN}};
  for (const auto& [mode, rop] : modes) {
    context.setDrawMode(mode);
    EXPECT_EQ(GetROP2(dc), rop) << mode;
  }
}

TEST(GdiObjectRecords, WildSizesAreCutToWhatGdiCanDraw) {
  Canvas canvas;
  DrawContext context(nullptr, canvas.device.get(), nullptr);
  LOGFONTW font{};
  context.setFont(kFontArial12, INT_MIN);
  GetObjectW(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, 2048);
  context.setFont(kFontArial12, INT_MAX);
  GetObjectW(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -2048);
  context.setLineWidth(INT_MAX);
  LOGPEN pen{};
  GetObjectW(GetCurrentObject(canvas.dc(), OBJ_PEN), sizeof(pen), &pen);
  EXPECT_EQ(pen.lopnWidth.x, 4096);
}

TEST(GdiSurfaces, ASurfaceForAMemoryDeviceHasTheScreensColours) {
  std::unique_ptr<platform::Device> memory = platform::createMemoryDevice(nullptr);
  std::unique_ptr<platform::Surface> surface = platform::createSurface(memory.get(), 8, 4);
  ASSERT_NE(surface, nullptr);
  BITMAP info{};
  GetObjectW(handleOf(*surface), sizeof(info), &info);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
  EXPECT_GT(info.bmBitsPixel, 1);
  EXPECT_EQ(surface->width(), 8);
  EXPECT_EQ(surface->height(), 4);
}

TEST(GdiSurfaces, AMaskIsOneBitAndStartsBlack) {
  std::unique_ptr<platform::Surface> mask = platform::createMaskSurface(19, 3);
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectW(handleOf(*mask), sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  std::unique_ptr<platform::Device> device = platform::createMemoryDevice(nullptr);
  device->selectSurface(mask.get());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 19; ++x) EXPECT_EQ(GetPixel(handleOf(*device), x, y), RGB(0, 0, 0));
  }
  device->selectSurface(nullptr);
}

TEST(GdiSurfaces, SizesThatCannotBeMadeGiveNoSurface) {
  const std::pair<std::int32_t, std::int32_t> sizes[] = {
      {0, 1}, {1, 0}, {-5, 5}, {5, INT_MIN}, {1 << 14, 1 << 13}, {INT_MAX, INT_MAX}};
  for (const auto& [w, h] : sizes) {
    EXPECT_EQ(platform::createSurface(nullptr, w, h), nullptr) << w << "x" << h;
    EXPECT_EQ(platform::createMaskSurface(w, h), nullptr) << w << "x" << h;
  }
}

TEST(GdiSurfaces, SelectingAnswersThePreviousSurfaceAndRefusesOneHeldElsewhere) {
  std::unique_ptr<platform::Device> first = platform::createMemoryDevice(nullptr);
  std::unique_ptr<platform::Device> second = platform::createMemoryDevice(nullptr);
  std::unique_ptr<platform::Surface> a = platform::createSurface(nullptr, 4, 4);
  std::unique_ptr<platform::Surface> b = platform::createSurface(nullptr, 4, 4);
  EXPECT_EQ(first->selectSurface(a.get()), nullptr);
  EXPECT_EQ(first->selectSurface(b.get()), a.get());
  EXPECT_EQ(first->selectSurface(a.get()), b.get());
  first->selectBrush(kRed);
  first->fillRect(Rect(0, 0, 4, 4));

  // GDI lets a bitmap into one device at a time; the second keeps drawing elsewhere.
  EXPECT_EQ(second->selectSurface(a.get()), nullptr);
  second->selectBrush(kGreen);
  second->fillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(first->getPixel(Point(1, 1)), kRed);

  EXPECT_EQ(first->selectSurface(nullptr), a.get());
  EXPECT_EQ(second->selectSurface(a.get()), nullptr);
  EXPECT_EQ(second->selectSurface(nullptr), a.get());

  HDC screen = GetDC(nullptr);
  {
    GdiDevice window(screen);
    EXPECT_EQ(window.selectSurface(a.get()), nullptr);
    EXPECT_NE(GetCurrentObject(screen, OBJ_BITMAP), handleOf(*a));
  }
  ReleaseDC(nullptr, screen);
}

TEST(GdiUnsafeInput, FarCoordinatesDrawNothingAndCostNothing) {
  Canvas canvas;
  platform::Device& d = *canvas.device;
  d.selectPen({kWhite, 1, false});
  d.selectBrush(kWhite);
  const Rect distant(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  const Rect vast(-(1 << 20), -(1 << 20), 1 << 20, 1 << 20);
  const DWORD start = GetTickCount();
  d.fillEllipse(distant);
  d.fillEllipse(vast);
  d.fillPie(vast, Point(0, 0), Point(INT_MAX, 0));
  d.arc(distant, Point(0, 0), Point(1, 1));
  const Point spiky[] = {{0, 0}, {INT_MAX, 5}, {5, INT_MIN}};
  d.fillPolygon(spiky, 3);
  d.polyline(spiky, 3);
  d.setPixel(Point(INT_MIN, 3), kWhite);
  d.moveTo(Point(INT_MAX, 0));
  d.lineTo(Point(4, 4));
  EXPECT_EQ(canvas.count(kWhite), 0);
  EXPECT_LT(GetTickCount() - start, 1000u);

  // The skipped line still moved the position on.
  d.lineTo(Point(8, 4));
  EXPECT_EQ(canvas.count(kWhite), 4);
  EXPECT_EQ(d.getPixel(Point(4, 4)), kWhite);
}

TEST(GdiUnsafeInput, ClipAndFillRectanglesOfAnyExtent) {
  Canvas canvas;
  platform::Device& d = *canvas.device;
  d.selectBrush(kWhite);
  d.setClipRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  d.fillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_EQ(canvas.count(kWhite), kSize * kSize);

  // Inverted rectangles are empty, as a clip and as a fill.
  d.selectBrush(kRed);
  d.fillRect(Rect(20, 20, 2, 2));
  EXPECT_EQ(canvas.count(kRed), 0);
  d.setClipRect(Rect(20, 20, 2, 2));
  d.fillRect(Rect(0, 0, kSize, kSize));
  EXPECT_EQ(d.getPixel(Point(10, 10)), kWhite);
  d.setClipRect(Rect(0, 0, kSize, kSize));
  EXPECT_EQ(canvas.count(kRed), 0);
}

TEST(GdiUnsafeInput, PixelsOutsideTheClipReadWhiteAndFillNothing) {
  Canvas canvas;
  platform::Device& d = *canvas.device;
  d.setPixel(Point(20, 20), kRed);
  d.setClipRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(d.getPixel(Point(20, 20)), kWhite);
  EXPECT_EQ(d.getPixel(Point(-1, 5)), kWhite);
  EXPECT_EQ(d.getPixel(Point(5, 5)), kBlack);
  d.selectBrush(kGreen);
  d.floodFill(Point(20, 20));
  EXPECT_EQ(canvas.count(kGreen), 0);
}

TEST(GdiUnsafeInput, TextOfAnyLengthIsMeasuredAndDrawnWithinItsClip) {
  Canvas canvas;
  platform::Device& d = *canvas.device;
  d.selectFont(makeFontChoice(kFontArial12, 0, 0));
  d.setTextColor(kWhite);
  const Point one = d.textExtent("W", 1);
  ASSERT_GT(one.x, 0);
  // Longer than the fixed buffer of the conversion.
  const std::string many(300, 'W');
  const Point all = d.textExtent(many.c_str(), 300);
  EXPECT_EQ(all.x, 300 * one.x);
  EXPECT_EQ(all.y, one.y);
  EXPECT_EQ(d.textExtent(many.c_str(), 0).x, 0);
  EXPECT_EQ(d.textExtent(many.c_str(), -4).x, 0);
  EXPECT_EQ(d.textExtent(nullptr, 5).x, 0);

  d.textOut(Point(0, 0), many.c_str(), 300, Rect(4, 4, 4, 30));
  d.textOut(Point(0, 0), nullptr, 3, Rect(0, 0, kSize, kSize));
  d.textOut(Point(0, 0), many.c_str(), -1, Rect(0, 0, kSize, kSize));
  EXPECT_EQ(canvas.count(kBlack), kSize * kSize);

  d.setOpaqueBackground(true);
  d.setBackgroundColor(kRed);
  d.textOut(Point(-3, -3), many.c_str(), 300, Rect(5, 6, 12, 9));
  int inside = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool painted = d.getPixel(Point(x, y)) != kBlack;
      const bool inClip = x >= 5 && x < 12 && y >= 6 && y < 9;
      EXPECT_TRUE(!painted || inClip) << x << "," << y;
      inside += painted;
    }
  }
  EXPECT_EQ(inside, 7 * 3);
}

TEST(GdiUnsafeInput, EveryByteMeasuresAsTheNarrowCallsMeasureIt) {
  Canvas canvas;
  canvas.device->selectFont(makeFontChoice(kFontArial12, 0, 0));
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  SIZE narrow{};
  ASSERT_TRUE(
      GetTextExtentPoint32A(canvas.dc(), bytes.data(), static_cast<int>(bytes.size()), &narrow));
  const Point wide =
      canvas.device->textExtent(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  EXPECT_EQ(wide.x, narrow.cx);
  EXPECT_EQ(wide.y, narrow.cy);
}

TEST(GdiBlendFunctions, AnswerFalseAndDrawNothingWhileMissing) {
  Canvas target;
  Canvas source;
  source.device->selectBrush(kRed);
  source.device->fillRect(Rect(0, 0, kSize, kSize));
  ASSERT_NE(platform::win32::alphaBlendFunction(), nullptr);
  platform::win32::setBlendFunctionsEnabled(false);
  EXPECT_FALSE(target.device->transparentBlit(Rect(0, 0, 8, 8), *source.device, Point(), kWhite));
  EXPECT_FALSE(target.device->alphaBlend(Rect(0, 0, 8, 8), *source.device, Point(), 255));
  EXPECT_EQ(target.count(kRed), 0);
  platform::win32::setBlendFunctionsEnabled(true);
  EXPECT_TRUE(target.device->transparentBlit(Rect(0, 0, 8, 8), *source.device, Point(), kWhite));
  EXPECT_TRUE(target.device->alphaBlend(Rect(8, 0, 16, 8), *source.device, Point(), 255));
  EXPECT_EQ(target.count(kRed), 2 * 8 * 8);
}

TEST(GdiResources, BitmapsLoadFromTheModuleByTheLowSixteenBitsOfTheirId) {
  void* const saved = platform::moduleHandle();
  platform::setModuleHandle(GetModuleHandleW(nullptr));
  std::unique_ptr<platform::Surface> picture = platform::loadBitmapResource(crosscheck::kPicture24);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width(), 7);
  EXPECT_EQ(picture->height(), 5);
  std::unique_ptr<platform::Surface> high =
      platform::loadBitmapResource(0x7FFF0000 | crosscheck::kPicture24);
  ASSERT_NE(high, nullptr);
  EXPECT_EQ(high->width(), 7);
  EXPECT_EQ(platform::loadBitmapResource(999), nullptr);
  EXPECT_EQ(platform::loadBitmapResource(0), nullptr);
  EXPECT_EQ(platform::loadBitmapResource(0x10000), nullptr);

  // Without a module the numbers would name the system's own bitmaps.
  platform::setModuleHandle(nullptr);
  EXPECT_EQ(platform::loadBitmapResource(32754), nullptr);
  EXPECT_EQ(platform::loadBitmapResource(crosscheck::kPicture24), nullptr);
  platform::setModuleHandle(saved);
}

// Makes sure the thread has a message queue and that it is empty.
void drainQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// Handles a message now, so that the message time is the present.
void handleAMessageNow() {
  PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
}

TEST(Win32Input, TakesOnlyAWaitingLeftPressAndOnlyOnce) {
  drainQueue();
  platform::Input& input = platform::input();
  EXPECT_FALSE(input.takeLeftButtonDown());
  PostThreadMessageW(GetCurrentThreadId(), WM_RBUTTONDOWN, 0, 0);
  EXPECT_FALSE(input.takeLeftButtonDown());
  PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_TRUE(input.takeLeftButtonDown());
  EXPECT_FALSE(input.takeLeftButtonDown());
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE));
}

TEST(Win32Input, ADoubleClickIsASecondPressWithinTheSystemsTime) {
  drainQueue();
  DrawContext context(nullptr, nullptr, nullptr);
  handleAMessageNow();
  PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_TRUE(context.awaitDoubleClick());
  EXPECT_FALSE(platform::input().takeLeftButtonDown());

  handleAMessageNow();
  Sleep(platform::input().doubleClickTime() + 50);
  PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_FALSE(context.awaitDoubleClick());
  // Too late for a double click, the press stays for the window to handle.
  EXPECT_TRUE(platform::input().takeLeftButtonDown());
}

}  // namespace
