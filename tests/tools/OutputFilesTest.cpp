// The tools' output files: which paths name one file, refusing clashes before
// anything is written, temporary files that never touch an existing file, and
// commits that happen for all files or for none.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/common/EchoedWord.h"
#include "tools/common/FileIdentity.h"
#include "tools/common/OutputPaths.h"
#include "tools/common/PendingFile.h"

namespace {

namespace fs = std::filesystem;
using qv::tools::NamedFile;
using qv::tools::PathCheck;
using qv::tools::PendingFile;

class OutputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qv_outputs_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::string make(const std::string& name, const std::string& contents) const {
    std::ofstream(path(name), std::ios::binary) << contents;
    return path(name);
  }

  static std::string contents(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
  }

  // Every name in the folder, to see that nothing was left behind.
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  static PathCheck check(std::vector<NamedFile> inputs, std::vector<NamedFile> outputs,
                         std::string& error) {
    return qv::tools::checkFiles(inputs, outputs, error);
  }

  fs::path dir_;
};

TEST(EchoedWord, CutsLongWordsAndHidesControlCharacters) {
  using qv::tools::echoedWord;
  EXPECT_EQ(echoedWord(""), "");
  EXPECT_EQ(echoedWord(std::string(80, 'a')), std::string(80, 'a')) << "80 fit";
  EXPECT_EQ(echoedWord(std::string(81, 'a')), std::string(77, 'a') + "...");
  EXPECT_EQ(echoedWord(std::string(5'000'000, 'x')).size(), 80u);
  EXPECT_EQ(echoedWord("a\nb\x1b[2Jc\x7f"), "a?b?[2Jc?") << "no line breaks or terminal codes";
  // A two-byte character across the cut is dropped whole, not split.
  const std::string umlauts = std::string(76, 'a') + "\xC3\xA4\xC3\xA4\xC3\xA4";
  EXPECT_EQ(echoedWord(umlauts), std::string(76, 'a') + "...");
}

TEST_F(OutputFiles, OneFileUnderDifferentSpellingsIsOneFile) {
  const std::string in = make("in.wav", "audio");
  fs::create_directories(dir_ / "sub");
  const std::vector<std::string> spellings = {in, (dir_ / "." / "in.wav").string(),
                                              (dir_ / "sub" / ".." / "in.wav").string()};
  for (const std::string& spelling : spellings) {
    std::string error;
    EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", spelling}}, error), PathCheck::Clash)
        << spelling;
    EXPECT_NE(error.find("OUT.wav"), std::string::npos) << error;
    EXPECT_NE(error.find("IN.wav"), std::string::npos) << error;
  }
  std::error_code linkError;
  fs::create_hard_link(in, path("hard.wav"), linkError);
  if (!linkError) {
    std::string error;
    EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", path("hard.wav")}}, error), PathCheck::Clash)
        << "a hard link is the same file";
  }
#ifndef _WIN32
  fs::create_symlink(in, path("link.wav"));
  fs::create_directory_symlink(dir_ / "sub", path("sublink"));
  std::string error;
  EXPECT_EQ(check({{"IN.wav", path("link.wav")}}, {{"OUT.wav", in}}, error), PathCheck::Clash)
      << "a symbolic link leads to the same file";
  // Not yet there, but one file through a linked folder.
  EXPECT_EQ(
      check({}, {{"OUT.wav", path("sub/new.wav")}, {"--smf-out", path("sublink/new.wav")}}, error),
      PathCheck::Clash);
#endif
}

TEST_F(OutputFiles, OutputsClashWithEachOtherEvenBeforeTheyExist) {
  const std::string in = make("in.wav", "audio");
  std::string error;
  EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", path("out.wav")}, {"--events-out", "x"}}, error),
            PathCheck::Ok)
      << error;
  EXPECT_EQ(check({{"IN.wav", in}},
                  {{"OUT.wav", path("out.wav")},
                   {"--events-out", path("ev.txt")},
                   {"--smf-out", (dir_ / "." / "ev.txt").string()}},
                  error),
            PathCheck::Clash);
  EXPECT_NE(error.find("--smf-out"), std::string::npos) << error;
  EXPECT_NE(error.find("--events-out"), std::string::npos) << error;
#ifdef _WIN32
  EXPECT_EQ(check({}, {{"OUT.wav", path("new.wav")}, {"--smf-out", path("NEW.WAV")}}, error),
            PathCheck::Clash)
      << "Windows file names ignore case";
#endif
  // Two inputs may well be one file: reading twice harms nothing.
  EXPECT_EQ(check({{"IN.wav", in}, {"--midi-in", in}}, {{"OUT.wav", path("out.wav")}}, error),
            PathCheck::Ok);
  EXPECT_EQ(names(), std::vector<std::string>{"in.wav"}) << "checking creates nothing";
}

TEST_F(OutputFiles, FoldersAndDevicesAreNoInputsOrOutputs) {
  fs::create_directories(dir_ / "folder");
  const std::string in = make("in.wav", "audio");
  std::string error;
  EXPECT_EQ(check({{"--midi-in", path("folder")}}, {{"OUT.wav", path("out.wav")}}, error),
            PathCheck::Unusable);
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", path("folder")}}, error), PathCheck::Unusable);
#ifndef _WIN32
  EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", "/dev/null"}}, error), PathCheck::Unusable)
      << "renaming over a device would replace it";
  EXPECT_EQ(check({{"IN.wav", "/dev/zero"}}, {{"OUT.wav", path("out.wav")}}, error),
            PathCheck::Unusable);
#endif
  EXPECT_EQ(check({{"IN.wav", path("missing.wav")}}, {{"OUT.wav", path("out.wav")}}, error),
            PathCheck::Ok)
      << "a missing input is left to its reader to report";
  EXPECT_EQ(check({}, {{"OUT.wav", ""}}, error), PathCheck::Unusable);
  EXPECT_NE(error.find("needs a file name"), std::string::npos) << error;
  EXPECT_EQ(check({{"IN.wav", in}}, {{"OUT.wav", std::string(5'000'000, 'x')}}, error),
            PathCheck::Ok);
  EXPECT_EQ(check({{"IN.wav", std::string(5'000'000, 'x')}}, {{"OUT.wav", path("folder")}}, error),
            PathCheck::Unusable);
  EXPECT_LT(error.size(), 200u) << "the path is cut in the message";
}

TEST_F(OutputFiles, TemporaryFilesNeverTouchAnExistingFile) {
  const std::string target = make("out.wav", "older");
  PendingFile first(target);
  PendingFile second(target);
  std::string error;
  ASSERT_TRUE(first.create(error)) << error;
  ASSERT_TRUE(second.create(error)) << error << ": a second one gets a name of its own";
  EXPECT_EQ(names().size(), 3u);
  EXPECT_EQ(contents(target), "older") << "nothing is written to the final name before commit";
  EXPECT_FALSE(first.create(error)) << "one temporary file each";
  std::fputs("newer", first.stream());
  ASSERT_TRUE(first.commit(error)) << error;
  EXPECT_EQ(contents(target), "newer");
  EXPECT_FALSE(first.commit(error)) << "committed once";
  EXPECT_EQ(contents(target), "newer");

  PendingFile inMissingFolder(path("no-such-folder/out.wav"));
  EXPECT_FALSE(inMissingFolder.writeAll({1, 2, 3}, error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  PendingFile neverCreated(path("never.wav"));
  EXPECT_FALSE(neverCreated.commit(error));
  EXPECT_FALSE(fs::exists(path("never.wav")));
}

TEST_F(OutputFiles, AnUncommittedFileLeavesTheOlderOneAndNoLitter) {
  const std::string target = make("out.wav", "older");
  {
    PendingFile file(target);
    std::string error;
    ASSERT_TRUE(file.writeAll({'n', 'e', 'w'}, error)) << error;
  }
  EXPECT_EQ(contents(target), "older");
  EXPECT_EQ(names(), std::vector<std::string>{"out.wav"});
}

TEST_F(OutputFiles, SeveralFilesAreCommittedAllOrNone) {
  const std::string wav = make("out.wav", "old audio");
  const std::string events = make("events.txt", "old events");
  const std::string smf = path("clicks.mid");  // not there before
  {
    PendingFile a(wav), b(events), c(smf);
    std::string error;
    ASSERT_TRUE(a.writeAll({'A'}, error) && b.writeAll({'B'}, error) && c.writeAll({'C'}, error));
    // The last rename fails: the first two must be put back as they were.
    fs::create_directories(dir_ / "blocker");
    std::ofstream(dir_ / "blocker" / "inside") << "x";
    PendingFile d(path("blocker"));
    ASSERT_TRUE(d.writeAll({'D'}, error)) << error;
    PendingFile* all[] = {&a, &b, &c, &d};
    EXPECT_FALSE(PendingFile::commitAll(all, error));
    EXPECT_NE(error.find("blocker"), std::string::npos) << error;
  }
  EXPECT_EQ(contents(wav), "old audio");
  EXPECT_EQ(contents(events), "old events");
  EXPECT_FALSE(fs::exists(smf)) << "a file that was not there is not there after a failure";
  EXPECT_EQ(names(), (std::vector<std::string>{"blocker", "events.txt", "out.wav"}));

  {
    PendingFile a(wav), b(events), c(smf);
    std::string error;
    ASSERT_TRUE(a.writeAll({'A'}, error) && b.writeAll({'B'}, error) && c.writeAll({'C'}, error));
    PendingFile* all[] = {&a, &b, &c};
    EXPECT_TRUE(PendingFile::commitAll(all, error)) << error;
  }
  EXPECT_EQ(contents(wav), "A");
  EXPECT_EQ(contents(events), "B");
  EXPECT_EQ(contents(smf), "C");
  EXPECT_EQ(names(), (std::vector<std::string>{"blocker", "clicks.mid", "events.txt", "out.wav"}));
}

}  // namespace
