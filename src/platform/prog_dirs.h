// The program's folders: ProgDir (the executable's folder, or ORV_PROGDIR when set), and
// DataDir and SheetDir under it. Each folder text ends with "/".
#pragma once

#include <string>

// Fixes ProgDir from ORV_PROGDIR or the executable's folder (done once by the splash).
void InitProgDir();
// Sets ProgDir directly (tests); DataDir and SheetDir follow it.
void SetProgDir(const std::string& folder);

const std::string& ProgDir();
const std::string& DataDir();
const std::string& SheetDir();
// Sets DataDir and SheetDir from ProgDir and creates data/, sheet/ and the three sheet
// sub-folders values/, compliance/ and summary/. Failures are silent: later file operations
// report their own errors.
void CreateProgramFolders();
