#include <gtest/gtest.h>

#include "support/zip_fixture.h"

extern "C" {
int c_pack(const char* include, const char* archive);
int c_unpack(char mode, const char* archive, const char* target);
const char* c_messages(void);
int c_count(char kind);
int c_refusals(void);
}

TEST(CInterfaceTest, PacksListsTestsAndExtractsThroughTheCInterface) {
  testsupport::TempDrive drive;
  ziptest::writeFile(drive / "D" / "A.DBF", ziptest::tableBytes(1, 100));
  ziptest::writeFile(drive / "D" / "B.DBF", "b");
  ASSERT_EQ(c_pack("C:\\D\\*.DBF|", "C:\\Z\\T.ZIP"), 0);

  ASSERT_EQ(c_unpack('v', "C:\\Z\\T.ZIP", nullptr), 0);
  EXPECT_EQ(c_count('f'), 2);
  EXPECT_NE(std::string(c_messages()).find("22:B.DBF|Stored|B.DBF|1|1|0|"), std::string::npos) << c_messages();

  ASSERT_EQ(c_unpack('t', "C:\\Z\\T.ZIP", nullptr), 0);
  EXPECT_EQ(c_count('i') + c_count('f') + c_count('d'), 0) << c_messages();

  ASSERT_EQ(c_unpack('x', "C:\\Z\\T.ZIP", "C:\\OUT"), 0);
  EXPECT_EQ(std::string(c_messages()), "15:A.DBF|C:\\OUT\\A.DBF|\n15:B.DBF|C:\\OUT\\B.DBF|\n");
  EXPECT_EQ(ziptest::readFile(drive / "OUT" / "A.DBF"), ziptest::tableBytes(1, 100));

  ziptest::writeFile(drive / "Z" / "T.ZIP", "not a container");
  EXPECT_EQ(c_unpack('t', "C:\\Z\\T.ZIP", nullptr), 4);
  EXPECT_EQ(std::string(c_messages()), "15:C:\\Z\\T.ZIP|not a ZIP container|\n");
}

TEST(CInterfaceTest, RefusesWhatItCannotDo) {
  testsupport::TempDrive drive;
  EXPECT_EQ(c_refusals(), 0);
}
