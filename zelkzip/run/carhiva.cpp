#include "run/carhiva.h"

#include "BAZNE.h"
#include "platform/dos/current_dir.h"
#include "platform/text/xbase.h"
#include "run/archive_runs.h"
#include "run/container_name.h"
#include "run/copy_medium.h"
#include "xc_lib/xc_poruke/confirm_prompt.h"
#include "xc_lib/xc_start/data_location.h"

using namespace platform::xbase;

namespace {
const std::string kArchiveFolder = "C:\\ZELK-ARHIVA\\";
const std::string CRLF = "\r\n";
}  // namespace

std::string CurrentDriveAndFolder() {
  return std::string(1, platform::dos::currentDrive()) + ":\\" + platform::dos::currentFolder();
}

std::string ArchiveReportPath(const std::string& ZIP_FajlKontejner) {
  const std::size_t keep = ZIP_FajlKontejner.size() >= 4 ? ZIP_FajlKontejner.size() - 4 : 0;
  return Left(ZIP_FajlKontejner, keep) + ".TXT";
}

std::string RestoreReportPath(const std::string& UNZIP_FolderKontejner, const std::string& ZIP_FajlKontejner) {
  const std::size_t nPozicija = RAt("\\", ZIP_FajlKontejner);
  return UNZIP_FolderKontejner + "\\" + AllTrim(SubStr(ZIP_FajlKontejner, nPozicija + 1, 100)) + ".TXT";
}

void CARHIVA(std::optional<std::string> ZIP_FajlMaterijal, std::optional<std::string> ZIP_FajlKontejner,
             std::optional<std::string> UNZIP_FolderKontejner, std::optional<int> operacija) {
  ArchiveRunContext run;
  run.SFO = CurrentDriveAndFolder();

  DB_PUT();
  BAZA();

  if (!ZIP_FajlMaterijal) ZIP_FajlMaterijal = Gde_Sam() + "\\*.*";
  if (!ZIP_FajlKontejner) ZIP_FajlKontejner = kArchiveFolder + ZELK2000_NAZIV();
  if (!UNZIP_FolderKontejner) UNZIP_FolderKontejner = kArchiveFolder;
  if (!operacija) operacija = 1;

  run.ZIP_FajlIzvestaj = ArchiveReportPath(*ZIP_FajlKontejner);
  run.UNZIP_FajlIzvestaj = RestoreReportPath(*UNZIP_FolderKontejner, *ZIP_FajlKontejner);

  if (*operacija == 1) {
    const std::string tekst1 = "Arhiviranje podataka" + CRLF + "u arhivski ZIP fajl-paket:" + CRLF +
                               *ZIP_FajlKontejner + CRLF + " ";
    if (F_ND(tekst1, " ", "?", "ARHIVIRANJE")) {
      C_arhiviraj(run, *ZIP_FajlMaterijal, *ZIP_FajlKontejner, run.ZIP_FajlIzvestaj);
      C_kopiraj(*ZIP_FajlKontejner);
    }
  } else if (*operacija == 2) {
    const std::string tekst1 = "ReArhiviranje podataka" + CRLF + "iz arhivskog ZIP fajl-paketa:" + CRLF +
                               *ZIP_FajlKontejner + CRLF + "na lokaciju: " + CRLF + *UNZIP_FolderKontejner +
                               CRLF + " ";
    if (F_ND(tekst1, " ", "?", "REARHIVIRANJE"))
      C_rearhiviraj(run, *ZIP_FajlKontejner, *UNZIP_FolderKontejner, run.UNZIP_FajlIzvestaj);
  }
}
