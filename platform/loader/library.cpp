#include "platform/loader/library.h"

#include <dlfcn.h>

#include <cctype>
#include <cstdlib>

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform::loader {
namespace {

// The program folder first, then the folders of ZELK_LIBRARY_PATH.
std::vector<std::string> searchFolders(const char* extra) {
  std::vector<std::string> folders{programHostFolder()};
  std::string_view rest = extra ? extra : "";
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string_view folder = rest.substr(0, colon);
    if (!folder.empty()) folders.emplace_back(folder);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
  }
  return folders;
}

}  // namespace

std::string programHostFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

std::unique_ptr<Library> Library::load(std::string_view dllName, std::string* error) {
  std::string base(dllName);
  if (base.size() > 4) {
    std::string ext = base.substr(base.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dll") base.resize(base.size() - 4);
  }
  const std::string soName = base + ".so";
  dlerror();
  void* h = nullptr;
  const char* libraryPath = std::getenv("ZELK_LIBRARY_PATH");
  for (const auto& folder : searchFolders(libraryPath)) {
    const std::string candidate = folder + "/" + soName;
    std::error_code ec;
    if (!fs::exists(candidate, ec)) continue;
    h = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h) break;
  }
  if (!h && !libraryPath) h = dlopen(soName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    if (error) {
      const char* why = dlerror();
      *error = why ? std::string(why) : ("cannot load " + soName);
    }
    return nullptr;
  }
  return std::unique_ptr<Library>(new Library(h));
}

Library::~Library() {
  if (handle_) dlclose(handle_);
}

void* Library::symbol(const char* name) const { return dlsym(handle_, name); }

}  // namespace platform::loader
