#include "bridge/zip_messages.h"

#include "platform/text/xbase.h"

using platform::files::File;
using namespace platform::xbase;

namespace {

constexpr long kChunk = 1000;
const std::string CRLF = "\r\n";

// Reads one record at the current position. False for a short chunk
// without CR (the end of the file, or no file): the chunk then goes to
// *cErrorRecord and the record is empty.
bool ReadOneRecord(File& f, std::string& cRecord, std::string* cErrorRecord) {
  const long long nStart = f.seek(0, 1);
  char buf[kChunk];
  long n = f.read(buf, kChunk);
  if (n < 0) n = 0;
  const std::string cChunk(buf, static_cast<std::size_t>(n));
  const std::size_t p = At("\r", cChunk);
  if (n == kChunk || p > 0) {
    cRecord = p > 0 ? Left(cChunk, p - 1) : "";
    // Past the CR and the byte after it, the LF, taken on trust.
    f.seek(nStart + static_cast<long long>(p) + 1, 0);
    return true;
  }
  if (cErrorRecord) *cErrorRecord = cChunk;
  cRecord.clear();
  return false;
}

}  // namespace

bool UnZipCallBack(void* /*hwnd*/, int nMsgNum, const std::string& cMsg, const std::optional<std::string>& cFileName,
                   std::optional<bool> lClose) {
  static File nHandle;
  if (cFileName) {
    nHandle = File::createNew(*cFileName);
    return nHandle.isOpen();
  }
  if (lClose.value_or(false)) {
    nHandle.close();
    return true;
  }
  if (nMsgNum == 22 || nMsgNum == 21) {
    nHandle.write(cMsg + CRLF);
  } else if (nMsgNum == 15) {
    const auto aZipInfo = SplitZipMessage(cMsg);
    nHandle.write((aZipInfo.size() >= 2 ? aZipInfo[1] : cMsg) + CRLF);
  }
  return true;
}

std::vector<std::string> SplitZipMessage(const std::string& cMsg) {
  std::vector<std::string> aZipInfo;
  std::string cRest = cMsg;
  std::size_t nPozicija = At("|", cRest);
  while (nPozicija > 0) {
    aZipInfo.push_back(Left(cRest, nPozicija - 1));
    cRest = SubStr(cRest, static_cast<long long>(nPozicija) + 1);
    nPozicija = At("|", cRest);
  }
  return aZipInfo;
}

std::string ReadFlatRecord(File& nFileHandle, std::optional<long> nRecNum, std::string* cErrorRecord) {
  std::string cRecord;
  if (nRecNum) {
    nFileHandle.seek(0, 0);
    for (long i = 1; i < *nRecNum; ++i) {
      if (!ReadOneRecord(nFileHandle, cRecord, cErrorRecord)) return "";
    }
  }
  ReadOneRecord(nFileHandle, cRecord, cErrorRecord);
  return cRecord;
}
