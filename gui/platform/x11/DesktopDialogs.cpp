#include "gui/platform/x11/DesktopDialogs.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace platform::x11 {

namespace {

// The program's full path when it is an executable in one of PATH's folders.
std::string findProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = folders.find(':', start);
    const std::string folder =
        folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!folder.empty()) {
      const std::string candidate = folder + "/" + name;
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

std::vector<std::string> zenityArguments(const platform::FileDialogRequest& r) {
  std::vector<std::string> args = {"zenity", "--file-selection", "--separator=\n"};
  if (r.kind == platform::FileDialogKind::OpenMultiple) args.emplace_back("--multiple");
  if (r.kind == platform::FileDialogKind::Save) args.emplace_back("--save");
  if (r.kind == platform::FileDialogKind::Folder) args.emplace_back("--directory");
  if (r.title) args.push_back(std::string("--title=") + r.title);
  if (r.initialFolder) args.push_back(std::string("--filename=") + r.initialFolder + "/");
  return args;
}

std::vector<std::string> kdialogArguments(const platform::FileDialogRequest& r) {
  std::vector<std::string> args = {"kdialog"};
  switch (r.kind) {
    case platform::FileDialogKind::Open:
      args.emplace_back("--getopenfilename");
      break;
    case platform::FileDialogKind::OpenMultiple:
      args.insert(args.end(), {"--multiple", "--separate-output", "--getopenfilename"});
      break;
    case platform::FileDialogKind::Save:
      args.emplace_back("--getsavefilename");
      break;
    case platform::FileDialogKind::Folder:
      args.emplace_back("--getexistingdirectory");
      break;
  }
  args.emplace_back(r.initialFolder ? r.initialFolder : ".");
  if (r.title) args.insert(args.end(), {"--title", r.title});
  return args;
}

// Runs the program and collects what it prints; false when it fails or is cancelled.
bool runProgram(const std::string& program, const std::vector<std::string>& args,
                std::string& output) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return false;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    output.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeFds[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The chosen paths in the answer's form: one path, or for several a folder followed by the
// names chosen in it, each terminated, the list ending with an empty text.
bool fillAnswer(platform::FileDialogRequest& r, const std::vector<std::string>& paths) {
  std::string answer;
  if (paths.size() == 1) {
    answer = paths[0] + '\0';
  } else {
    const std::size_t slash = paths[0].rfind('/');
    const std::string folder = paths[0].substr(0, slash == std::string::npos ? 0 : slash);
    answer = folder + '\0';
    for (const std::string& p : paths) {
      if (p.compare(0, folder.size() + 1, folder + "/") != 0) continue;
      answer += p.substr(folder.size() + 1) + '\0';
    }
  }
  if (r.kind == platform::FileDialogKind::OpenMultiple) answer += '\0';
  if (!r.answer || r.answerCapacity <= 0 ||
      answer.size() > static_cast<std::size_t>(r.answerCapacity)) {
    return false;
  }
  std::memcpy(r.answer, answer.data(), answer.size());
  return true;
}

class DesktopDialogs final : public platform::FileDialogService {
 public:
  bool run(platform::FileDialogRequest& request) override {
    std::string program = findProgram("zenity");
    std::vector<std::string> args;
    if (!program.empty()) {
      args = zenityArguments(request);
    } else if (!(program = findProgram("kdialog")).empty()) {
      args = kdialogArguments(request);
    } else {
      return false;
    }
    std::string output;
    if (!runProgram(program, args, output)) return false;
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < output.size()) {
      std::size_t end = output.find('\n', start);
      if (end == std::string::npos) end = output.size();
      if (end > start) paths.push_back(output.substr(start, end - start));
      start = end + 1;
    }
    if (paths.empty() ||
        (paths.size() > 1 && request.kind != platform::FileDialogKind::OpenMultiple))
      return false;
    return fillAnswer(request, paths);
  }
};

}  // namespace

platform::FileDialogService& desktopDialogs() {
  static DesktopDialogs dialogs;
  return dialogs;
}

}  // namespace platform::x11
