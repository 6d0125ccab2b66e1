#pragma once
// Small tables made by the engine itself, for the seed corpus and as the
// partner table the fuzzer appends from and into. Their field names are the
// ones the seeds use, so appends between a mutated table and these match
// fields by name.
#include <string>

#include "platform/dbf/work_areas.h"

namespace zelk_fuzz {

// NAME C 10, QTY N 5.1, WHEN D, OK L; two records, the second one blank.
inline void makePeopleTable(const std::string& dosName) {
  namespace dbf = platform::dbf;
  dbf::create(dosName, {{"NAME", 'C', 10, 0}, {"QTY", 'N', 5, 1}, {"WHEN", 'D', 8, 0}, {"OK", 'L', 1, 0}});
  dbf::use(dosName, dbf::kExclusive | dbf::kNewArea, "PEOPLE_SAMPLE");
  dbf::appendBlank();
  dbf::fieldPut("NAME", dbf::Value("ALPHA"));
  dbf::fieldPut("QTY", dbf::Value(12.5));
  dbf::fieldPut("WHEN", dbf::Value(dbf::Date{2001, 3, 5}));
  dbf::fieldPut("OK", dbf::Value(true));
  dbf::appendBlank();
  dbf::closeArea();
}

}  // namespace zelk_fuzz
