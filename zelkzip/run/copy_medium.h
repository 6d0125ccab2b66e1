#pragma once
// The offer to copy the container to the root of an external drive.
#include <string>

// The drive letter named in DBF\DRAJV.ZEL (created with CR LF "D" when
// missing): its first upper-case letter, D when it holds none.
std::string slovo_drajva();

// Asks, copies the container to the drive's root and reports; returns 0.
int C_kopiraj(const std::string& ZIP_FajlKontejner);
