#include "bridge/unzip_file.h"

#include <optional>

#include "XBTBase1.h"
#include "aunzip32.h"
#include "bap.h"
#include "bridge/zip_messages.h"
#include "platform/files/file_services.h"
#include "platform/loader/library.h"
#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"

using namespace platform::xbase;
using platform::files::File;

namespace {

enum class UnzipMode { Extract, View, Test };

// The message file of the unpack run under way.
std::string cFileName;

struct Aunzip32 {
  decltype(&addUNZIP_Initialise) Initialise;
  decltype(&addUNZIP_InstallCallback) InstallCallback;
  decltype(&addUNZIP_ArchiveName) ArchiveName;
  decltype(&addUNZIP_Include) Include;
  decltype(&addUNZIP_RestoreStructure) RestoreStructure;
  decltype(&addUNZIP_ExtractTo) ExtractTo;
  decltype(&addUNZIP_View) View;
  decltype(&addUNZIP_Test) Test;
  decltype(&addUNZIP) Unzip;

  bool bind(const platform::loader::Library& lib) {
    Initialise = lib.function<decltype(Initialise)>("addUNZIP_Initialise");
    InstallCallback = lib.function<decltype(InstallCallback)>("addUNZIP_InstallCallback");
    ArchiveName = lib.function<decltype(ArchiveName)>("addUNZIP_ArchiveName");
    Include = lib.function<decltype(Include)>("addUNZIP_Include");
    RestoreStructure = lib.function<decltype(RestoreStructure)>("addUNZIP_RestoreStructure");
    ExtractTo = lib.function<decltype(ExtractTo)>("addUNZIP_ExtractTo");
    View = lib.function<decltype(View)>("addUNZIP_View");
    Test = lib.function<decltype(Test)>("addUNZIP_Test");
    Unzip = lib.function<decltype(Unzip)>("addUNZIP");
    return Initialise && InstallCallback && ArchiveName && Include && RestoreStructure && ExtractTo && View &&
           Test && Unzip;
  }
};

// UnZipCallBack as the library calls it, through bap.
void UnZipCallBackFromC(void* /*context*/, void* hwnd, int nMsgNum, const char* cMsg) noexcept {
  try {
    UnZipCallBack(hwnd, nMsgNum, cMsg ? cMsg : "");
  } catch (...) {
    // a lost message line; nothing may cross back into the library
  }
}

// Draws message file names until one names no file, and creates it. False
// when no such file can be created.
bool CreateMessageFile() {
  for (int nTry = 0; nTry < 1000; ++nTry) {
    cFileName = "Z" + std::to_string(static_cast<long>(RAND() * 100000) + 1) + ".TMP";
    if (platform::files::exists(cFileName)) continue;
    if (UnZipCallBack(nullptr, 0, "", cFileName)) return true;
    if (!platform::files::exists(cFileName)) return false;  // not a race: the folder refuses
  }
  return false;
}

void DropMessageFile() {
  UnZipCallBack(nullptr, 0, "", std::nullopt, true);
  platform::files::erase(cFileName);
}

// The records of one unpack run, or nothing when the run could not be made
// (no message file, no library).
std::optional<std::vector<std::string>> UnZipRun(const std::string& cArcFile, UnzipMode mode,
                                                 const std::string& cPath) {
  if (!CreateMessageFile()) return std::nullopt;

  const BA_WINDOW_NUMBER_TEXT pCallBack = BACALLBACK(&UnZipCallBackFromC, nullptr, BA_FORM_WINDOW_NUMBER_TEXT);
  auto lib = platform::loader::Library::load("aunzip32.dll");
  Aunzip32 au{};
  const bool lLoaded = lib && au.bind(*lib);
  if (!lLoaded) platform::ui::messageBox("Could not find the addZip aunzip32.dll file!", "DLL missing");
  if (!lLoaded || !pCallBack) {
    BAFREECALLBACK(pCallBack);
    DropMessageFile();
    return std::nullopt;
  }

  au.Initialise();
  au.InstallCallback(pCallBack);
  au.ArchiveName(cArcFile.c_str());
  switch (mode) {
    case UnzipMode::Extract:
      au.Include("*.*");
      au.RestoreStructure(0);
      au.ExtractTo(cPath.c_str());
      break;
    case UnzipMode::View: au.View(); break;
    case UnzipMode::Test: au.Test(); break;
  }
  au.Unzip();
  lib.reset();
  BAFREECALLBACK(pCallBack);

  UnZipCallBack(nullptr, 0, "", std::nullopt, true);
  std::vector<std::string> aRecords;
  File nHandle = File::open(cFileName);
  for (std::string cRecord = ReadFlatRecord(nHandle); !cRecord.empty(); cRecord = ReadFlatRecord(nHandle))
    aRecords.push_back(cRecord);
  nHandle.close();
  platform::files::erase(cFileName);
  return aRecords;
}

std::string AfterLastBackslash(const std::string& cRecord) {
  return SubStr(cRecord, static_cast<long long>(RAt("\\", cRecord)) + 1);
}

}  // namespace

std::vector<std::string> UnZipFile(const std::string& cArcFile, const std::string& cPath, bool lFullPath) {
  std::vector<std::string> aFileList;
  auto aRecords = UnZipRun(cArcFile, UnzipMode::Extract, cPath);
  if (!aRecords) return aFileList;
  for (const auto& cRecord : *aRecords) aFileList.push_back(lFullPath ? cRecord : AfterLastBackslash(cRecord));
  return aFileList;
}

ZipListing ViewZip(const std::string& cArcFile, bool lFullPath) {
  auto aRecords = UnZipRun(cArcFile, UnzipMode::View, "");
  if (lFullPath) {
    std::vector<std::vector<std::string>> aFileList;
    if (aRecords)
      for (const auto& cRecord : *aRecords) aFileList.push_back(SplitZipMessage(cRecord));
    return aFileList;
  }
  std::vector<std::string> aFileList;
  if (aRecords)
    for (const auto& cRecord : *aRecords) aFileList.push_back(AfterLastBackslash(cRecord));
  return aFileList;
}

bool TestUnZip(const std::string& cArcFile) {
  auto aRecords = UnZipRun(cArcFile, UnzipMode::Test, "");
  return aRecords && aRecords->empty();
}
