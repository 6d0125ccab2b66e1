#pragma once
// Libraries loaded by file name at run time. "X.dll" loads the shared library
// "X.so" from the program folder, then through the system's search path.
// When the environment value ZELK_LIBRARY_PATH is set, its colon-separated
// host folders are searched instead of the system's path: programs that do
// not stand beside their libraries (the tests in build/tests) then find
// exactly the copies they name, and nothing else.
// Exports are looked up by name. A library that cannot be loaded is reported
// to the caller, never a crash.
#include <memory>
#include <string>
#include <string_view>

namespace platform::loader {

class Library {
 public:
  // Nothing when the library cannot be loaded; *error then says why.
  static std::unique_ptr<Library> load(std::string_view dllName, std::string* error = nullptr);
  ~Library();  // unloads
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // The export's address, or nullptr when the library lacks it.
  void* symbol(const char* name) const;

  template <typename Fn>
  Fn function(const char* name) const { return reinterpret_cast<Fn>(symbol(name)); }

 private:
  explicit Library(void* handle) : handle_(handle) {}
  void* handle_;
};

// The host folder of the running program, where its libraries lie.
std::string programHostFolder();

}  // namespace platform::loader
