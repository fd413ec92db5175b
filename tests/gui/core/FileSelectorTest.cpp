// The file selector through a scripted host and through the software backend's dialogs,
// answered by the scripted user.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorBase.h"
#include "editor/FileSelector.h"
#include "gui/core/Frame.h"
#include "gui/platform/software/ScriptedDialogs.h"
#include "gui/platform/software/WindowTree.h"
#include "host/ExtendedEffect.h"

namespace {

using Filters = std::vector<std::pair<std::string, std::string>>;
using platform::FileDialogKind;

// The host: answers canDo for the texts it knows, and runs its own selector.
struct ScriptedHost {
  std::set<std::string> canDo;
  bool selectorSucceeds = true;
  std::int32_t opened = 0;
  std::int32_t closed = 0;
};
ScriptedHost* currentHost = nullptr;

intptr VSTCALLBACK scriptedHostCallback(AEffect*, int32 opcode, int32, intptr, void* ptr, float) {
  ScriptedHost& host = *currentHost;
  switch (opcode) {
    case audioMasterCanDo:
      return host.canDo.count(static_cast<const char*>(ptr)) ? 1 : -1;
    case audioMasterOpenFileSelector: {
      ++host.opened;
      auto* selection = static_cast<VstFileSelect*>(ptr);
      selection->nbReturnPath = 1;
      return host.selectorSucceeds ? 1 : 0;
    }
    case audioMasterCloseFileSelector:
      ++host.closed;
      return 1;
    default:
      return 0;
  }
}

class Effect : public ExtendedEffect {
 public:
  Effect() : ExtendedEffect(scriptedHostCallback, 1, 1) {}
  void process(float**, float**, int32) override {}
};

// An editor with a frame open in a host window.
class OpenEditor : public EditorBase {
 public:
  OpenEditor(ExtendedEffect* owner, platform::WindowHandle parent) : EditorBase(owner) {
    frame = new Frame(Rect(0, 0, 293, 249), parent, this);
  }
};

VstFileType fileType(const char* name, const char* dos, const char* unixType) {
  VstFileType type{};
  std::strncpy(type.name, name, sizeof type.name - 1);
  std::strncpy(type.dosType, dos, sizeof type.dosType - 1);
  std::strncpy(type.unixType, unixType, sizeof type.unixType - 1);
  return type;
}

class FileSelectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    currentHost = &host;
    dialogs.reset();
    tree.reset();
  }
  void TearDown() override {
    currentHost = nullptr;
    dialogs.reset();
    tree.reset();
  }

  VstFileSelect request(std::int32_t command, const char* title = "") {
    VstFileSelect selection{};
    selection.command = command;
    std::strncpy(selection.title, title, sizeof selection.title - 1);
    selection.nbFileTypes = static_cast<std::int32_t>(types.size());
    selection.fileTypes = types.data();
    return selection;
  }
  const platform::software::ShownDialog& lastDialog() { return dialogs.shown().back(); }

  ScriptedHost host;
  Effect effect;
  std::vector<VstFileType> types;
  platform::software::ScriptedDialogs& dialogs = platform::software::scriptedDialogs();
  platform::software::WindowTree& tree = platform::software::windowTree();
};

TEST_F(FileSelectorTest, AHostThatCanDoBothRunsTheSelectionAndClosesIt) {
  host.canDo = {"openFileSelector", "closeFileSelector"};
  VstFileSelect selection = request(kVstFileLoad);
  {
    FileSelector selector(&effect);
    EXPECT_EQ(selector.run(&selection), 1);
    EXPECT_EQ(host.opened, 1);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(host.closed, 0);
    // Another run closes the last selection first.
    host.selectorSucceeds = false;
    EXPECT_EQ(selector.run(&selection), 0);
    EXPECT_EQ(host.closed, 1);
  }
  EXPECT_EQ(host.closed, 2);
}

TEST_F(FileSelectorTest, AHostThatCanDoOnlyOneLeavesTheSelectionToTheDialogs) {
  for (const char* only : {"openFileSelector", "closeFileSelector"}) {
    host = ScriptedHost{{only}};
    dialogs.answerWith({"C:\\Songs\\a.wav"});
    VstFileSelect selection = request(kVstFileLoad);
    {
      FileSelector selector(&effect);
      EXPECT_EQ(selector.run(&selection), 1);
      EXPECT_STREQ(selection.returnPath, "C:\\Songs\\a.wav");
      EXPECT_EQ(selection.sizeReturnPath, 15);
      EXPECT_EQ(selection.reserved, 1);
    }
    // The selector frees its own path: the host never saw this selection.
    EXPECT_EQ(host.opened, 0);
    EXPECT_EQ(host.closed, 0);
    EXPECT_EQ(selection.returnPath, nullptr);
    EXPECT_EQ(selection.sizeReturnPath, 0);
  }
  EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(FileSelectorTest, LoadFiltersListEachTypeThenAllTypesThenAnyType) {
  types = {fileType("Wave", "wav", "wav"), fileType("AIFF", "aif", "aiff"),
           fileType("Text", "txt", ""), fileType("Wave again", "wav", "")};
  dialogs.answerWith({"C:\\a.wav"});
  VstFileSelect selection = request(kVstFileLoad, "Load a loop");
  selection.initialPath = const_cast<char*>("C:\\Loops");
  FileSelector selector(&effect);
  selector.run(&selection);
  const platform::software::ShownDialog& shown = lastDialog();
  EXPECT_EQ(shown.kind, FileDialogKind::Open);
  EXPECT_EQ(shown.title, "Load a loop");
  EXPECT_EQ(shown.initialFolder, "C:\\Loops");
  EXPECT_EQ(shown.answerCapacity, 1024);
  EXPECT_EQ(shown.filters,
            (Filters{{"Wave (.wav)", "*.wav"},
                     {"AIFF (.aif)", "*.aif;*.aiff"},
                     {"Text (.txt)", "*.txt"},
                     {"Wave again (.wav)", "*.wav"},
                     {"All Types: (*.wav;*.aif;*.aiff;*.txt)", "*.wav;*.aif;*.aiff;*.txt"},
                     {"Any Type (*.*)", "*.*"}}));
}

TEST_F(FileSelectorTest, OneExtensionNeedsNoAllTypesEntryAndFullFieldsAreRead) {
  VstFileType full{};
  std::memset(full.name, 'N', sizeof full.name);
  std::memset(full.dosType, 'd', sizeof full.dosType);
  std::memset(full.unixType, 'd', sizeof full.unixType);
  types = {full};
  VstFileSelect selection = request(kVstMultipleFilesLoad);
  std::memset(selection.title, 'T', sizeof selection.title);
  FileSelector selector(&effect);
  EXPECT_EQ(selector.run(&selection), 0);
  const std::string dos(8, 'd');
  EXPECT_EQ(lastDialog().filters, (Filters{{std::string(128, 'N') + " (." + dos + ")", "*." + dos},
                                           {"Any Type (*.*)", "*.*"}}));
  EXPECT_EQ(lastDialog().title, std::string(1024, 'T'));
  EXPECT_EQ(lastDialog().answerCapacity, 102400);
}

TEST_F(FileSelectorTest, SaveListsOnlyTheTypesAndNamesTheFolderInTheCaption) {
  types = {fileType("AIFF", "aif", "aiff"), fileType("Wave", "wav", "")};
  dialogs.browseFolders({"C:\\Songs", "D:\\"});
  dialogs.answerWith({"C:\\Songs\\new.aif"});
  VstFileSelect titled = request(kVstFileSave, "Save the loop");
  FileSelector selector(&effect);
  EXPECT_EQ(selector.run(&titled), 1);
  EXPECT_EQ(lastDialog().kind, FileDialogKind::Save);
  EXPECT_EQ(lastDialog().filters, (Filters{{"AIFF (.aif)", "*.aif"}, {"Wave (.wav)", "*.wav"}}));
  EXPECT_EQ(lastDialog().defaultExtension, "aif");
  EXPECT_EQ(lastDialog().captions,
            (std::vector<std::string>{"Save the loop - [C:\\Songs]", "Save the loop - [D:\\]"}));

  // Without a title the dialog keeps its own caption up to the space before the first dash.
  dialogs.setPlatformCaption("Save As");
  VstFileSelect untitled = request(kVstFileSave);
  selector.run(&untitled);
  EXPECT_FALSE(lastDialog().hasTitle);
  EXPECT_EQ(lastDialog().captions,
            (std::vector<std::string>{"Save As - [C:\\Songs]", "Save As - [D:\\]"}));

  // A deep folder is cut so that the whole caption keeps to 322 characters.
  const std::string deep = "C:\\" + std::string(400, 'f');
  dialogs.browseFolders({deep});
  selector.run(&titled);
  const std::string& caption = lastDialog().captions.at(0);
  EXPECT_EQ(caption.size(), 322u);
  EXPECT_EQ(caption.substr(0, 20), "Save the loop - [C:\\");
  EXPECT_EQ(caption.back(), ']');

  // No types: no filter and no default extension.
  types.clear();
  VstFileSelect bare = request(kVstFileSave);
  selector.run(&bare);
  EXPECT_TRUE(lastDialog().filters.empty());
  EXPECT_TRUE(lastDialog().defaultExtension.empty());
}

TEST_F(FileSelectorTest, FolderPickerReturnsTheChosenFolder) {
  types = {fileType("Wave", "wav", "")};
  dialogs.answerWith({"C:\\Loops\\Drums"});
  VstFileSelect selection = request(kVstDirectorySelect, "Pick a folder");
  char folder[64] = "old";
  selection.returnPath = folder;
  selection.sizeReturnPath = sizeof folder;
  FileSelector selector(&effect);
  EXPECT_EQ(selector.run(&selection), 1);
  EXPECT_EQ(lastDialog().kind, FileDialogKind::Folder);
  EXPECT_TRUE(lastDialog().filters.empty());
  EXPECT_STREQ(folder, "C:\\Loops\\Drums");
  EXPECT_EQ(selection.reserved, 0);
  // An empty choice is no choice.
  dialogs.answerWith({""});
  EXPECT_EQ(selector.run(&selection), 0);
}

TEST_F(FileSelectorTest, AGivenReturnPathGetsOnlyAPathThatFits) {
  dialogs.answerWith({"C:\\Songs\\a.wav"});
  char small[14] = "untouched";
  VstFileSelect selection = request(kVstFileLoad);
  selection.returnPath = small;
  selection.sizeReturnPath = sizeof small;
  FileSelector selector(&effect);
  EXPECT_EQ(selector.run(&selection), 0);
  EXPECT_EQ(selection.nbReturnPath, 0);
  EXPECT_STREQ(small, "");
  selection.sizeReturnPath = 0;
  EXPECT_EQ(selector.run(&selection), 0);

  char exact[15];
  selection.returnPath = exact;
  selection.sizeReturnPath = sizeof exact;
  EXPECT_EQ(selector.run(&selection), 1);
  EXPECT_STREQ(exact, "C:\\Songs\\a.wav");
}

TEST_F(FileSelectorTest, CancelAndUnknownCommandsChooseNothing) {
  dialogs.cancelNext();
  char path[32] = "stale";
  VstFileSelect selection = request(kVstFileLoad);
  selection.returnPath = path;
  selection.sizeReturnPath = sizeof path;
  selection.nbReturnPath = 5;
  FileSelector selector(&effect);
  EXPECT_EQ(selector.run(&selection), 0);
  EXPECT_EQ(selection.nbReturnPath, 0);
  EXPECT_STREQ(path, "");

  dialogs.answerWith({"C:\\a.wav"});
  VstFileSelect unknown = request(4);
  EXPECT_EQ(selector.run(&unknown), 0);
  VstFileSelect negative = request(-1);
  EXPECT_EQ(selector.run(&negative), 0);
  EXPECT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(selector.run(nullptr), 0);
}

TEST_F(FileSelectorTest, SeveralFilesAreJoinedToTheirFolder) {
  VstFileSelect selection = request(kVstMultipleFilesLoad);
  FileSelector selector(&effect);
  dialogs.answerWith({"C:\\Songs", "a.wav", "b.wav"});
  ASSERT_EQ(selector.run(&selection), 2);
  EXPECT_EQ(lastDialog().kind, FileDialogKind::OpenMultiple);
  EXPECT_STREQ(selection.returnMultiplePaths[0], "C:\\Songs\\a.wav");
  EXPECT_STREQ(selection.returnMultiplePaths[1], "C:\\Songs\\b.wav");

  // Running the same request again replaces the paths (the old ones are freed).
  dialogs.answerWith({"D:\\", "c.wav"});
  ASSERT_EQ(selector.run(&selection), 1);
  EXPECT_STREQ(selection.returnMultiplePaths[0], "D:\\c.wav");

  dialogs.answerWith({"E:\\One\\only.wav"});
  ASSERT_EQ(selector.run(&selection), 1);
  EXPECT_STREQ(selection.returnMultiplePaths[0], "E:\\One\\only.wav");
}

TEST_F(FileSelectorTest, AtMostTheLimitOfPathsIsStoredAndAllAreReleased) {
  std::vector<std::string> answer{"C:\\Many"};
  for (int i = 0; i < FileSelector::kMaxPaths + 5; ++i) answer.push_back(std::to_string(i));
  dialogs.answerWith(answer);
  VstFileSelect selection = request(kVstMultipleFilesLoad);
  {
    FileSelector selector(&effect);
    EXPECT_EQ(selector.run(&selection), FileSelector::kMaxPaths);
    EXPECT_STREQ(selection.returnMultiplePaths[FileSelector::kMaxPaths - 1], "C:\\Many\\1023");
  }
  EXPECT_EQ(selection.returnMultiplePaths, nullptr);
}

TEST_F(FileSelectorTest, TheDialogBelongsToTheEditorsFrameWindow) {
  const platform::WindowHandle hostWindow =
      tree.createWindow(nullptr, Rect(0, 0, 400, 300), "Host", true);
  auto* editor = new OpenEditor(&effect, hostWindow);
  dialogs.cancelNext();
  VstFileSelect selection = request(kVstFileLoad);
  FileSelector selector(&effect);
  selector.run(&selection);
  ASSERT_NE(editor->getFrame()->getWindow(), nullptr);
  EXPECT_EQ(lastDialog().owner, editor->getFrame()->getWindow());

  FileSelector withoutEffect(nullptr);
  withoutEffect.run(&selection);
  EXPECT_EQ(lastDialog().owner, nullptr);
}

}  // namespace
