#pragma once

#include <string>

// Where the shipped languages are. The first of these that holds a language: the environment
// variable QUILLOMORPH_DATA (taken as it is when set); share/quillomorph/data of the
// installation the library, the Python module or the program belongs to; for a library or
// program that lies in its build tree, the data folder of the sources it was built from.
// Empty when none does.
std::string FindDataFolder();

// True when folder has a manifest or a KEY.bin file.
bool HoldsLanguages(const std::string& folder);

// The data folder of the sources whose build tree holds file (a file up to three levels
// below the folder with CMakeCache.txt); empty when file is not in such a tree.
std::string SourceDataFolderOfBuild(const std::string& file);
