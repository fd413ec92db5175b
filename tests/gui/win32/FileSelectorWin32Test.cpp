// The file selector with the platform's own dialogs, shown for real and answered from
// another thread as a user would answer them.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "editor/FileSelector.h"
#include "host/Vst2.h"

namespace {

BOOL CALLBACK findDialog(HWND window, LPARAM out) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The first visible dialog window of the thread, or null.
HWND shownDialog(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The user, on a thread of its own: waits for the dialog of the given thread, reads its
// caption, types a file name when one is given and presses OK, else presses the button.
std::thread answerDialog(DWORD thread, std::string typed, std::string* caption,
                         int button = IDCANCEL) {
  return std::thread([thread, typed, caption, button] {
    HWND dialog = nullptr;
    for (int tries = 0; tries < 500 && !dialog; ++tries) {
      Sleep(20);
      dialog = shownDialog(thread);
    }
    if (!dialog) return;
    // The dialog shows its first folder after it became visible.
    Sleep(500);
    char text[512] = "";
    GetWindowTextA(dialog, text, sizeof text);
    *caption = text;
    if (!typed.empty()) {
      // The name box is a combo box in newer dialogs, an edit box in older ones.
      for (const int box : {cmb13, edt1}) {
        SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(box),
                     reinterpret_cast<LPARAM>(typed.c_str()));
      }
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    } else {
      PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    }
    // A dialog that did not take the answer is cancelled, so that the test cannot hang.
    for (int tries = 0; tries < 100 && IsWindow(dialog); ++tries) Sleep(20);
    if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

// The temporary folder without its final backslash.
std::string tempFolder() {
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  std::string path = folder;
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

TEST(Win32FileSelector, TheSaveDialogNamesItsFolderInTheCaptionAndCancelChoosesNothing) {
  std::string folder = tempFolder();
  VstFileSelect selection{};
  selection.command = kVstFileSave;
  std::strcpy(selection.title, "Save the loop");
  selection.initialPath = folder.data();
  FileSelector selector(nullptr);
  std::string caption;
  std::thread user = answerDialog(GetCurrentThreadId(), "", &caption);
  EXPECT_EQ(selector.run(&selection), 0);
  user.join();
  EXPECT_EQ(selection.nbReturnPath, 0);
  EXPECT_EQ(caption, "Save the loop - [" + folder + "]");
}

TEST(Win32FileSelector, TheLoadDialogReturnsTheChosenFile) {
  const std::string folder = tempFolder();
  const std::string file = folder + "\\quaverling-choice.wav";
  HANDLE made = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  CloseHandle(made);
  VstFileType wave{};
  std::strcpy(wave.name, "Wave");
  std::strcpy(wave.dosType, "wav");
  VstFileSelect selection{};
  selection.command = kVstFileLoad;
  selection.nbFileTypes = 1;
  selection.fileTypes = &wave;
  std::string caption;
  {
    FileSelector selector(nullptr);
    std::thread user = answerDialog(GetCurrentThreadId(), file, &caption);
    EXPECT_EQ(selector.run(&selection), 1);
    user.join();
    ASSERT_NE(selection.returnPath, nullptr);
    EXPECT_STRCASEEQ(selection.returnPath, file.c_str());
    EXPECT_EQ(selection.reserved, 1);
  }
  EXPECT_EQ(selection.returnPath, nullptr);
  DeleteFileA(file.c_str());
}

TEST(Win32FileSelector, SeveralChosenFilesAreJoinedToTheirFolder) {
  std::string folder = tempFolder();
  for (const char* name : {"quaverling-a.wav", "quaverling-b.wav"}) {
    HANDLE made = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
  }
  VstFileSelect selection{};
  selection.command = kVstMultipleFilesLoad;
  selection.initialPath = folder.data();
  FileSelector selector(nullptr);
  std::string caption;
  std::thread user =
      answerDialog(GetCurrentThreadId(), "\"quaverling-a.wav\" \"quaverling-b.wav\"", &caption);
  const std::int32_t count = selector.run(&selection);
  user.join();
  ASSERT_EQ(count, 2);
  std::vector<std::string> chosen{selection.returnMultiplePaths[0],
                                  selection.returnMultiplePaths[1]};
  std::sort(chosen.begin(), chosen.end());
  EXPECT_EQ(chosen, (std::vector<std::string>{folder + "\\quaverling-a.wav",
                                              folder + "\\quaverling-b.wav"}));
  DeleteFileA(chosen[0].c_str());
  DeleteFileA(chosen[1].c_str());
}

TEST(Win32FileSelector, TheFolderPickerStartsInTheInitialFolderAndReturnsIt) {
  std::string folder = tempFolder();
  VstFileSelect selection{};
  selection.command = kVstDirectorySelect;
  std::strcpy(selection.title, "Pick a folder");
  selection.initialPath = folder.data();
  char chosen[1024] = "";
  selection.returnPath = chosen;
  selection.sizeReturnPath = sizeof chosen;
  FileSelector selector(nullptr);
  std::string caption;
  // OK takes the folder selected at the start.
  std::thread user = answerDialog(GetCurrentThreadId(), "", &caption, IDOK);
  EXPECT_EQ(selector.run(&selection), 1);
  user.join();
  EXPECT_STRCASEEQ(chosen, folder.c_str());
}

}  // namespace
