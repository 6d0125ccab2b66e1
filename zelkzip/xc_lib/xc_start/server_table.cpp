#include "xc_lib/xc_start/server_table.h"

#include "platform/dbf/work_areas.h"
#include "platform/files/file_services.h"
#include "platform/runtime/program_end.h"
#include "platform/ui/dialogs.h"
#include "xc_lib/xc_start/data_location.h"

namespace dbf = platform::dbf;

namespace {

struct ServerField {
  const char* name;
  int length;
};

// The current layout, in the order of the table.
constexpr ServerField kServerFields[] = {
    {"DB_ADRESA_", 140}, {"DB_FIRMA_", 2}, {"DB_GODINA_", 4},
    {"DB_NAZIV_", 25},   {"DB_OBJEKT_", 2}, {"DB_ZELK_", 2},
};
constexpr int kServerFieldCount = 6;

const char* const kSpomocna = "Spomocna.dbf";
const char* const kServerStari = "server_stari.dbf";

}  // namespace

int CR_SERV(const std::string& cPath) {
  const int nOblast = dbf::currentArea();
  dbf::selectFree();

  // The structure table is named once, so the file made is the file deleted.
  const std::string cSpomocna = dbf::tablePath(kSpomocna);
  dbf::createStructureExtended(cSpomocna);
  dbf::use(cSpomocna, dbf::kExclusive);
  for (const auto& polje : kServerFields) {
    dbf::appendBlank();
    dbf::fieldPut("FIELD_NAME", polje.name);
    dbf::fieldPut("FIELD_TYPE", "C");
    dbf::fieldPut("FIELD_LEN", polje.length);
    dbf::fieldPut("FIELD_DEC", 0);
  }
  dbf::closeArea();
  dbf::createFrom(cPath, cSpomocna);
  platform::files::erase(cSpomocna);

  dbf::use(cPath, dbf::kExclusive);
  dbf::appendBlank();
  dbf::fieldPut("DB_ADRESA_", Gde_Exe() + "\\FIRME\\FIRMA-01\\2000");
  dbf::fieldPut("DB_FIRMA_", "01");
  dbf::fieldPut("DB_GODINA_", "2001");
  dbf::fieldPut("DB_NAZIV_", "* ZELK Systems Software *");
  dbf::fieldPut("DB_OBJEKT_", "01");
  dbf::fieldPut("DB_ZELK_", "");

  dbf::commitAll();
  dbf::closeArea();
  dbf::closeAll();
  dbf::select(nOblast);
  return 0;
}

int CR_SERV_izmeni(const std::string& cPath) {
  const int nOblast = dbf::currentArea();
  dbf::use(cPath, dbf::kExclusive | dbf::kNewArea);
  const bool lIzmena = dbf::fieldCount() < kServerFieldCount;
  dbf::closeArea();
  dbf::select(nOblast);
  if (!lIzmena) return 0;

  const std::string cServerStari = dbf::tablePath(kServerStari);
  // Without the copy the records would be lost with the old table.
  if (platform::files::copyFile(cPath, cServerStari) != 0)
    platform::runtime::runtimeError("kopija servera se ne moze napraviti (cannot copy the server table)",
                                    cServerStari);
  CR_SERV(cPath);

  dbf::use(cPath, dbf::kExclusive | dbf::kNewArea);
  dbf::zap();
  dbf::commitAll();
  dbf::appendFrom(cServerStari);
  dbf::commitAll();
  dbf::closeArea();
  dbf::select(nOblast);

  platform::ui::messageBox("SERVER IZMENJEN", "SERVIS", platform::ui::kButtonsOk);
  return 0;
}
