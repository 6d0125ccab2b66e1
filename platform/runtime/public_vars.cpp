#include "platform/runtime/public_vars.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/text/cp1252.h"

namespace platform::runtime {
namespace {

std::mutex gMutex;
// Values are held by pointer so that the C view of one stays put while
// others are added.
std::map<std::string, std::unique_ptr<std::string>>& table() {
  static std::map<std::string, std::unique_ptr<std::string>> t;
  return t;
}

}  // namespace

void setPublic(std::string_view name, std::string value) {
  std::lock_guard lock(gMutex);
  auto& slot = table()[text::upperCp1252(name)];
  if (!slot) slot = std::make_unique<std::string>();
  *slot = std::move(value);
}

std::optional<std::string> getPublic(std::string_view name) {
  std::lock_guard lock(gMutex);
  auto it = table().find(text::upperCp1252(name));
  if (it == table().end()) return std::nullopt;
  return *it->second;
}

void clearPublics() {
  std::lock_guard lock(gMutex);
  table().clear();
}

}  // namespace platform::runtime

extern "C" const char* zelk_public_get(const char* name) {
  using namespace platform;
  if (!name) return nullptr;
  std::lock_guard lock(runtime::gMutex);
  auto it = runtime::table().find(text::upperCp1252(name));
  return it == runtime::table().end() ? nullptr : it->second->c_str();
}
