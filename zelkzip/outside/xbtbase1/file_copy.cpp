// FILECOPY: a copy that reports success only when the copy is really on
// the target medium. It writes a temporary file beside the target, pushes
// it to the device, reads it back against the source, and only then
// renames it over the target's name; on any failure it removes the
// temporary file and the target's previous content stays as it was.
#include <random>
#include <string>

#include "XBTBase1.h"
#include "platform/dos/dos_path.h"
#include "platform/files/file_services.h"

#define XBT_EXPORT __attribute__((visibility("default")))

namespace files = platform::files;

namespace {

constexpr long kChunk = 1 << 20;

std::string temporaryBeside(const std::string& target) {
  static std::mt19937 engine{std::random_device{}()};
  return target + ".~" + std::to_string(engine() % 1000000) + ".TMP";
}

bool copyInto(files::File& from, files::File& to) {
  std::string buf(kChunk, '\0');
  for (;;) {
    long n = from.read(buf.data(), kChunk);
    if (n < 0) return false;
    if (n == 0) return true;
    if (to.write(std::string_view(buf.data(), static_cast<std::size_t>(n))) != n) return false;
  }
}

bool sameContent(const std::string& a, const std::string& b) {
  files::File fa = files::File::open(a), fb = files::File::open(b);
  if (!fa.isOpen() || !fb.isOpen()) return false;
  std::string ba(kChunk, '\0'), bb(kChunk, '\0');
  for (;;) {
    long na = fa.read(ba.data(), kChunk), nb = fb.read(bb.data(), kChunk);
    if (na < 0 || nb < 0 || na != nb) return false;
    if (na == 0) return true;
    if (ba.compare(0, static_cast<std::size_t>(na), bb, 0, static_cast<std::size_t>(nb)) != 0) return false;
  }
}

int copyVerified(const std::string& source, const std::string& target) {
  files::File from = files::File::open(source);
  if (!from.isOpen()) return 0;
  std::string temp;
  files::File to;
  for (int attempt = 0; attempt < 20 && !to.isOpen(); ++attempt) {
    temp = temporaryBeside(target);
    to = files::File::createNew(temp);
    if (!to.isOpen() && to.lastError() != EEXIST) return 0;  // drive not ready, not writable
  }
  if (!to.isOpen()) return 0;
  const bool written = copyInto(from, to) && to.flush() && to.close();
  if (!written || !sameContent(source, temp) || files::renameFile(temp, target) != 0) {
    files::erase(temp);
    return 0;
  }
  files::flushFolder(platform::dos::splitLast(target).first);
  return 1;
}

}  // namespace

extern "C" XBT_EXPORT int FILECOPY(const char* source, const char* target) {
  if (!source || !target || !*source || !*target) return 0;
  try {
    return copyVerified(source, target);
  } catch (...) {
    return 0;  // nothing may cross the C boundary
  }
}
