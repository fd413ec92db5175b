#include "tools/quaverhost/SnapshotCommand.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gui/platform/software/HeadlessHostWindow.h"
#include "gui/platform/software/PixelSurface.h"
#include "gui/platform/software/PngFile.h"
#include "tools/common/EchoedWord.h"
#include "tools/common/OutputPaths.h"
#include "tools/common/PendingFile.h"
#include "tools/quaverhost/CommandLine.h"
#include "tools/vsthost/HostedPlugin.h"

namespace qv::hostcli {

const char kSnapshotUsage[] = "  quaverhost snapshot PLUGIN OUT.png [--set INDEX=VALUE ...]\n";

namespace {

struct Setting {
  int32 index;
  float value;
};

// "INDEX=VALUE" with a whole index and a finite value.
bool parseSetting(const std::string& text, Setting& out) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  char* end = nullptr;
  const long index = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + equals || index < 0 || index > 1000) return false;
  const char* valueText = text.c_str() + equals + 1;
  const double value = std::strtod(valueText, &end);
  if (end == valueText || *end != '\0' || !std::isfinite(value) || std::fabs(value) > 1e6)
    return false;
  out = {static_cast<int32>(index), static_cast<float>(value)};
  return true;
}

bool parseArguments(std::span<const std::string> args, std::vector<Setting>& settings) {
  if (args.size() < 2) return false;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    Setting setting{};
    if (args[i] != "--set" || i + 1 >= args.size() || !parseSetting(args[i + 1], setting))
      return false;
    settings.push_back(setting);
  }
  return true;
}

}  // namespace

int runSnapshot(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::vector<Setting> settings;
  if (!parseArguments(args, settings)) {
    err << "usage:\n" << kSnapshotUsage;
    return 1;
  }
  std::string error;
  const tools::NamedFile inputs[] = {{"PLUGIN", args[0]}};
  const tools::NamedFile outputs[] = {{"OUT.png", args[1]}};
  const tools::PathCheck files = tools::checkFiles(inputs, outputs, error);
  if (files != tools::PathCheck::Ok) {
    err << "quaverhost snapshot: " << error << '\n';
    return files == tools::PathCheck::Clash ? 2 : 1;
  }
  std::unique_ptr<host::HostedPlugin> plugin = openPlugin(args[0], err);
  if (!plugin) return 1;
  AEffect& effect = plugin->effect();
  for (const Setting& setting : settings)
    effect.setParameter(&effect, setting.index, setting.value);

  ERect* rect = nullptr;
  platform::software::HeadlessHostWindow window;
  if (plugin->dispatch(effEditGetRect, 0, 0, &rect) && rect) {
    window.width = rect->right - rect->left;
    window.height = rect->bottom - rect->top;
  }
  // The plug-in draws into the software backend's headless windows only when asked to.
  if (plugin->dispatch(effVendorSpecific, platform::software::kHeadlessWindowRequest, 0, &window))
    plugin->dispatch(effEditOpen, 0, 0, window.window);
  if (!window.dispatchMessages || window.width <= 0 || window.height <= 0) {
    err << "quaverhost: " << tools::echoedWord(args[0])
        << " opened no editor window on the software backend\n";
    return 1;
  }
  // The first paint, then the host's idle, which draws what became dirty since.
  window.dispatchMessages();
  plugin->dispatch(effEditIdle);
  window.dispatchMessages();

  std::unique_ptr<platform::software::PixelSurface> picture =
      platform::software::PixelSurface::create(window.width, window.height, false);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(window.width) *
                                    static_cast<std::size_t>(window.height));
  const bool read = window.readPixels(&window, pixels.data());
  plugin->dispatch(effEditClose);
  plugin->close();
  for (std::int32_t y = 0; read && y < window.height; ++y) {
    for (std::int32_t x = 0; x < window.width; ++x)
      picture->setPixel(x, y, pixels[static_cast<std::size_t>(y * window.width + x)]);
  }
  tools::PendingFile file(args[1]);
  const std::vector<std::uint8_t> png =
      read ? platform::software::encodePng(*picture) : std::vector<std::uint8_t>();
  if (png.empty()) {
    err << "quaverhost: cannot draw the editor's picture\n";
    return 1;
  }
  if (!file.writeAll(png, error) || !file.commit(error)) {
    err << "quaverhost snapshot: " << error << '\n';
    return 1;
  }
  out << "Wrote " << args[1] << " (" << window.width << " x " << window.height << ")\n";
  return 0;
}

}  // namespace qv::hostcli
