#pragma once
// Packing through the packing library azip32.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/native_window.h"

// One file pattern (wildcards allowed), or a list of them.
using ZipFiles = std::variant<std::string, std::vector<std::string>>;
// The owner window for the library: a handle number, or a window object.
using ZipOwnerWindow = std::variant<std::intptr_t, const platform::ui::NativeWindow*>;

// Packs the files into the container. True when, after the run, a file
// stands at the container path that this run put there.
bool ZipFile(const ZipFiles& xFile, const std::optional<std::string>& cArcFile = std::nullopt,
             const std::optional<ZipOwnerWindow>& nWindowHandle = std::nullopt);

// The library's include text: each file pattern trimmed and ended by "|".
std::string ZipIncludeText(const std::vector<std::string>& aFiles);

// The container path of a single file pattern without one: the text up
// to and including its first ".", then "ZIP" (just "ZIP" without a dot).
std::string ZipDerivedArcFile(const std::string& cFile);
