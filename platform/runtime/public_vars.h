#pragma once
// Process-wide named text values, as the runtime's PUBLIC variables: set by
// the program, readable by outside libraries in the process through the C
// function below.

#ifdef __cplusplus
#include <optional>
#include <string>
#include <string_view>

namespace platform::runtime {
void setPublic(std::string_view name, std::string value);
// Nothing when the value was never created. Names ignore case.
std::optional<std::string> getPublic(std::string_view name);
void clearPublics();
}  // namespace platform::runtime

extern "C" {
#endif

// The value's Windows-1252 bytes, NUL-terminated, or NULL when no such value
// exists. The pointer stays valid until the value is next set.
const char* zelk_public_get(const char* name);

#ifdef __cplusplus
}
#endif
