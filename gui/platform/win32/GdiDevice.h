// A platform device over a GDI device context: either a device that somebody else owns (a
// window's paint or fetched device) or a memory device that this object made and deletes.
//
// Every object scope, the innermost one included, gives the device back the pen, brush and
// font it had when the scope opened; the device opens one scope of its own when it is made
// and closes all that are still open when it goes, so nothing it made outlives it.
// Coordinates beyond the range that GDI handles on every system (27 bits) are not drawn:
// a shape or line that reaches beyond it is skipped, and a clip or fill rectangle is cut to
// it. Used on one thread at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/platform/Device.h"

namespace platform::win32 {

class GdiDevice final : public Device {
 public:
  // Draws into dc, which the caller keeps valid for the object's life and releases after.
  explicit GdiDevice(HDC dc);
  // A memory device compatible with dc, or with the screen when dc is null; null when the
  // system cannot make one.
  static std::unique_ptr<GdiDevice> createMemory(HDC dc);
  ~GdiDevice() override;
  GdiDevice(const GdiDevice&) = delete;
  GdiDevice& operator=(const GdiDevice&) = delete;

  HDC handle() const { return dc; }
  bool isMemory() const { return ownsDc; }

  void openObjectScope() override;
  void closeObjectScope() override;
  void selectPen(const PenChoice& pen) override;
  bool selectBrush(Color color) override;
  void selectFont(const FontChoice& font) override;

  void setTextColor(Color color) override;
  void setBackgroundColor(Color color) override;
  void setOpaqueBackground(bool opaque) override;
  void setMixMode(MixMode mode) override;
  void setClipRect(const Rect& clip) override;

  void moveTo(Point p) override;
  void lineTo(Point p) override;
  void polyline(const Point* points, std::int32_t count) override;

  void fillRect(const Rect& r) override;
  void fillPolygon(const Point* points, std::int32_t count) override;
  void fillEllipse(const Rect& box) override;
  void fillPie(const Rect& box, Point start, Point end) override;
  void arc(const Rect& box, Point start, Point end) override;

  void setPixel(Point p, Color color) override;
  Color getPixel(Point p) override;
  void floodFill(Point p) override;

  Point textExtent(const char* text, std::int32_t len) override;
  void textOut(Point p, const char* text, std::int32_t len, const Rect& clip) override;

  Surface* selectSurface(Surface* surface) override;

  void blit(const Rect& dst, Device& src, Point srcPos, RasterOp op) override;
  bool transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) override;
  bool alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) override;

 private:
  struct Scope {
    HGDIOBJ savedPen = nullptr;
    HGDIOBJ savedBrush = nullptr;
    HGDIOBJ savedFont = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
  };

  GdiDevice(HDC dc, bool ownsDc);
  void closeInnermostScope();
  // The pixel's colour, or CLR_INVALID outside the surface or the clip region.
  COLORREF visiblePixel(Point p);
  // Selects the object that the innermost scope made in place of the one it made before,
  // which is deleted.
  template <typename Handle>
  void replaceOwned(Handle Scope::*slot, Handle made);
  // Runs draw with the null pen selected, for fills that must have no outline.
  template <typename Draw>
  void withoutPen(Draw draw);

  HDC dc;
  bool ownsDc;
  HGDIOBJ initialBitmap = nullptr;
  Surface* selectedSurface = nullptr;
  std::vector<Scope> scopes;
};

}  // namespace platform::win32
