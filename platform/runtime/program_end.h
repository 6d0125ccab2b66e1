#pragma once
// How a program ends. The programs' code never calls exit(): an orderly stop
// or a runtime error unwinds to runMain(), so open tables and files are
// closed on the way out, and tests can observe a stop without a process.
#include <functional>
#include <string>
#include <string_view>

namespace platform::runtime {

enum ExitStatus : int {
  kExitNormal = 0,       // normal end, a No at a prompt included
  kExitOrderlyStop = 1,  // a stop the program asked for after its message
  kExitRuntimeError = 2, // the general error handler ended the program
};

struct ProgramEnd {
  int status;
};

// Ends the program with the status, after the caller showed its message.
[[noreturn]] void endProgram(int status);

// The general error handler: tells the operator what failed and where, then
// ends the program with kExitRuntimeError.
[[noreturn]] void runtimeError(std::string_view what, std::string_view where);

// Runs a program's entry and returns its exit status. Unhandled exceptions
// and out-of-memory reach the general error handler here.
int runMain(const std::function<void()>& entry);

}  // namespace platform::runtime
