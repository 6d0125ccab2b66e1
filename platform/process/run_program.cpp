#include "platform/process/run_program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/dos/dos_path.h"
#include "platform/text/cp1252.h"

extern char** environ;

namespace fs = std::filesystem;

namespace platform::process {
namespace {

bool displayPresent() {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* s = std::getenv(v);
    if (s && *s) return true;
  }
  return false;
}

std::optional<std::string> onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  std::string_view rest(path);
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (dir.empty()) continue;
    fs::path candidate = fs::path(dir) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return std::nullopt;
}

std::string envOr(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool isNotepad(const std::string& windowsProgram) {
  std::string name = text::upperCp1252(fs::path(windowsProgram).filename().string());
  return name == "NOTEPAD.EXE" || name == "NOTEPAD";
}

// The host command for a Windows program, split into words; empty when
// there is none.
std::vector<std::string> hostProgram(const std::string& windowsProgram) {
  if (isNotepad(windowsProgram)) {
    if (auto v = envOr("ZELK_NOTEPAD"); !v.empty()) return splitCommandLine(v);
    if (displayPresent()) {
      for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad",
                                 "pluma", "xed", "leafpad", "featherpad"})
        if (auto p = onPath(editor)) return {*p};
    }
    for (const char* var : {"VISUAL", "EDITOR"})
      if (auto v = envOr(var); !v.empty()) return splitCommandLine(v);
    return {};
  }
  return {};
}

// A DOS path argument becomes the host path; anything else stays as it is.
std::string hostArgument(const std::string& arg) {
  if (arg.size() >= 3 && arg[1] == ':' && (arg[2] == '\\' || arg[2] == '/')) {
    if (auto host = dos::toHost(arg)) return host->string();
  }
  return text::cp1252ToUtf8(arg);
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string cur;
  bool quoted = false, have = false;
  for (char c : line) {
    if (c == '"') { quoted = !quoted; have = true; continue; }
    if (!quoted && (c == ' ' || c == '\t')) {
      if (have) words.push_back(std::move(cur));
      cur.clear();
      have = false;
      continue;
    }
    cur += c;
    have = true;
  }
  if (have) words.push_back(std::move(cur));
  return words;
}

int runAndWait(std::string_view commandLine) {
  auto words = splitCommandLine(commandLine);
  if (words.empty()) return -1;
  if (isNotepad(words[0])) {
    // The editor takes its whole command line as one file name, blanks
    // included, as Notepad does.
    std::string_view rest = commandLine;
    const auto start = rest.find_first_not_of(" \t");
    const auto end = rest.find_first_of(" \t", start);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    std::string name(rest);
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    return runAndWait(words[0], name.empty() ? std::vector<std::string>{} : std::vector<std::string>{name});
  }
  return runAndWait(words[0], std::vector<std::string>(words.begin() + 1, words.end()));
}

int runAndWait(std::string_view program, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = hostProgram(std::string(program));
  if (argv.empty()) return -1;
  for (const auto& a : arguments) argv.push_back(hostArgument(a));

  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, cargv[0], nullptr, nullptr, cargv.data(), environ) != 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace platform::process
