#pragma once
// Where the program lies, where the process stands, and where the data is.
#include <string>

// The folder of the running program file, without a trailing backslash
// ("C:\ZELK"; "C:" for a program in a drive's root).
std::string Gde_Exe();

// The current drive and folder: "C:\DATA\X", or "C:\" at a drive's root.
std::string Gde_Sam();

// Resolves and publishes the data location; ends the program itself on a
// fatal failure.
void DB_PUT();
