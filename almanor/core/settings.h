#pragma once
// The settings file Almanor.ini in the program folder, addressed one
// section at a time. Every read and write goes to the program folder, so a
// start from another working directory neither reads nor loses settings
// elsewhere.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "almanor/core/run_state.h"
#include "platform/locale/locale_data.h"

namespace almanor {

// The longest value a settings read returns is one less than this.
inline constexpr std::size_t kSettingsBufferSize = 255;

class Settings {
 public:
  explicit Settings(std::filesystem::path programFolder);

  // The section the accessors address: "Date" or "Main".
  std::string CurrentSection = "Date";

  // The key's value, at most 254 characters; fallback only when the file or
  // the key is absent (an empty value reads as "").
  std::string IniReadText(std::string_view key, std::string_view fallback) const;

  // ParseNumber of IniReadText with the fallback written in decimal.
  std::int32_t IniReadNumber(std::string_view key, std::int32_t fallback) const;

  // Writes the key; true when the file was written. A failed write leaves
  // the file as it was.
  bool IniWriteText(std::string_view key, std::string_view value);

  // IniWriteText of the number in signed decimal.
  bool IniWriteNumber(std::string_view key, std::int32_t value);

  // The settings file's host path.
  std::filesystem::path File() const;

 private:
  std::filesystem::path folder_;
};

// The start's "Date" and first "Main" reads, in the program's order:
// Language, DateFormat (default: the locale's short date picture, widened
// to a four-digit year), Done and Last (default Today - 1 both), which
// place the window; then SoundFile and BGcolor. run.Today must be set.
void ReadStartSettings(RunState& run, Settings& settings,
                       const platform::locale::LocaleData& locale);

// The window geometry read after the language file: WinX, WinY, Width,
// Height and Cols ("Main").
void ReadWindowSettings(RunState& run, Settings& settings);

// The exit writes: unless minimised WinX, WinY, Width, Height and Cols;
// then SoundFile and BGcolor ("Main"); then Last = Today and Done ("Date").
// Returns false when any write failed (the others are still made).
bool WriteExitSettings(const RunState& run, Settings& settings, bool minimised);

}  // namespace almanor
