// Draws the editor's skin and writes it as BMP files into the folder given first; with a
// second folder, also writes PNG pictures of every image and of the whole editor there.
// Exits with 1 when the font is missing or a file cannot be written.
#include <cstdio>
#include <cstring>
#include <string>

#include "gui/platform/software/BmpDecoder.h"
#include "gui/platform/software/PngFile.h"
#include "resources/skin/BmpFile.h"
#include "resources/skin/Skin.h"

namespace {

// Every pixel as a square of factor by factor, for looking at small details.
std::unique_ptr<platform::software::PixelSurface> magnified(
    const platform::software::PixelSurface& from, std::int32_t factor) {
  auto to = platform::software::PixelSurface::create(from.width() * factor, from.height() * factor,
                                                     false);
  for (std::int32_t y = 0; y < to->height(); ++y) {
    for (std::int32_t x = 0; x < to->width(); ++x)
      to->setPixel(x, y, from.pixel(x / factor, y / factor));
  }
  return to;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <bitmap folder> [<preview folder>]\n", argv[0]);
    return 2;
  }
  Lettering lettering;
  if (!lettering.ready()) {
    std::fprintf(stderr, "the sans-serif face (Liberation Sans) is not installed\n");
    return 1;
  }
  const std::string bitmaps = argv[1];
  const std::string previews = argc > 2 ? argv[2] : "";
  const std::vector<SkinImage> skin = drawSkin(lettering);
  for (const SkinImage& image : skin) {
    const std::vector<std::uint8_t> bytes = encodeBmp(image.picture, image.bitmap.bitsPerPixel);
    const std::string path = bitmaps + "/" + image.bitmap.file;
    if (!writeFile(path.c_str(), bytes)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    if (previews.empty()) continue;
    // The preview shows what the loader makes of the file, five-bit channels included.
    const auto decoded = platform::software::decodeBmp(bytes.data(), bytes.size());
    const std::string name =
        previews + "/" + std::string(image.bitmap.file, std::strlen(image.bitmap.file) - 4);
    const std::string png = name + ".png";
    const std::string zoomed = name + "-x4.png";
    if (!decoded || !platform::software::savePng(*decoded, png.c_str()) ||
        !platform::software::savePng(*magnified(*decoded, 4), zoomed.c_str())) {
      std::fprintf(stderr, "cannot write %s\n", png.c_str());
      return 1;
    }
  }
  if (!previews.empty()) {
    const Canvas editor = drawEditorPreview(skin, lettering);
    const std::string png = previews + "/editor.png";
    const std::string zoomed = previews + "/editor-x3.png";
    if (!platform::software::savePng(editor.surface(), png.c_str()) ||
        !platform::software::savePng(*magnified(editor.surface(), 3), zoomed.c_str())) {
      std::fprintf(stderr, "cannot write the editor's pictures into %s\n", previews.c_str());
      return 1;
    }
  }
  return 0;
}
