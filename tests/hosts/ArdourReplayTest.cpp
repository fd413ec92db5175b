// quaverhost replaying Ardour's export, checked block for block against what the
// probe plug-in recorded inside Ardour itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/audio/WavWriter.h"
#include "tools/quaverhost/CommandLine.h"

namespace {

namespace fs = std::filesystem;

struct Block {
  int frames = 0;
  bool playing = false;
  double ppq = 0.0;
  double tempo = 0.0;
};

// The "block N flags F sample S ppq P tempo T" lines of a probe log; a leading
// process id is skipped, other lines are ignored.
std::vector<Block> readBlocks(const fs::path& path) {
  std::vector<Block> blocks;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    const size_t at = line.find("block ");
    if (at == std::string::npos || line[0] == '#') continue;
    std::istringstream fields(line.substr(at));
    std::string word;
    Block block;
    int flags = 0;
    double sample = 0.0;
    fields >> word >> block.frames >> word >> flags >> word >> sample >> word >> block.ppq >>
        word >> block.tempo;
    if (!fields) continue;
    block.playing = (flags & 2) != 0;
    blocks.push_back(block);
  }
  return blocks;
}

class ArdourReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / "qv_ardour_replay";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    setenv("QV_PROBE_LOG", (dir_ / "probe.log").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("QV_PROBE_LOG");
    fs::remove_all(dir_);
  }

  // Six seconds of silence at 44.1 kHz: the length of the recorded session.
  void writeInput() {
    std::vector<float> silence(6 * 44100, 0.0f);
    const float* channels[2] = {silence.data(), silence.data()};
    qv::audio::WavWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open((dir_ / "in.wav").string(), {2, 44100}, error) &&
                writer.write(channels, static_cast<std::int32_t>(silence.size()), error) &&
                writer.finish(error))
        << error;
  }

  fs::path dir_;
};

TEST_F(ArdourReplay, RunsTheProbeBlockForBlockAsArdoursExportDid) {
  const std::vector<Block> ardour = readBlocks(QV_ARDOUR_BLOCKS);
  ASSERT_EQ(ardour.size(), 353u) << "the recording: 93 stopped blocks, 260 rolling";
  writeInput();
  std::ostringstream out, err;
  const std::vector<std::string> args = {"render",
                                         QV_PROBE_PLUGIN,
                                         (dir_ / "in.wav").string(),
                                         (dir_ / "out.wav").string(),
                                         "--quiet",
                                         "--tempo",
                                         "137.00000013753072",
                                         "--lead-in",
                                         "94976",
                                         "--first-block",
                                         "256",
                                         "--block",
                                         "1024",
                                         "--whole-blocks",
                                         "--ppq-resolution",
                                         "1920"};
  ASSERT_EQ(qv::hostcli::runCommandLine(args, out, err, false), 0) << err.str();

  const std::vector<Block> replay = readBlocks(dir_ / "probe.log");
  ASSERT_EQ(replay.size(), ardour.size());
  for (size_t i = 0; i < replay.size(); ++i) {
    SCOPED_TRACE("block " + std::to_string(i));
    EXPECT_EQ(replay[i].frames, ardour[i].frames);
    EXPECT_EQ(replay[i].playing, ardour[i].playing);
    EXPECT_EQ(replay[i].tempo, ardour[i].tempo);
    // While stopped the effect reads only the tempo; Ardour's stopped position is
    // that of its locate, which no plug-in sees move.
    if (ardour[i].playing) {
      EXPECT_DOUBLE_EQ(replay[i].ppq, ardour[i].ppq);
    }
  }
}

}  // namespace
