#pragma once
// The state of one archiving run. CARHIVA creates it, hands it by reference
// to everything it calls, and drops it when it returns.
#include <string>
#include <vector>

struct ArchiveRunContext {
  std::vector<std::string> aSpisak;  // the container's entries, for the report
  std::string SFO;                   // drive and folder current at start ("C:\X"); nothing reads it
  std::string ZIP_FajlIzvestaj;      // archive contents report
  std::string UNZIP_FajlIzvestaj;    // restore report
};
