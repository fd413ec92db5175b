// File dialogs on Linux through a desktop dialog program, played here by a script of the
// test's own that stands in for zenity on PATH.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "gui/platform/x11/DesktopDialogs.h"

namespace {

class DesktopDialogs : public testing::Test {
 protected:
  void SetUp() override {
    folder = testing::TempDir() + "dialog-programs";
    mkdir(folder.c_str(), 0700);
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    setenv("PATH", folder.c_str(), 1);
  }

  void TearDown() override {
    setenv("PATH", savedPath.c_str(), 1);
    std::remove((folder + "/zenity").c_str());
    rmdir(folder.c_str());
  }

  // A zenity that prints output and leaves with code.
  void fakeZenity(const std::string& output, int code) {
    const std::string script = folder + "/zenity";
    std::ofstream(script) << "#!/bin/sh\nprintf '" << output << "'\nexit " << code << "\n";
    chmod(script.c_str(), 0700);
  }

  bool run(platform::FileDialogKind kind) {
    request.kind = kind;
    request.answer = answer;
    request.answerCapacity = sizeof answer;
    return platform::x11::desktopDialogs().run(request);
  }

  std::string folder;
  std::string savedPath;
  platform::FileDialogRequest request;
  char answer[64] = {};
};

TEST_F(DesktopDialogs, WithoutADialogProgramEveryDialogIsCancelled) {
  EXPECT_FALSE(run(platform::FileDialogKind::Open));
  EXPECT_FALSE(run(platform::FileDialogKind::Folder));
}

TEST_F(DesktopDialogs, TheChosenFileIsTheAnswer) {
  fakeZenity("/home/user/beat.fxp\\n", 0);
  ASSERT_TRUE(run(platform::FileDialogKind::Open));
  EXPECT_STREQ(answer, "/home/user/beat.fxp");
}

TEST_F(DesktopDialogs, SeveralFilesComeAsTheirFolderAndTheirNames) {
  fakeZenity("/music/a.wav\\n/music/b.wav\\n", 0);
  ASSERT_TRUE(run(platform::FileDialogKind::OpenMultiple));
  EXPECT_EQ(std::string(answer, 28),
            std::string("/music\0a.wav\0b.wav\0\0", 20) + std::string(8, '\0'));
}

TEST_F(DesktopDialogs, CancellingOrTooLongAnAnswerIsNoChoice) {
  fakeZenity("", 1);
  EXPECT_FALSE(run(platform::FileDialogKind::Save));
  fakeZenity("/" + std::string(80, 'x') + "\\n", 0);
  EXPECT_FALSE(run(platform::FileDialogKind::Open));
  // Several names where one was asked for are no answer either.
  fakeZenity("/a\\n/b\\n", 0);
  EXPECT_FALSE(run(platform::FileDialogKind::Open));
}

}  // namespace
