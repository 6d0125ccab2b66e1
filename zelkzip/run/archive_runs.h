#pragma once
// The archive run (pack, test, list, report) and the restore run.
#include <string>

#include "run/run_context.h"

// True when the container was made, tested and reported.
bool C_arhiviraj(ArchiveRunContext& run, const std::string& ZIP_FajlMaterijal,
                 const std::string& ZIP_FajlKontejner, const std::string& ZIP_FajlIzvestaj);

// Unpacks the container into the folder and reports it; returns 0.
int C_rearhiviraj(ArchiveRunContext& run, const std::string& ZIP_FajlKontejner,
                  const std::string& UNZIP_FolderKontejner, const std::string& UNZIP_FajlIzvestaj);
