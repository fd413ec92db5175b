// The software backend's device context: the state of a platform device (pen, brush,
// font, text and background colours, background mode, mix mode, clip region, current
// position, selected surface) and every drawing primitive, rasterised into a PixelSurface
// with the platform's pixel conventions. A device starts as the platform's do: black
// solid pen of width 1, white brush, black text on an opaque white background, copy
// mode, no clip region; it starts without a font, so text draws nothing until one is
// selected. Used on one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gui/platform/Device.h"
#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

class SoftwareFont;

class SoftwareDevice : public platform::Device {
 public:
  // A device drawing into target, which it does not own (a window's pixels).
  explicit SoftwareDevice(PixelSurface* target);
  // A memory device, starting with its own 1 by 1 one-bit surface.
  SoftwareDevice();
  ~SoftwareDevice() override;
  SoftwareDevice(const SoftwareDevice&) = delete;
  SoftwareDevice& operator=(const SoftwareDevice&) = delete;

  PixelSurface* surface() const { return current; }
  const platform::PenChoice& pen() const { return penState; }
  Color brush() const { return brushColor; }
  const FontChoice& font() const { return fontChoice; }
  bool hasFont() const { return fontObject != nullptr; }
  Color textColor() const { return textState; }
  Color backgroundColor() const { return backgroundState; }
  bool opaqueBackground() const { return opaque; }
  platform::MixMode mixMode() const { return mix; }
  std::int32_t scopeDepth() const { return static_cast<std::int32_t>(scopes.size()); }

  void openObjectScope() override;
  void closeObjectScope() override;
  void selectPen(const platform::PenChoice& pen) override;
  bool selectBrush(Color color) override;
  void selectFont(const FontChoice& font) override;
  void setTextColor(Color color) override;
  void setBackgroundColor(Color color) override;
  void setOpaqueBackground(bool isOpaque) override;
  void setMixMode(platform::MixMode mode) override;
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
  platform::Surface* selectSurface(platform::Surface* surface) override;
  void blit(const Rect& dst, Device& src, Point srcPos, platform::RasterOp op) override;
  bool transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) override;
  bool alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) override;

 private:
  struct Scope {
    platform::PenChoice pen;
    Color brush;
    FontChoice font;
    std::shared_ptr<SoftwareFont> fontObject;
  };

  // The writable area: the surface, narrowed by the clip region.
  Rect drawableArea() const;
  // Writes a pen or brush pixel through the mix mode; clipped.
  void plot(std::int64_t x, std::int64_t y, std::uint32_t word);
  void line(Point from, Point to);
  void thinLine(Point from, Point to);
  void wideLine(Point from, Point to);
  template <typename Covered>
  void fillCovered(const Rect& bounds, std::uint32_t word, Covered covered);
  template <typename Combine>
  void forEachBlitPixel(const Rect& dst, SoftwareDevice& src, Point srcPos, Combine combine);

  PixelSurface* current = nullptr;
  std::unique_ptr<PixelSurface> initialSurface;
  platform::PenChoice penState{kBlack, 1, false};
  Color brushColor = kWhite;
  FontChoice fontChoice;
  std::shared_ptr<SoftwareFont> fontObject;
  Color textState = kBlack;
  Color backgroundState = kWhite;
  bool opaque = true;
  platform::MixMode mix = platform::MixMode::CopyPen;
  std::optional<Rect> clipRegion;
  Point position;
  std::int64_t dotPhase = 0;
  std::vector<Scope> scopes;
};

// Library-wide stand-ins for the optional platform functions behind transparentBlit and
// alphaBlend; both present unless a test takes them away.
void setBlendFunctionsAvailable(bool transparentCopy, bool alphaBlend);

}  // namespace platform::software
