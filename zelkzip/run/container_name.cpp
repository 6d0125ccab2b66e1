#include "run/container_name.h"

#include <cstdio>

#include "platform/text/xbase.h"
#include "xc_lib/xc_start/data_location.h"

using namespace platform::xbase;

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string ContainerName(const std::string& target_folder, const platform::clock::LocalTime& today) {
  const std::size_t nPozicija = RAt("\\", target_folder);
  const std::string cSifraGodine = AllTrim(SubStr(target_folder, nPozicija + 1, 100));
  // The two characters just before the last backslash.
  std::string cSifraFirme =
      AllTrim(SubStr(target_folder, static_cast<long long>(nPozicija) - 2, 2));
  if (cSifraFirme.size() == 2 && isDigit(cSifraFirme[0]) && isDigit(cSifraFirme[1]))
    cSifraFirme += "-";
  else
    cSifraFirme.clear();
  char date[96];
  std::snprintf(date, sizeof date, " (%04d-%02d-%02d) .ZIP", today.year, today.month, today.day);
  return cSifraFirme + cSifraGodine + date;
}

std::string ZELK2000_NAZIV() {
  return ContainerName(Gde_Sam(), platform::clock::systemLocalTime());
}
