#include "bridge/zip_messages.h"

std::vector<std::string> SplitZipMessage(const std::string& cMsg) {
  std::vector<std::string> aZipInfo;
  std::size_t start = 0;
  for (std::size_t bar = cMsg.find('|'); bar != std::string::npos; bar = cMsg.find('|', start)) {
    aZipInfo.push_back(cMsg.substr(start, bar - start));
    start = bar + 1;
  }
  return aZipInfo;
}
