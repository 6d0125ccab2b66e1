#pragma once
// The contents reports: a plain-text record of what a container holds (the
// archive report) or what was unpacked from it (the restore report). Both
// are written, announced in a message box and opened in the text editor.
#include <string>
#include <vector>

#include "platform/clock/local_clock.h"

// Writes the archive report, tells the operator, shows it; returns 0.
int ZIP_Spisak(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
               const std::string& ZIP_FajlIzvestaj, const std::string& ZIP_FajlMaterijal);

// Writes the restore report, tells the operator, shows it; returns 0.
int UNZIP_Spisak(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                 const std::string& UNZIP_FajlIzvestaj, const std::string& UNZIP_FolderKontejner);

// The reports' bytes, for a given moment; the writers use the present one.
std::string ArchiveReportText(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                              const std::string& ZIP_FajlMaterijal, const std::string& programFolder,
                              const platform::clock::LocalTime& stamp);
std::string RestoreReportText(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                              const std::string& UNZIP_FolderKontejner,
                              const platform::clock::LocalTime& stamp);
