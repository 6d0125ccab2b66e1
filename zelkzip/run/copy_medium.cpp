#include "run/copy_medium.h"

#include "XBTBase1.h"
#include "platform/files/file_services.h"
#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"
#include "xc_lib/xc_cekaj/wait_windows.h"
#include "xc_lib/xc_poruke/confirm_prompt.h"
#include "xc_lib/xc_start/data_location.h"

using namespace platform::xbase;

std::string slovo_drajva() {
  const std::string drajv = Gde_Exe() + "\\DBF\\DRAJV.ZEL";
  if (!platform::files::exists(drajv)) platform::files::writeWhole(drajv, "\r\nD");
  const std::string cDrajv = AllTrim(platform::files::readWhole(drajv).value_or(""));
  std::string letter = "D";
  for (char Dslovo : cDrajv) {
    const auto code = static_cast<unsigned char>(Dslovo);
    if (code > 64 && code < 91) {
      letter = std::string(1, Dslovo);
      break;
    }
  }
  return letter;
}

int C_kopiraj(const std::string& ZIP_FajlKontejner) {
  const std::string drajv = slovo_drajva();
  const std::string naslov = "Kopiranje na drajv: " + drajv;
  const std::string tekst1 = "Kopiranje arhive\r\narhivskog ZIP fajl-paketa:\r\n" + ZIP_FajlKontejner +
                             "\r\nna drajv " + drajv;
  if (!F_ND(tekst1, "", "?", naslov)) return 0;

  const std::size_t nPozicija = RAt("\\", ZIP_FajlKontejner);
  const std::string FajlDrajv = drajv + ":\\" + AllTrim(SubStr(ZIP_FajlKontejner, nPozicija + 1, 100));

  yc_cekaj("KOPIRA SE na drajv " + drajv, ZIP_FajlKontejner);
  const int nRezultat = FILECOPY(ZIP_FajlKontejner.c_str(), FajlDrajv.c_str());
  yc_cekaj_kraj();
  platform::ui::messageBox(nRezultat > 0 ? "ARHIVA KOPIRANA NA EXTERNI MEDIUM" : "Drajv nije u redu - kopiranje nije moguce",
                           naslov);
  return 0;
}
