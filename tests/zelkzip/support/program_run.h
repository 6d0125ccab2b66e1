#pragma once
// Runs the built ZELKZIP as an operator would: from a program folder laid
// out as the install lays it out, in terminal mode, with the answers typed
// on standard input.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace e2e {

namespace fs = std::filesystem;

// Copies the program and its libraries from the build into dir.
inline void layOutProgramFolder(const fs::path& dir) {
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(std::getenv("ZELK_BIN")))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename(), fs::copy_options::overwrite_existing);
}

struct RunResult {
  int status = -1;
  std::string output;  // standard output and error
};

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs dir/ZELKZIP with cwd as its current folder, the variables added to
// its environment and answers as its standard input.
inline RunResult runZelkzip(const fs::path& dir, const fs::path& cwd, const std::map<std::string, std::string>& env,
                            const std::string& answers) {
  const fs::path input = dir.parent_path() / "answers.txt";
  const fs::path output = dir.parent_path() / "output.txt";
  std::ofstream(input, std::ios::binary) << answers;
  std::string cmd = "cd " + quoted(cwd.string()) + " && env ZELK_UI=terminal";
  for (const auto& [name, value] : env) cmd += " " + name + "=" + quoted(value);
  cmd += " " + quoted((dir / "ZELKZIP").string()) + " < " + quoted(input.string()) + " > " +
         quoted(output.string()) + " 2>&1";
  RunResult r;
  const int st = std::system(cmd.c_str());
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::ifstream in(output, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  r.output = text.str();
  return r;
}

// Today as the container names carry it: "2004-03-15".
inline std::string today() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", &t);
  return buf;
}

inline std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace e2e
