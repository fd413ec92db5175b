#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/quaverhost/RenderOptions.h"

namespace {

using qv::hostcli::RenderOptions;

bool parse(std::vector<std::string> args, RenderOptions& options, std::string& error) {
  return qv::hostcli::parseRenderOptions(args, options, error);
}

TEST(RenderOptions, ReadsEveryOptionInEitherSpelling) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(parse({"--block=64",
                     "p.so",
                     "--program",
                     "3",
                     "in.wav",
                     "--param",
                     "Depth=0.9",
                     "--param=2=0",
                     "--tempo",
                     "98.5",
                     "--start-ppq=1.5",
                     "--stopped",
                     "--tempo-change",
                     "2.5:140",
                     "--tempo-change=4:60",
                     "--no-time-info",
                     "--midi-in",
                     "taps.txt",
                     "--events-out=ev.txt",
                     "--smf-out",
                     "ev.mid",
                     "--bits",
                     "24",
                     "--quiet",
                     "out.wav"},
                    o, error))
      << error;
  EXPECT_EQ(o.plugin, "p.so");
  EXPECT_EQ(o.input, "in.wav");
  EXPECT_EQ(o.output, "out.wav");
  EXPECT_EQ(o.blockSize, 64);
  EXPECT_FALSE(o.randomSeed.has_value());
  EXPECT_EQ(o.program, 3);
  ASSERT_EQ(o.parameters.size(), 2u);
  EXPECT_EQ(o.parameters[0].key, "Depth");
  EXPECT_FLOAT_EQ(o.parameters[0].value, 0.9f);
  EXPECT_EQ(o.parameters[1].key, "2");
  EXPECT_EQ(o.tempo, 98.5);
  EXPECT_EQ(o.startPpq, 1.5);
  EXPECT_TRUE(o.stopped);
  EXPECT_FALSE(o.timeInfo);
  ASSERT_EQ(o.tempoChanges.size(), 2u);
  EXPECT_EQ(o.tempoChanges[0].seconds, 2.5);
  EXPECT_EQ(o.tempoChanges[1].bpm, 60.0);
  EXPECT_EQ(o.midiIn, "taps.txt");
  EXPECT_EQ(o.eventsOut, "ev.txt");
  EXPECT_EQ(o.smfOut, "ev.mid");
  EXPECT_EQ(o.encoding, qv::audio::SampleEncoding::Pcm24);
  EXPECT_TRUE(o.quiet);

  RenderOptions random;
  ASSERT_TRUE(parse({"a", "b", "c", "--random-blocks"}, random, error));
  EXPECT_EQ(random.randomSeed, 1u);
  ASSERT_TRUE(parse({"a", "b", "c", "--random-blocks=42", "--param", "Beat Length/Tempo=1"}, random,
                    error));
  EXPECT_EQ(random.randomSeed, 42u);
  EXPECT_EQ(random.parameters.back().key, "Beat Length/Tempo");
}

TEST(RenderOptions, ReplaysAHostsTransportWithLeadInFirstBlockAndPositionGrid) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(parse({"a", "b", "c", "--lead-in", "94976", "--first-block=256", "--ppq-resolution",
                     "1920", "--whole-blocks"},
                    o, error))
      << error;
  EXPECT_EQ(o.leadIn, 94976);
  EXPECT_EQ(o.firstBlock, 256);
  EXPECT_EQ(o.ppqResolution, 1920);
  EXPECT_TRUE(o.wholeBlocks);

  RenderOptions plain;
  ASSERT_TRUE(parse({"a", "b", "c", "--lead-in=0", "--first-block", "8192"}, plain, error));
  EXPECT_EQ(plain.leadIn, 0);
  EXPECT_EQ(plain.firstBlock, 8192);
  EXPECT_EQ(plain.ppqResolution, 0) << "exact positions unless asked";
  EXPECT_FALSE(plain.wholeBlocks);
}

TEST(RenderOptions, RefusesBadCommandLinesNamingTheCulprit) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"a", "b"}, "needs PLUGIN"},
      {{"a", "b", "c", "d"}, "unexpected argument 'd'"},
      {{"a", "b", "c", "--frobnicate"}, "unknown option --frobnicate"},
      {{"a", "b", "c", "--block"}, "--block needs a value"},
      {{"a", "b", "c", "--block", "0"}, "--block"},
      {{"a", "b", "c", "--block", "8193"}, "--block"},
      {{"a", "b", "c", "--block", "12x"}, "--block"},
      {{"a", "b", "c", "--random-blocks=-1"}, "seed"},
      {{"a", "b", "c", "--program", "-1"}, "--program"},
      {{"a", "b", "c", "--param", "Depth"}, "INDEX=VALUE"},
      {{"a", "b", "c", "--param", "=0.5"}, "INDEX=VALUE"},
      {{"a", "b", "c", "--param", "Depth=1.5"}, "from 0 to 1"},
      {{"a", "b", "c", "--param", "Depth=-0.1"}, "from 0 to 1"},
      {{"a", "b", "c", "--param", "Depth=nan"}, "from 0 to 1"},
      {{"a", "b", "c", "--param", "Depth=inf"}, "from 0 to 1"},
      {{"a", "b", "c", "--tempo", "0"}, "--tempo"},
      {{"a", "b", "c", "--tempo", "1e400"}, "--tempo"},
      {{"a", "b", "c", "--tempo", "nan"}, "--tempo"},
      {{"a", "b", "c", "--start-ppq", "-1"}, "--start-ppq"},
      {{"a", "b", "c", "--tempo-change", "5"}, "SECONDS:BPM"},
      {{"a", "b", "c", "--tempo-change", "-1:120"}, "SECONDS:BPM"},
      {{"a", "b", "c", "--tempo-change", "1:5000"}, "SECONDS:BPM"},
      {{"a", "b", "c", "--bits", "8"}, "16, 24, 32 or 32f"},
      {{"a", "b", "c", "--stopped=yes"}, "takes no value"},
      {{"a", "b", "c", "--midi-in="}, "file name"},
      {{"a", "b", "c", "--lead-in", "-1"}, "--lead-in"},
      {{"a", "b", "c", "--lead-in", "100000001"}, "--lead-in"},
      {{"a", "b", "c", "--lead-in", "1.5"}, "--lead-in"},
      {{"a", "b", "c", "--first-block", "0"}, "--first-block"},
      {{"a", "b", "c", "--first-block", "8193"}, "--first-block"},
      {{"a", "b", "c", "--first-block"}, "--first-block needs a value"},
      {{"a", "b", "c", "--ppq-resolution", "0"}, "--ppq-resolution"},
      {{"a", "b", "c", "--whole-blocks=1"}, "takes no value"},
      {{"a", "b", "c", "--ppq-resolution", "2000000"}, "--ppq-resolution"},
  };
  for (const auto& [args, reason] : bad) {
    RenderOptions o;
    std::string error;
    EXPECT_FALSE(parse(args, o, error)) << args.back();
    EXPECT_NE(error.find(reason), std::string::npos) << args.back() << " -> " << error;
  }
}

}  // namespace
