#pragma once
// The language file: a text file in the program folder named after a
// language with the extension ".lng", whose first three lines hold the
// program's ";"-separated texts (main window, editor, editor errors).
#include <filesystem>
#include <string>
#include <string_view>

#include "almanor/core/run_state.h"
#include "platform/locale/locale_data.h"

namespace almanor {

inline constexpr std::string_view kFallbackLanguageFile = "English.lng";
// The message the caller shows (OK button, no icon) when LoadLanguage fails.
inline constexpr std::string_view kLanguageErrorTitle = "Error";
inline constexpr std::string_view kLanguageErrorText = "Language file not found";

// The file to read: language + ".lng" when language is not "" and that
// file exists; else the locale's native language name + ".lng" when that
// exists; else "English.lng", unchecked. A file exists when it is a regular
// file of at least one byte; names are matched without regard to case.
std::string ChooseLanguageFile(std::string_view language,
                               const std::filesystem::path& programFolder,
                               const platform::locale::LocaleData& locale);

// Sets LangLine1 to LangLine3 from the file's first three lines (a missing
// line reads as ""). False when the file cannot be read or is empty; the
// three lines are "" then.
bool LoadLanguage(std::string_view fileName, const std::filesystem::path& programFolder,
                  RunState& run);

}  // namespace almanor
