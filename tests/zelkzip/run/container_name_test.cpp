#include <gtest/gtest.h>

#include "run/carhiva.h"
#include "run/container_name.h"

namespace {
platform::clock::LocalTime day(int y, int m, int d) {
  platform::clock::LocalTime t;
  t.year = y;
  t.month = m;
  t.day = d;
  return t;
}
}  // namespace

struct NameCase {
  const char* name;
  std::string folder;
  std::string expected;
};

class ContainerNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ContainerNames, CarryCompanyYearAndDate) {
  EXPECT_EQ(ContainerName(GetParam().folder, day(2004, 3, 15)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ContainerNames,
    ::testing::Values(
        NameCase{"twoDigitCompany", "C:\\PROG\\FIRME\\FIRMA-01\\2001", "01-2001 (2004-03-15) .ZIP"},
        NameCase{"noCompanyDigits", "C:\\DATA\\ARHIV\\2003", "2003 (2004-03-15) .ZIP"},
        NameCase{"oneDigitCompany", "C:\\FIRME\\FIRMA-1\\2001", "2001 (2004-03-15) .ZIP"},
        NameCase{"blankBeforeDigit", "C:\\FIRME\\FIRMA 1\\2001", "2001 (2004-03-15) .ZIP"},
        NameCase{"belowDriveRoot", "C:\\2001", "2001 (2004-03-15) .ZIP"},
        NameCase{"driveRoot", "C:\\", " (2004-03-15) .ZIP"},
        NameCase{"yearWithBlanks", "C:\\F-07\\ 2002 ", "07-2002 (2004-03-15) .ZIP"},
        NameCase{"longYearCutTo100", "C:\\F-12\\" + std::string(120, 'Y'),
                 "12-" + std::string(100, 'Y') + " (2004-03-15) .ZIP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ContainerNames, DatePartIsZeroPadded) {
  EXPECT_EQ(ContainerName("C:\\F-01\\2001", day(2026, 1, 5)), "01-2001 (2026-01-05) .ZIP");
}

struct ReportCase {
  const char* name;
  std::string container;
  std::string folder;
  std::string archiveReport;
  std::string restoreReport;
};

class ReportPaths : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportPaths, DeriveFromTheContainer) {
  const auto& c = GetParam();
  EXPECT_EQ(ArchiveReportPath(c.container), c.archiveReport);
  EXPECT_EQ(RestoreReportPath(c.folder, c.container), c.restoreReport);
}

INSTANTIATE_TEST_SUITE_P(
    Containers, ReportPaths,
    ::testing::Values(
        ReportCase{"defaultFolder", "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP", "C:\\ZELK-ARHIVA\\",
                   "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .TXT",
                   "C:\\ZELK-ARHIVA\\\\01-2001 (2004-03-15) .ZIP.TXT"},
        ReportCase{"lastFourCharactersGoWhateverTheyAre", "C:\\X\\A.B", "D:\\R", "C:\\X.TXT", "D:\\R\\A.B.TXT"},
        ReportCase{"noBackslash", "  ARH.ZIP ", "C:\\R", "  ARH..TXT", "C:\\R\\ARH.ZIP.TXT"},
        ReportCase{"shortContainer", "AB", "C:\\R", ".TXT", "C:\\R\\AB.TXT"},
        ReportCase{"longNameCutTo100", "C:\\A\\" + std::string(130, 'N') + ".ZIP", "C:\\R",
                   "C:\\A\\" + std::string(130, 'N') + ".TXT", "C:\\R\\" + std::string(100, 'N') + ".TXT"}),
    [](const auto& info) { return std::string(info.param.name); });
