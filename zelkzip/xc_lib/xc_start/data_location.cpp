#include "xc_lib/xc_start/data_location.h"

#include "XBTBase1.h"
#include "platform/dbf/work_areas.h"
#include "platform/dos/current_dir.h"
#include "platform/files/file_services.h"
#include "platform/runtime/program_end.h"
#include "platform/runtime/public_vars.h"
#include "platform/text/date_format.h"
#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"
#include "xc_lib/xc_start/server_table.h"

using namespace platform::xbase;
namespace dbf = platform::dbf;
namespace ui = platform::ui;
using platform::runtime::setPublic;

namespace {

const std::string CRLF = "\r\n";

// A folder of the tree: made when missing; when it cannot be made the
// program stops, since nothing can be kept without it.
void DB_PUT_folder(const std::string& cFolder) {
  if (platform::files::exists(cFolder)) return;
  if (DIRMAKE(cFolder.c_str()) != 0) {
    ui::messageBox("Nemoguc pristup bazi podataka:" + CRLF + cFolder, "STOP PROGRAMA",
                   ui::kButtonsOk | ui::kIconStop);
    platform::runtime::endProgram(platform::runtime::kExitOrderlyStop);
  }
}

}  // namespace

std::string Gde_Exe() {
  const std::string full = AllTrim(platform::dos::programFullPath());
  const std::string name = AllTrim(platform::dos::programFileName());
  if (full.size() < name.size() + 1) return "";
  return Left(full, full.size() - name.size() - 1);
}

std::string Gde_Sam() {
  return AllTrim(std::string(1, platform::dos::currentDrive()) + ":\\" + platform::dos::currentFolder());
}

void DB_PUT() {
  platform::text::setDateFormat("dd.mm.yyyy");

  for (const char* cIme : {"ST_adresa", "DB_adresa", "TX_adresa", "FI_adresa", "DB_firma", "DB_naziv",
                           "DB_godina", "DB_objekt"})
    setPublic(cIme, "");

  const std::string ST_adresa = Gde_Exe();
  setPublic("ST_adresa", ST_adresa);

  const std::string DB_default = ST_adresa + "\\DBF";
  DB_PUT_folder(DB_default);

  const std::string FI_adresa = ST_adresa + "\\FIRME\\FIRMA-01\\2001";
  setPublic("FI_adresa", FI_adresa);
  for (const std::string& FI_default :
       {ST_adresa + "\\FIRME", ST_adresa + "\\FIRME\\FIRMA-01", ST_adresa + "\\FIRME\\FIRMA-01\\2001"})
    DB_PUT_folder(FI_default);

  const std::string TX_default = ST_adresa + "\\TXT";
  DB_PUT_folder(TX_default);

  std::string DB_adresa = FI_adresa;
  setPublic("DB_adresa", DB_adresa);

  const std::string cServer = DB_default + "\\SERVER.DBF";
  if (!platform::files::exists(cServer))
    CR_SERV(cServer);
  else
    CR_SERV_izmeni(cServer);

  if (!platform::files::exists(cServer)) {
    ui::dialogs().alert("OSTECEN SERVER BAZE PODATAKA");
    platform::runtime::endProgram(platform::runtime::kExitOrderlyStop);
  }

  const int nOblast = dbf::currentArea();
  dbf::selectFree();
  dbf::use(cServer, dbf::kExclusive);
  dbf::goTop();
  DB_adresa = AllTrim(dbf::fieldGet("DB_ADRESA_").text());
  const std::string DB_firma = StrZero(Val(AllTrim(dbf::fieldGet("DB_FIRMA_").text())), 2);
  const std::string DB_naziv = AllTrim(dbf::fieldGet("DB_NAZIV_").text());
  const std::string DB_godina = StrZero(Val(AllTrim(dbf::fieldGet("DB_GODINA_").text())), 4);
  const std::string DB_objekt = StrZero(Val(AllTrim(dbf::fieldGet("DB_OBJEKT_").text())), 2);
  dbf::closeArea();
  dbf::select(nOblast);

  if (DB_adresa.empty()) DB_adresa = FI_adresa;
  setPublic("DB_adresa", DB_adresa);
  setPublic("DB_firma", DB_firma);
  setPublic("DB_naziv", DB_naziv);
  setPublic("DB_godina", DB_godina);
  setPublic("DB_objekt", DB_objekt);

  const std::string TX_adresa = TX_default;
  setPublic("TX_adresa", TX_adresa);

  if (!platform::files::exists(DB_adresa)) {
    const std::string ini_folder = FI_adresa;
    ui::messageBox("Nemoguc pristup u DB" + CRLF + "NE postoji lokacija:" + CRLF + " " + CRLF + DB_adresa + CRLF +
                       " " + CRLF + "DB se locira na:" + CRLF + " " + CRLF + ini_folder,
                   "RESET PROGRAMA", ui::kButtonsOk | ui::kIconExclamation);
    DB_adresa = FI_adresa;
    setPublic("DB_adresa", DB_adresa);

    dbf::use(cServer, dbf::kExclusive | dbf::kNewArea);
    dbf::goTop();
    dbf::fieldPut("DB_ADRESA_", DB_adresa);
    dbf::fieldPut("DB_NAZIV_", "* ZELK Systems Software *");
    dbf::fieldPut("DB_FIRMA_", "01");
    dbf::fieldPut("DB_GODINA_", "2001");
    dbf::fieldPut("DB_OBJEKT_", "01");
    dbf::closeArea();
    dbf::commitAll();
    dbf::select(nOblast);
  }

  if (!platform::files::exists(TX_adresa))
    ui::messageBox("Nemoguc pristup tekstovima uputstva:" + CRLF + TX_adresa, "STOP PROGRAMA",
                   ui::kButtonsOk | ui::kIconStop);

  dbf::setDefault(DB_adresa);
  dbf::setPath(DB_adresa);
}
