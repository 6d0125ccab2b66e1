#pragma once
// The program's single driver: resolves the data location, fills the
// omitted run parameters, derives the report paths, asks the operator and
// hands over to the archive run (then the copy step) or the restore run.
#include <optional>
#include <string>

#include "run/run_context.h"

// Every parameter may be omitted (std::nullopt):
//   ZIP_FajlMaterijal      what to pack   default Gde_Sam() + "\*.*"
//   ZIP_FajlKontejner      the container  default "C:\ZELK-ARHIVA\" + ZELK2000_NAZIV()
//   UNZIP_FolderKontejner  restore target default "C:\ZELK-ARHIVA\"
//   operacija              1 archive, 2 restore, default 1
void CARHIVA(std::optional<std::string> ZIP_FajlMaterijal = std::nullopt,
             std::optional<std::string> ZIP_FajlKontejner = std::nullopt,
             std::optional<std::string> UNZIP_FolderKontejner = std::nullopt,
             std::optional<int> operacija = std::nullopt);

// Report paths of a run, from the container path and the restore folder:
// the archive report drops the container's last four characters and adds
// ".TXT"; the restore report is the folder, "\", the container's file name
// (at most 100 characters, trimmed) and ".TXT".
std::string ArchiveReportPath(const std::string& ZIP_FajlKontejner);
std::string RestoreReportPath(const std::string& UNZIP_FolderKontejner, const std::string& ZIP_FajlKontejner);

// The drive and folder current at start, as SFO holds it.
std::string CurrentDriveAndFolder();
