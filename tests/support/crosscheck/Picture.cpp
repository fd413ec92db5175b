#include "tests/support/crosscheck/Picture.h"

#include <cstdio>
#include <memory>

#include "gui/core/OffscreenContext.h"
#include "tests/support/crosscheck/Scenes.h"

namespace crosscheck {

namespace {

// Glyph rasterisers differ in hinting and rounding; a text that moves further than this
// is drawn in the wrong place.
constexpr std::int32_t kTextTolerance = 2;
constexpr int kReportedPixels = 8;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string describe(Color c) {
  char text[32];
  std::snprintf(text, sizeof(text), "(%d,%d,%d)", c.red, c.green, c.blue);
  return text;
}

std::string describe(const Rect& r) {
  char text[64];
  std::snprintf(text, sizeof(text), "[%d,%d - %d,%d)", static_cast<int>(r.left),
                static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom));
  return text;
}

bool closeTo(std::int32_t a, std::int32_t b) {
  return a - b <= kTextTolerance && b - a <= kTextTolerance;
}

std::string compareExact(const Picture& expected, const Picture& actual) {
  std::string report;
  int differing = 0;
  for (std::int32_t y = 0; y < expected.height; ++y) {
    for (std::int32_t x = 0; x < expected.width; ++x) {
      const Color e = expected.at(x, y);
      const Color a = actual.at(x, y);
      if (e == a) continue;
      if (differing++ < kReportedPixels) {
        char where[32];
        std::snprintf(where, sizeof(where), " (%d,%d): ", static_cast<int>(x), static_cast<int>(y));
        report += where + describe(e) + " vs " + describe(a) + ";";
      }
    }
  }
  if (differing == 0) return {};
  return std::to_string(differing) + " pixels differ:" + report;
}

std::string compareText(const Scene& scene, const Picture& expected, const Picture& actual) {
  const Rect e = inkBox(expected, scene.background);
  const Rect a = inkBox(actual, scene.background);
  if (e.isEmpty() && a.isEmpty()) return {};
  if (e.isEmpty() != a.isEmpty() || !closeTo(e.left, a.left) || !closeTo(e.top, a.top) ||
      !closeTo(e.right, a.right) || !closeTo(e.bottom, a.bottom)) {
    return "text box " + describe(e) + " vs " + describe(a);
  }
  return {};
}

}  // namespace

bool writePicture(const std::string& path, const Picture& picture) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  std::fprintf(file.get(), "P6\n%d %d\n255\n", static_cast<int>(picture.width),
               static_cast<int>(picture.height));
  for (const Color& c : picture.pixels) {
    const unsigned char rgb[3] = {c.red, c.green, c.blue};
    if (std::fwrite(rgb, 1, 3, file.get()) != 3) return false;
  }
  return std::fflush(file.get()) == 0;
}

bool readPicture(const std::string& path, Picture& picture) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  int width = 0;
  int height = 0;
  int maximum = 0;
  if (std::fscanf(file.get(), "P6 %d %d %d", &width, &height, &maximum) != 3) return false;
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || maximum != 255) return false;
  // Exactly one white-space character separates the header from the samples.
  std::fgetc(file.get());
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                        Color());
  for (Color& c : picture.pixels) {
    unsigned char rgb[3];
    if (std::fread(rgb, 1, 3, file.get()) != 3) return false;
    c = Color(rgb[0], rgb[1], rgb[2]);
  }
  return true;
}

Picture renderScene(const Scene& scene) {
  installSceneResources();
  OffscreenContext context(nullptr, scene.width, scene.height, scene.background);
  scene.draw(context);
  Picture picture;
  if (!readBack(context, picture)) return {};
  return picture;
}

Rect inkBox(const Picture& picture, Color background) {
  Rect box(picture.width, picture.height, 0, 0);
  for (std::int32_t y = 0; y < picture.height; ++y) {
    for (std::int32_t x = 0; x < picture.width; ++x) {
      if (picture.at(x, y) == background) continue;
      if (x < box.left) box.left = x;
      if (y < box.top) box.top = y;
      if (x + 1 > box.right) box.right = x + 1;
      if (y + 1 > box.bottom) box.bottom = y + 1;
    }
  }
  return box.isEmpty() ? Rect() : box;
}

std::string comparePictures(const Scene& scene, const Picture& expected, const Picture& actual) {
  const auto area =
      static_cast<std::size_t>(expected.width) * static_cast<std::size_t>(expected.height);
  if (expected.width != actual.width || expected.height != actual.height ||
      expected.pixels.size() != area || actual.pixels.size() != area) {
    return "size " + std::to_string(expected.width) + "x" + std::to_string(expected.height) +
           " vs " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
  }
  return scene.match == Match::Exact ? compareExact(expected, actual)
                                     : compareText(scene, expected, actual);
}

}  // namespace crosscheck
