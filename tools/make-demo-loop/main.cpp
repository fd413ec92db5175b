// make-demo-loop OUT.wav [SAMPLE_RATE]: writes the demo loop as 16-bit stereo WAV.
#include <charconv>
#include <iostream>
#include <string>

#include "tools/audio/WavWriter.h"
#include "tools/common/OutputPaths.h"
#include "tools/common/PendingFile.h"
#include "tools/make-demo-loop/DemoLoop.h"

int main(int argc, char** argv) {
  int rate = 44100;
  if (argc == 3) {
    const std::string text = argv[2];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rate);
    if (ec != std::errc() || end != text.data() + text.size() || rate < 8000 || rate > 192000) {
      std::cerr << "make-demo-loop: the sample rate must be 8000 to 192000\n";
      return 1;
    }
  } else if (argc != 2) {
    std::cerr << "usage: make-demo-loop OUT.wav [SAMPLE_RATE]\n";
    return 1;
  }
  std::string error;
  const qv::tools::NamedFile output[] = {{"OUT.wav", argv[1]}};
  if (qv::tools::checkFiles({}, output, error) != qv::tools::PathCheck::Ok) {
    std::cerr << "make-demo-loop: " << error << '\n';
    return 1;
  }
  const qv::demo::StereoBuffer loop = qv::demo::synthesizeDemoLoop(rate);
  qv::tools::PendingFile file(argv[1]);
  qv::audio::WavWriter writer;
  const float* channels[2] = {loop.left.data(), loop.right.data()};
  if (!file.create(error) ||
      !writer.open(file.stream(),
                   {2, static_cast<std::uint32_t>(rate), qv::audio::SampleEncoding::Pcm16},
                   error) ||
      !writer.write(channels, static_cast<std::int32_t>(loop.left.size()), error) ||
      !writer.finish(error) || !file.commit(error)) {
    std::cerr << "make-demo-loop: " << error << '\n';
    return 1;
  }
  return 0;
}
