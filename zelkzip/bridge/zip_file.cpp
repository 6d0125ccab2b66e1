#include "bridge/zip_file.h"

#include "azip32.h"
#include "platform/files/file_services.h"
#include "platform/loader/library.h"
#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"

using namespace platform::xbase;

namespace {

struct Azip32 {
  decltype(&addZIP_Initialise) Initialise;
  decltype(&addZIP_SetWindowHandle) SetWindowHandle;
  decltype(&addZIP_Recurse) Recurse;
  decltype(&addZIP_SaveStructure) SaveStructure;
  decltype(&addZIP_ArchiveName) ArchiveName;
  decltype(&addZIP_Include) Include;
  decltype(&addZIP) Zip;

  bool bind(const platform::loader::Library& lib) {
    Initialise = lib.function<decltype(Initialise)>("addZIP_Initialise");
    SetWindowHandle = lib.function<decltype(SetWindowHandle)>("addZIP_SetWindowHandle");
    Recurse = lib.function<decltype(Recurse)>("addZIP_Recurse");
    SaveStructure = lib.function<decltype(SaveStructure)>("addZIP_SaveStructure");
    ArchiveName = lib.function<decltype(ArchiveName)>("addZIP_ArchiveName");
    Include = lib.function<decltype(Include)>("addZIP_Include");
    Zip = lib.function<decltype(Zip)>("addZIP");
    return Initialise && SetWindowHandle && Recurse && SaveStructure && ArchiveName && Include && Zip;
  }
};

void* NativeHandle(const ZipOwnerWindow& nWindowHandle) {
  if (const auto* n = std::get_if<std::intptr_t>(&nWindowHandle)) return reinterpret_cast<void*>(*n);
  const auto* oWindow = std::get<const platform::ui::NativeWindow*>(nWindowHandle);
  return oWindow ? oWindow->nativeHandle() : nullptr;
}

}  // namespace

std::string ZipIncludeText(const std::vector<std::string>& aFiles) {
  std::string cFiles;
  for (const auto& cFile : aFiles) cFiles += AllTrim(cFile) + "|";
  return cFiles;
}

std::string ZipDerivedArcFile(const std::string& cFile) {
  return Left(cFile, At(".", cFile)) + "ZIP";
}

bool ZipFile(const ZipFiles& xFile, const std::optional<std::string>& cArcFileIn,
             const std::optional<ZipOwnerWindow>& nWindowHandle) {
  const bool lSingle = std::holds_alternative<std::string>(xFile);
  const std::vector<std::string> aFiles =
      lSingle ? std::vector<std::string>{std::get<std::string>(xFile)} : std::get<std::vector<std::string>>(xFile);
  std::string cArcFile;
  if (cArcFileIn) cArcFile = *cArcFileIn;
  else if (lSingle) cArcFile = ZipDerivedArcFile(aFiles.front());
  else return false;  // a list names no container

  for (const auto& cFile : aFiles) {
    if (!platform::files::exists(cFile)) return false;
  }
  const std::string cFiles = ZipIncludeText(aFiles);

  // A container that stood there before proves nothing about this run.
  const auto before = platform::files::identity(cArcFile);

  auto lib = platform::loader::Library::load("azip32.dll");
  Azip32 az{};
  if (!lib || !az.bind(*lib)) {
    platform::ui::messageBox("Could not find the addZip azip32.dll file!", "DLL missing");
    return false;
  }
  az.Initialise();
  if (nWindowHandle) az.SetWindowHandle(NativeHandle(*nWindowHandle));
  az.Recurse(0);
  az.SaveStructure(0);
  az.ArchiveName(cArcFile.c_str());
  az.Include(cFiles.c_str());
  az.Zip();
  lib.reset();

  const auto after = platform::files::identity(cArcFile);
  return platform::files::exists(cArcFile) && after && after != before;
}
