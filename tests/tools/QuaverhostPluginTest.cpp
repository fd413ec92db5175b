// quaverhost driving the real plug-in library, in-process, as its command line does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/audio/WavReader.h"
#include "tools/audio/WavWriter.h"
#include "tools/quaverhost/CommandLine.h"
#include "tools/vsthost/MidiText.h"

namespace {

namespace fs = std::filesystem;
using qv::audio::SampleEncoding;
using qv::host::TimedMidiEvent;

struct RunResult {
  int code;
  std::string out;
  std::string err;
};

RunResult quaverhost(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = qv::hostcli::runCommandLine(args, out, err, false);
  return {code, out.str(), err.str()};
}

class Quaverhost : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qv_quaverhost_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // A stereo test signal: different sines left and right.
  std::string makeInput(const std::string& name, int frames, int channels = 2,
                        SampleEncoding encoding = SampleEncoding::Pcm16) {
    std::vector<float> left(static_cast<size_t>(frames)), right(left.size());
    for (int i = 0; i < frames; ++i) {
      left[static_cast<size_t>(i)] = 0.5f * std::sin(0.031f * static_cast<float>(i));
      right[static_cast<size_t>(i)] = 0.25f * std::sin(0.017f * static_cast<float>(i) + 1.0f);
    }
    const float* data[2] = {left.data(), right.data()};
    qv::audio::WavWriter writer;
    std::string error;
    EXPECT_TRUE(writer.open(path(name), {channels, 44100, encoding}, error) &&
                writer.write(data, frames, error) && writer.finish(error))
        << error;
    return path(name);
  }

  static std::vector<float> readChannel(const std::string& file, int channel,
                                        qv::audio::WavFormat* format = nullptr) {
    qv::audio::WavReader reader;
    std::string error;
    EXPECT_TRUE(reader.open(file, error)) << error;
    if (format) *format = reader.format();
    std::vector<float> left(static_cast<size_t>(reader.frames())), right(left.size());
    EXPECT_EQ(reader.read(left.data(), right.data(), static_cast<std::int32_t>(left.size()), error),
              static_cast<std::int32_t>(left.size()));
    return channel == 0 ? left : right;
  }

  static std::vector<TimedMidiEvent> readEvents(const std::string& file) {
    std::ifstream stream(file);
    std::stringstream text;
    text << stream.rdbuf();
    std::vector<TimedMidiEvent> events;
    std::string error;
    EXPECT_TRUE(qv::host::parseMidiText(text.str(), events, error)) << error;
    return events;
  }

  // Sample positions of the clicks (note-ons with a velocity).
  static std::vector<std::int64_t> clicks(const std::vector<TimedMidiEvent>& events) {
    std::vector<std::int64_t> at;
    for (const TimedMidiEvent& e : events)
      if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] > 0) at.push_back(e.sample);
    return at;
  }

  std::vector<std::int64_t> renderClicks(std::vector<std::string> options, int frames) {
    const std::string input = makeInput("in.wav", frames);
    std::vector<std::string> args = {"render",          QV_TEST_PLUGIN, input,
                                     path("out.wav"),   "--quiet",      "--events-out",
                                     path("events.txt")};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult run = quaverhost(args);
    EXPECT_EQ(run.code, 0) << run.err;
    return clicks(readEvents(path("events.txt")));
  }

  static std::string contents(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
  }

  // The folder's names besides `expected`: temporary files a run left behind.
  std::vector<std::string> litter(std::vector<std::string> expected) const {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (std::find(expected.begin(), expected.end(), name) == expected.end())
        found.push_back(name);
    }
    return found;
  }

  fs::path dir_;
};

TEST_F(Quaverhost, InfoShowsTheIdentityParametersAndPrograms) {
  const RunResult run = quaverhost({"info", QV_TEST_PLUGIN});
  ASSERT_EQ(run.code, 0) << run.err;
  for (const char* line :
       {"Effect name:     Quaverling\n", "Product:         Quaverling\n", "Vendor version:  1000\n",
        "VST version:     2300\n", "Unique ID:       'Qvrl' (0x5176726C)\n", "Version:         1\n",
        "Category:        1 (effect)\n", "Inputs:          2\n", "Outputs:         2\n",
        "Programs:        10\n", "Parameters:      17\n", "CanMono CanReplacing",
        "  receiveVstTimeInfo     1\n", "  sendVstMidiEvent       1\n",
        "  offline                -1\n", "  0: \"Multiplier\" = 0.357, \"1.5\" \"cycles/beat\"\n",
        "  16: \"\" = 0", "  0: \"Simple Sine Wave\"\n", "  9: \"Simple Sine Wave\"\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\nin:\n" << run.out;
}

TEST_F(Quaverhost, RenderKeepsTheLengthGivesFiniteStereoAndTheMetronome) {
  const int frames = 2 * 44100 + 17;
  const std::string input = makeInput("in.wav", frames, 1);
  const RunResult run =
      quaverhost({"render", QV_TEST_PLUGIN, input, path("out.wav"), "--random-blocks=3",
                  "--events-out", path("events.txt"), "--smf-out", path("events.mid")});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("Rendered"), std::string::npos);
  EXPECT_NE(run.out.find("reported its own time information"), std::string::npos)
      << "in tap modes the plug-in tells the host its tempo with audioMasterSetTime";
  qv::audio::WavFormat format;
  const std::vector<float> left = readChannel(path("out.wav"), 0, &format);
  const std::vector<float> right = readChannel(path("out.wav"), 1);
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.encoding, SampleEncoding::Float32);
  EXPECT_EQ(format.sampleRate, 44100u);
  ASSERT_EQ(left.size(), static_cast<size_t>(frames));
  for (size_t i = 0; i < left.size(); ++i)
    ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i])) << "frame " << i;

  const std::vector<TimedMidiEvent> events = readEvents(path("events.txt"));
  ASSERT_GE(clicks(events).size(), 3u) << "160 BPM gives a click every 0.375 s";
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].bytes[0], 0x97) << "channel 8 of the default program";
    EXPECT_EQ(events[i].bytes[1], 84);
    EXPECT_LT(events[i].sample, frames);
  }
  std::ifstream smf(path("events.mid"), std::ios::binary);
  char magic[4] = {};
  smf.read(magic, 4);
  EXPECT_EQ(std::string(magic, 4), "MThd");
  EXPECT_FALSE(fs::exists(path("out.wav.part")));
}

TEST_F(Quaverhost, DepthZeroPassesBothChannelsThroughUntouched) {
  const std::string input = makeInput("in.wav", 5000, 2, SampleEncoding::Float32);
  for (const char* mode : {"Stereo Mode=0", "Stereo Mode=1"}) {
    const RunResult run = quaverhost({"render", QV_TEST_PLUGIN, input, path("out.wav"), "--quiet",
                                      "--param", "depth=0", "--param", mode, "--block", "100"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(readChannel(path("out.wav"), 0), readChannel(input, 0)) << mode;
    EXPECT_EQ(readChannel(path("out.wav"), 1), readChannel(input, 1)) << mode;
  }
}

TEST_F(Quaverhost, TheHostTempoReachesThePluginInHostSync) {
  const int frames = 3 * 44100;
  const double tolerance = 256 + 2;  // clicks fall on block starts
  std::vector<std::int64_t> at =
      renderClicks({"--param", "Set tempo to=0.5", "--tempo", "90", "--block", "256"}, frames);
  ASSERT_GE(at.size(), 3u);
  EXPECT_NEAR(static_cast<double>(at.back() - at[at.size() - 2]), 29400.0, tolerance);

  at = renderClicks(
      {"--param", "Set tempo to=0.5", "--tempo", "90", "--block", "256", "--tempo-change", "1:180"},
      frames);
  ASSERT_GE(at.size(), 3u);
  EXPECT_NEAR(static_cast<double>(at.back() - at[at.size() - 2]), 14700.0, tolerance);

  // Without time information the program's own 160 BPM stays.
  at = renderClicks(
      {"--param", "Set tempo to=0.5", "--tempo", "90", "--block", "256", "--no-time-info"}, frames);
  ASSERT_GE(at.size(), 3u);
  EXPECT_NEAR(static_cast<double>(at.back() - at[at.size() - 2]), 16537.5, tolerance);
}

TEST_F(Quaverhost, TheSongPositionPlacesTheClicksInSongPositionSync) {
  // Starting half a beat before beat 1 at 120 BPM: beat 1 is at sample 11025, beat 2
  // at 33075; the clicks go out with the first blocks that start past them.
  std::vector<std::int64_t> at = renderClicks(
      {"--param", "Set tempo to=0.75", "--start-ppq", "0.5", "--block", "512"}, 44100 + 5000);
  ASSERT_GE(at.size(), 2u);
  EXPECT_EQ(at[0], 11264);
  EXPECT_EQ(at[1], 33280);
}

// In host sync the effect keeps its own beat clock, so a lead-in of silence with the
// transport stopped must sound as the same silence at the start of the song would,
// and a last block run whole as the song padded to whole blocks.
TEST_F(Quaverhost, LeadInAndWholeBlocksSoundAsTheSongPaddedWithSilence) {
  const int frames = 3 * 44100 + 123;
  const int leadIn = 40 * 512;
  const int padded = leadIn + frames + (512 - 123);
  const std::string input = makeInput("in.wav", frames);
  std::vector<float> left(static_cast<size_t>(padded), 0.0f), right(left.size(), 0.0f);
  const std::vector<float> songLeft = readChannel(input, 0), songRight = readChannel(input, 1);
  std::copy(songLeft.begin(), songLeft.end(), left.begin() + leadIn);
  std::copy(songRight.begin(), songRight.end(), right.begin() + leadIn);
  const float* data[2] = {left.data(), right.data()};
  qv::audio::WavWriter writer;
  std::string error;
  ASSERT_TRUE(writer.open(path("padded.wav"), {2, 44100, SampleEncoding::Float32}, error) &&
              writer.write(data, padded, error) && writer.finish(error))
      << error;

  const std::vector<std::string> common = {"--quiet", "--block", "512",           "--param",
                                           "8=0.5",   "--param", "Multiplier=0.6"};
  std::vector<std::string> song = {"render",         QV_TEST_PLUGIN, input,
                                   path("song.wav"), "--lead-in",    std::to_string(leadIn),
                                   "--whole-blocks", "--events-out", path("song.txt")};
  std::vector<std::string> whole = {"render",          QV_TEST_PLUGIN, path("padded.wav"),
                                    path("whole.wav"), "--events-out", path("whole.txt")};
  song.insert(song.end(), common.begin(), common.end());
  whole.insert(whole.end(), common.begin(), common.end());
  ASSERT_EQ(quaverhost(song).code, 0);
  ASSERT_EQ(quaverhost(whole).code, 0);

  for (int channel = 0; channel < 2; ++channel) {
    const std::vector<float> got = readChannel(path("song.wav"), channel);
    const std::vector<float> expected = readChannel(path("whole.wav"), channel);
    ASSERT_EQ(got.size(), static_cast<size_t>(frames)) << "only the song is written";
    for (size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(got[i], expected[i + leadIn]) << "channel " << channel << ", frame " << i;
  }
  std::vector<std::int64_t> expectedClicks;
  for (std::int64_t at : clicks(readEvents(path("whole.txt"))))
    if (at >= leadIn) expectedClicks.push_back(at - leadIn);
  const std::vector<std::int64_t> songClicks = clicks(readEvents(path("song.txt")));
  EXPECT_FALSE(songClicks.empty());
  EXPECT_EQ(songClicks, expectedClicks) << "the lead-in's clicks are dropped, the rest keep time";
}

TEST_F(Quaverhost, MidiTapsFromAFileReachThePlugin) {
  // Controller 25 on channel 8 (the default program's tap settings), four taps at 120 BPM.
  std::ofstream taps(path("taps.txt"));
  taps
      << "# four taps\n10000 cc 8 25 127\n32050 cc 8 25 127\n54100 cc 8 25 127\n76150 cc 8 25 127\n"
      << "76150 cc 8 25 126  # not a tap\n";
  taps.close();
  const std::vector<std::int64_t> at =
      renderClicks({"--midi-in", path("taps.txt"), "--block", "512"}, 3 * 44100);
  ASSERT_GE(at.size(), 3u);
  EXPECT_EQ(at[0], 9728) << "the first tap clicks in the block that holds it";
  EXPECT_NEAR(static_cast<double>(at.back() - at[at.size() - 2]), 22050.0, 1200.0)
      << "four taps set the tempo to about 120 BPM";
}

TEST_F(Quaverhost, BadInputsFailWithoutLeavingOutputFiles) {
  const std::string input = makeInput("in.wav", 1000);
  const std::string output = path("out.wav");
  std::ofstream(path("bad-taps.txt")) << "10 note 8 200 1\n";
  std::ofstream(path("not-audio.wav")) << "hello";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"render", path("missing.so"), input, output}, "cannot load"},
      {{"render", input, input, output}, "cannot load"},
      {{"render", QV_REFUSING_PLUGIN, input, output}, "returned no instance"},
      {{"info", QV_REFUSING_PLUGIN}, "returned no instance"},
      {{"render", QV_TEST_PLUGIN, path("missing.wav"), output}, "cannot open"},
      {{"render", QV_TEST_PLUGIN, path("not-audio.wav"), output}, "not a"},
      {{"render", QV_TEST_PLUGIN, input, output, "--wobble"}, "unknown option"},
      {{"render", QV_TEST_PLUGIN, input, output, "--param", "Wobble=0.5"}, "unknown parameter"},
      {{"render", QV_TEST_PLUGIN, input, output, "--param", "17=0.5"}, "out of range"},
      {{"render", QV_TEST_PLUGIN, input, output, "--param", "Depth=2"}, "from 0 to 1"},
      {{"render", QV_TEST_PLUGIN, input, output, "--program", "10"}, "does not exist"},
      {{"render", QV_TEST_PLUGIN, input, output, "--midi-in", path("bad-taps.txt")}, "line 1"},
      {{"render", QV_TEST_PLUGIN, input, output, "--midi-in", path("missing.txt")}, "cannot read"},
      {{"render", QV_TEST_PLUGIN, input, path("no-such-dir/out.wav")}, "cannot write"},
      {{"render", QV_TEST_PLUGIN, input, output, "--smf-out", path("no-such-dir/c.mid")},
       "cannot write"},
      {{"wobble"}, "unknown command"},
  };
  for (const auto& [args, reason] : cases) {
    const RunResult run = quaverhost(args);
    EXPECT_NE(run.code, 0) << args.back();
    EXPECT_NE(run.err.find(reason), std::string::npos) << args.back() << " -> " << run.err;
    EXPECT_FALSE(fs::exists(output)) << args.back();
    EXPECT_EQ(litter({"in.wav", "bad-taps.txt", "not-audio.wav"}), std::vector<std::string>{})
        << args.back() << ": no temporary file is left";
  }

  // A failed render leaves an older file of the same name as it was.
  std::ofstream(output) << "older";
  const std::vector<std::string> failing = {"render",       QV_TEST_PLUGIN, input,       output,
                                            "--events-out", path("ev.txt"), "--program", "99"};
  EXPECT_NE(quaverhost(failing).code, 0);
  std::ifstream older(output);
  std::string contents;
  older >> contents;
  EXPECT_EQ(contents, "older");
  EXPECT_FALSE(fs::exists(path("ev.txt")));
}

TEST_F(Quaverhost, AnInputNamedLikeATemporaryFileIsOnlyRead) {
  const std::string input = makeInput("x.wav.part", 3000);
  const std::string before = contents(input);
  const RunResult run = quaverhost({"render", QV_TEST_PLUGIN, input, path("x.wav"), "--quiet"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(contents(input), before);
  EXPECT_EQ(readChannel(path("x.wav"), 0).size(), 3000u);
  EXPECT_EQ(litter({"x.wav.part", "x.wav"}), std::vector<std::string>{});
}

TEST_F(Quaverhost, OutputsThatAreInputsOrEachOtherAreRefusedBeforeAnythingIsWritten) {
  const std::string input = makeInput("in.wav", 2000);
  const std::string output = path("out.wav");
  std::ofstream(output) << "older output";
  std::ofstream(path("taps.txt"), std::ios::binary) << "10 cc 8 25 127\n";
  const std::string plugin = path("plugin-copy");
  fs::copy_file(QV_TEST_PLUGIN, plugin);
  const std::string inputBytes = contents(input);
  const std::string pluginBytes = contents(plugin);
  const std::string sameInput = (dir_ / "." / "in.wav").string();
  const std::vector<std::vector<std::string>> clashes = {
      {"render", plugin, input, sameInput},
      {"render", plugin, input, output, "--events-out", input},
      {"render", plugin, input, output, "--events-out", output},
      {"render", plugin, input, output, "--smf-out", output},
      {"render", plugin, input, output, "--events-out", path("ev"), "--smf-out", path("ev")},
      {"render", plugin, input, output, "--smf-out", path("taps.txt"), "--midi-in",
       path("taps.txt")},
      {"render", plugin, input, plugin},
      {"render", plugin, input, output, "--events-out", plugin},
  };
  for (const std::vector<std::string>& args : clashes) {
    const RunResult run = quaverhost(args);
    EXPECT_EQ(run.code, 2) << args.back() << ": " << run.err;
    EXPECT_NE(run.err.find("is the same file as"), std::string::npos) << run.err;
    EXPECT_EQ(contents(input), inputBytes) << args.back();
    EXPECT_EQ(contents(output), "older output") << args.back();
    EXPECT_EQ(contents(path("taps.txt")), "10 cc 8 25 127\n");
    EXPECT_EQ(litter({"in.wav", "out.wav", "taps.txt", "plugin-copy"}), std::vector<std::string>{})
        << args.back();
  }
  EXPECT_EQ(contents(plugin), pluginBytes);
}

TEST_F(Quaverhost, FoldersAreNoInputsOrOutputs) {
  const std::string input = makeInput("in.wav", 2000);
  fs::create_directories(dir_ / "folder");
  const std::vector<std::vector<std::string>> cases = {
      {"render", QV_TEST_PLUGIN, input, path("out.wav"), "--midi-in", path("folder")},
      {"render", QV_TEST_PLUGIN, path("folder"), path("out.wav")},
      {"render", QV_TEST_PLUGIN, input, path("folder")},
      {"render", QV_TEST_PLUGIN, input, path("out.wav"), "--smf-out", path("folder")},
  };
  for (const std::vector<std::string>& args : cases) {
    const RunResult run = quaverhost(args);
    EXPECT_EQ(run.code, 1) << args.back();
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
    EXPECT_EQ(litter({"in.wav", "folder"}), std::vector<std::string>{}) << args.back();
  }
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));
}

TEST_F(Quaverhost, AWaveHeaderOutOfRangeIsRefused) {
  // A valid file whose sample rate field says 0xFFFFFFFF.
  const std::string input = makeInput("in.wav", 100);
  std::fstream patch(input, std::ios::in | std::ios::out | std::ios::binary);
  patch.seekp(24);
  patch.write("\xFF\xFF\xFF\xFF", 4);
  patch.close();
  const RunResult run = quaverhost({"render", QV_TEST_PLUGIN, input, path("out.wav")});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("sample rate"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(path("out.wav")));
}

TEST_F(Quaverhost, MessagesQuoteAtMost80CharactersOfAWord) {
  const std::string huge(1'000'000, 'x');
  const std::string input = makeInput("in.wav", 100);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"render", QV_TEST_PLUGIN, input, path("out.wav"), "--" + huge},
        {"render", QV_TEST_PLUGIN, input, path("out.wav"), "--block", huge},
        {"render", QV_TEST_PLUGIN, input, path("out.wav"), huge},
        {"render", QV_TEST_PLUGIN, input, path("out.wav"), "--param", huge + "=0.5"},
        {"render", QV_TEST_PLUGIN, huge, path("out.wav")},
        {"render", huge, input, path("out.wav")},
        {huge}}) {
    const RunResult run = quaverhost(args);
    EXPECT_NE(run.code, 0);
    const std::string firstLine = run.err.substr(0, run.err.find('\n'));
    EXPECT_LT(firstLine.size(), 200u) << firstLine.substr(0, 300);
    EXPECT_NE(firstLine.find("xxx..."), std::string::npos) << firstLine.substr(0, 300);
  }
}

TEST_F(Quaverhost, AFailedRenderLeavesEveryNamedOutputAsItWas) {
  const std::string input = makeInput("in.wav", 2000);
  std::ofstream(path("out.wav")) << "older audio";
  std::ofstream(path("ev.txt")) << "older events";
  // Fails once the plug-in is loaded (a commit that fails is covered by OutputFiles).
  const RunResult run =
      quaverhost({"render", QV_TEST_PLUGIN, input, path("out.wav"), "--events-out", path("ev.txt"),
                  "--smf-out", path("clicks.mid"), "--param", "Wobble=1"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(contents(path("out.wav")), "older audio");
  EXPECT_EQ(contents(path("ev.txt")), "older events");
  EXPECT_FALSE(fs::exists(path("clicks.mid")));
  EXPECT_EQ(litter({"in.wav", "out.wav", "ev.txt"}), std::vector<std::string>{});

  // The same run done right replaces all three.
  const RunResult good =
      quaverhost({"render", QV_TEST_PLUGIN, input, path("out.wav"), "--events-out", path("ev.txt"),
                  "--smf-out", path("clicks.mid"), "--quiet"});
  ASSERT_EQ(good.code, 0) << good.err;
  EXPECT_EQ(readChannel(path("out.wav"), 0).size(), 2000u);
  EXPECT_EQ(contents(path("ev.txt")).substr(0, 1), "#");
  EXPECT_EQ(contents(path("clicks.mid")).substr(0, 4), "MThd");
  EXPECT_EQ(litter({"in.wav", "out.wav", "ev.txt", "clicks.mid"}), std::vector<std::string>{});
}

}  // namespace
