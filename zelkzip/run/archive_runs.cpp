#include "run/archive_runs.h"

#include "bridge/unzip_file.h"
#include "bridge/zip_file.h"
#include "platform/ui/dialogs.h"
#include "run/contents_reports.h"
#include "xc_lib/xc_cekaj/wait_windows.h"

bool C_arhiviraj(ArchiveRunContext& run, const std::string& ZIP_FajlMaterijal, const std::string& ZIP_FajlKontejner,
                 const std::string& ZIP_FajlIzvestaj) {
  yc_cekaj("ARHIVIRA SE", ZIP_FajlKontejner);
  bool q = ZipFile(ZIP_FajlMaterijal, ZIP_FajlKontejner);
  if (!q) {
    yc_cekaj_kraj();
    platform::ui::messageBox(ZIP_FajlKontejner, "GRESKA u arhiviranju");
    return false;
  }
  q = TestUnZip(ZIP_FajlKontejner);
  if (!q) {
    yc_cekaj_kraj();
    // The damaged container stays where it is.
    platform::ui::messageBox(ZIP_FajlKontejner, "Arhiva NEISPRAVNA");
    return false;
  }
  yc_cekaj_kraj();
  run.aSpisak = std::get<std::vector<std::string>>(ViewZip(ZIP_FajlKontejner, false));
  ZIP_Spisak(run.aSpisak, ZIP_FajlKontejner, ZIP_FajlIzvestaj, ZIP_FajlMaterijal);
  return true;
}

int C_rearhiviraj(ArchiveRunContext& run, const std::string& ZIP_FajlKontejner, const std::string& UNZIP_FolderKontejner,
                  const std::string& UNZIP_FajlIzvestaj) {
  yc_cekaj("REARHIVIRA SE", ZIP_FajlKontejner);
  run.aSpisak = UnZipFile(ZIP_FajlKontejner, UNZIP_FolderKontejner);
  yc_cekaj_kraj();
  platform::ui::messageBox("Arhivski kontejner:\r\n" + ZIP_FajlKontejner + "\r\nraspakovan u folder:\r\n" +
                               UNZIP_FolderKontejner,
                           "REARHIVIRANO | OK");
  UNZIP_Spisak(run.aSpisak, ZIP_FajlKontejner, UNZIP_FajlIzvestaj, UNZIP_FolderKontejner);
  return 0;
}
