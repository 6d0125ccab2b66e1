#include "platform/loader/library.h"

#include <dlfcn.h>

#include <cctype>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform::loader {

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
  void* h = dlopen((programHostFolder() + "/" + soName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) h = dlopen(soName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    if (error) {
      const char* why = dlerror();
      *error = why ? why : ("cannot load " + soName);
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
