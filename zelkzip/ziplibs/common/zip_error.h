#pragma once
// The one exception type inside the libraries. It never leaves them: every
// export catches it and turns it into its result code.
#include <stdexcept>
#include <string>

namespace ziplib {

enum class ErrorKind { Read, Write, Damaged };

class ZipError : public std::runtime_error {
 public:
  ZipError(ErrorKind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

}  // namespace ziplib
