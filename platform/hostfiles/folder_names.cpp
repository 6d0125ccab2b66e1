#include "platform/hostfiles/folder_names.h"

#include <string>
#include <system_error>

#include "platform/text/cp1252.h"

namespace platform::hostfiles {

std::filesystem::path resolveInFolder(const std::filesystem::path& folder,
                                      std::string_view ansiName) {
  std::filesystem::path exact = folder / text::cp1252ToUtf8(ansiName);
  std::error_code ec;
  if (ansiName.find('/') != std::string_view::npos || std::filesystem::exists(exact, ec))
    return exact;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return exact;
  // Of several spellings the first in byte order is taken, so the choice
  // does not depend on the order the host lists the folder in.
  std::optional<std::filesystem::path> best;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string hostName = it->path().filename().string();
    if (text::equalNoCase(text::utf8ToCp1252(hostName), ansiName) &&
        (!best || hostName < best->filename().string()))
      best = it->path();
  }
  return best ? *best : exact;
}

std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return std::nullopt;
  return size;
}

}  // namespace platform::hostfiles
