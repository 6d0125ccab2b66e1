#pragma once
// Reads a whole text file into memory and hands it out line by line. A line
// ends at CR, LF, CR LF or LF CR (CR CR and LF LF are two breaks); a NUL
// byte cuts a line short. One file at a time.
#include <cstddef>
#include <filesystem>
#include <string>

namespace almanor {

class TextFileReader {
 public:
  // Reads the whole file, replacing any file read before. False (and no
  // data) when the file is missing, unreadable, not a regular file, or
  // empty.
  bool LoadTextFile(const std::filesystem::path& file);

  // Whether unread bytes remain.
  bool HasMoreLines() const { return position_ < data_.size(); }

  // The next line without its break, "" when nothing remains. A last line
  // without a break is returned whole.
  std::string NextLine();

  // Frees the data; HasMoreLines() is false afterwards.
  void ReleaseTextFile();

 private:
  std::string data_;
  std::size_t position_ = 0;
};

}  // namespace almanor
