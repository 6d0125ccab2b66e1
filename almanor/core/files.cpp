#include "almanor/core/files.h"

#include <string>

#include "almanor/core/text_file_reader.h"
#include "platform/hostfiles/folder_names.h"
#include "platform/hostfiles/replace_file.h"

namespace almanor {

std::filesystem::path ProgramFile(const std::filesystem::path& programFolder,
                                  std::string_view name) {
  return platform::hostfiles::resolveInFolder(programFolder, name);
}

bool ProgramFileExists(const std::filesystem::path& programFolder, std::string_view name) {
  auto size = platform::hostfiles::regularFileSize(ProgramFile(programFolder, name));
  return size && *size > 0;
}

std::size_t LoadEntries(Entries& entries, const std::filesystem::path& programFolder) {
  TextFileReader reader;
  if (!reader.LoadTextFile(ProgramFile(programFolder, kListFileName))) return 0;
  std::size_t added = 0;
  while (reader.HasMoreLines()) {
    std::string line = reader.NextLine();
    if (line.empty()) continue;
    entries.records.push_back(std::move(line));
    ++added;
  }
  reader.ReleaseTextFile();
  return added;
}

bool SaveEntries(const Entries& entries, const std::filesystem::path& programFolder) {
  std::string content;
  std::size_t size = 0;
  for (const std::string& record : entries.records) size += record.size() + 2;
  content.reserve(size);
  for (const std::string& record : entries.records) content.append(record).append("\r\n");
  return platform::hostfiles::replaceFile(ProgramFile(programFolder, kListFileName), content);
}

}  // namespace almanor
