#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "platform/loader/library.h"
#include "platform/runtime/program_end.h"
#include "platform/runtime/public_vars.h"
#include "platform/ui/scripted_backend.h"

using namespace platform;

TEST(RunMain, ExitStatusTellsHowTheProgramEnded) {
  ui::ScopedScriptedDialogs script;
  EXPECT_EQ(runtime::runMain([] {}), runtime::kExitNormal);
  EXPECT_EQ(runtime::runMain([] { runtime::endProgram(runtime::kExitOrderlyStop); }), runtime::kExitOrderlyStop);
  EXPECT_TRUE(script->records().empty());
  EXPECT_EQ(runtime::runMain([] { runtime::runtimeError("tabela se ne moze otvoriti", "C:\\DBF\\SERVER.DBF"); }),
            runtime::kExitRuntimeError);
  EXPECT_EQ(runtime::runMain([] { throw std::bad_alloc(); }), runtime::kExitRuntimeError);
  EXPECT_EQ(runtime::runMain([] { throw std::runtime_error("kvar"); }), runtime::kExitRuntimeError);

  ASSERT_EQ(script->records().size(), 3u);
  const auto& first = script->records()[0];
  EXPECT_EQ(first.request.icon, ui::kIconStop);
  EXPECT_NE(first.text.find("tabela se ne moze otvoriti"), std::string::npos);
  EXPECT_NE(first.text.find("C:\\DBF\\SERVER.DBF"), std::string::npos);
  EXPECT_NE(script->records()[1].text.find("memorije"), std::string::npos);
  EXPECT_NE(script->records()[2].text.find("kvar"), std::string::npos);
}

TEST(PublicValues, AreSharedWithCCodeAndIgnoreCase) {
  runtime::clearPublics();
  EXPECT_EQ(zelk_public_get("DB_adresa"), nullptr);
  runtime::setPublic("DB_adresa", "C:\\ZELK\\FIRME");
  EXPECT_STREQ(zelk_public_get("db_ADRESA"), "C:\\ZELK\\FIRME");
  EXPECT_EQ(runtime::getPublic("DB_ADRESA"), "C:\\ZELK\\FIRME");
  EXPECT_EQ(zelk_public_get(nullptr), nullptr);
}

TEST(Loader, AMissingLibraryIsReportedNotFatal) {
  std::string why;
  auto lib = loader::Library::load("nosuchlib32.dll", &why);
  EXPECT_EQ(lib, nullptr);
  EXPECT_FALSE(why.empty());
}

TEST(Loader, FindsExportsByName) {
  auto lib = loader::Library::load("libzelkrt.DLL");
  ASSERT_NE(lib, nullptr);
  EXPECT_NE(lib->symbol("zelk_public_get"), nullptr);
  EXPECT_EQ(lib->symbol("no_such_export_here"), nullptr);
}
