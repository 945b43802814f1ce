#pragma once
// Where the program keeps its files. A build tree or an unpacked folder, with the skins beside the
// executable, is a portable installation: everything lives in the executable's folder. An installed
// program keeps the user's files in the user's data folder for Voltrane and takes its skins from the
// installed data folder.

#include <filesystem>

namespace voltrane {

struct ProgramPaths {
    std::filesystem::path programDir;  // profiles, macros, the language file, "download.bin"
    std::filesystem::path skinDir;     // the skin images
    bool portable = false;             // both are the executable's folder and its "skins"
};

// What the choice depends on.
struct InstallFacts {
    std::filesystem::path exeDir;       // the folder of the running executable
    bool skinsBesideExe = false;        // exeDir holds a "skins" folder
    bool exeDirWritable = false;        // this user may create files in exeDir
    const char* xdgDataHome = nullptr;  // XDG_DATA_HOME; null when unset
    const char* home = nullptr;         // HOME; null when unset
};

// Portable when the skins are beside the executable and its folder is writable. Otherwise the
// program directory is "voltrane" in the user's data folder (XDG_DATA_HOME, else
// ~/.local/share), or the executable's folder when neither variable names an absolute path; the
// skins come from beside the executable when they are there, else from share/voltrane/skins of the
// prefix the executable's folder (its bin) belongs to.
ProgramPaths ChooseProgramPaths(const InstallFacts& facts);

// Looks at `exeDir` on disk, chooses, and creates the program directory of an installed program
// when it does not exist yet (a failure is left for the first file written there to report).
ProgramPaths LocateProgramPaths(const std::filesystem::path& exeDir, const char* xdgDataHome,
                                const char* home);

}  // namespace voltrane
