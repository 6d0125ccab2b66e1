#include "almanor/core/language.h"

#include "almanor/core/date_format.h"
#include "almanor/core/files.h"
#include "almanor/core/text_file_reader.h"

namespace almanor {

std::string ChooseLanguageFile(std::string_view language,
                               const std::filesystem::path& programFolder,
                               const platform::locale::LocaleData& locale) {
  std::string name = std::string(language) + ".lng";
  if (!language.empty() && ProgramFileExists(programFolder, name)) return name;
  // The locale's name is read into a buffer of 30 characters.
  name = LocaleText(LocaleItem::NativeLanguageName, locale, 30) + ".lng";
  if (ProgramFileExists(programFolder, name)) return name;
  return std::string(kFallbackLanguageFile);
}

bool LoadLanguage(std::string_view fileName, const std::filesystem::path& programFolder,
                  RunState& run) {
  run.LangLine1.clear();
  run.LangLine2.clear();
  run.LangLine3.clear();
  TextFileReader reader;
  if (!reader.LoadTextFile(ProgramFile(programFolder, fileName))) return false;
  run.LangLine1 = reader.NextLine();
  run.LangLine2 = reader.NextLine();
  run.LangLine3 = reader.NextLine();
  reader.ReleaseTextFile();
  return true;
}

}  // namespace almanor
