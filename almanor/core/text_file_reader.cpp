#include "almanor/core/text_file_reader.h"

#include <string_view>

#include "platform/hostfiles/read_file.h"

namespace almanor {

bool TextFileReader::LoadTextFile(const std::filesystem::path& file) {
  ReleaseTextFile();
  auto data = platform::hostfiles::readWholeFile(file);
  if (!data || data->empty()) return false;
  data_ = std::move(*data);
  return true;
}

std::string TextFileReader::NextLine() {
  std::string_view rest = std::string_view(data_).substr(position_);
  std::size_t breakAt = rest.find_first_of("\r\n");
  std::string_view line = rest.substr(0, breakAt);
  std::size_t consumed = line.size();
  if (breakAt != std::string_view::npos) {
    ++consumed;
    // CR LF and LF CR are one break; a repeated character is a second one.
    if (breakAt + 1 < rest.size() && (rest[breakAt + 1] == '\r' || rest[breakAt + 1] == '\n') &&
        rest[breakAt + 1] != rest[breakAt])
      ++consumed;
  }
  position_ += consumed;
  return std::string(line.substr(0, line.find('\0')));
}

void TextFileReader::ReleaseTextFile() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

}  // namespace almanor
