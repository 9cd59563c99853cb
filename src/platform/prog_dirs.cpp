// Program folders.
#include "platform/prog_dirs.h"

#include "platform/file_io.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {
std::string progDir = "./";
std::string dataDir = "./data/";
std::string sheetDir = "./sheet/";

void DeriveFolders()
{
    dataDir = progDir + "data/";
    sheetDir = progDir + "sheet/";
}
}  // namespace

void SetProgDir(const std::string& folder)
{
    progDir = WithTrailingSlash(folder);
    DeriveFolders();
}

void InitProgDir()
{
    if (const char* env = std::getenv("ORV_PROGDIR"); env && *env) {
        SetProgDir(env);
        return;
    }
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    SetProgDir(ec ? std::string("./") : exe.parent_path().string());
}

const std::string& ProgDir() { return progDir; }
const std::string& DataDir() { return dataDir; }
const std::string& SheetDir() { return sheetDir; }

void CreateProgramFolders()
{
    DeriveFolders();
    CreateFolder(dataDir);
    CreateFolder(sheetDir);
    CreateFolder(sheetDir + "values/");
    CreateFolder(sheetDir + "compliance/");
    CreateFolder(sheetDir + "summary/");
}
