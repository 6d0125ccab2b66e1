#pragma once
// "Start a program and wait until it ends", for a Windows command line.
//
// A well-known Windows program is mapped to a host program:
//   NOTEPAD.EXE  ZELK_NOTEPAD when set, otherwise a graphical text editor on
//                PATH when a display is present, otherwise $VISUAL or
//                $EDITOR in the terminal.
// Arguments that are DOS paths are handed over as host paths, one argument
// each, never through a shell.
#include <string>
#include <string_view>
#include <vector>

namespace platform::process {

// Splits a command line the way Windows programs read it: blanks separate,
// double quotes group.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// The program's exit status, or -1 when it could not be started (no editor
// found, program unknown or missing). For NOTEPAD.EXE the rest of the line
// is one file name, blanks included, as Notepad reads it.
int runAndWait(std::string_view commandLine);

// The same with the arguments already apart, for paths that hold blanks.
int runAndWait(std::string_view program, const std::vector<std::string>& arguments);

}  // namespace platform::process
