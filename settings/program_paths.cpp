#include "settings/program_paths.h"

#include <unistd.h>

#include "settings/xdg_base_dir.h"

namespace voltrane {

namespace fs = std::filesystem;

ProgramPaths ChooseProgramPaths(const InstallFacts& facts) {
    const fs::path besideExe = facts.exeDir / "skins";
    if (facts.skinsBesideExe && facts.exeDirWritable) return {facts.exeDir, besideExe, true};
    const fs::path dataHome = XdgBaseDir(facts.xdgDataHome, facts.home, ".local/share");
    const fs::path programDir = dataHome.empty() ? facts.exeDir : dataHome / "voltrane";
    const fs::path installed = (facts.exeDir / ".." / "share" / "voltrane" / "skins").lexically_normal();
    return {programDir, facts.skinsBesideExe ? besideExe : installed, false};
}

ProgramPaths LocateProgramPaths(const fs::path& exeDir, const char* xdgDataHome, const char* home) {
    std::error_code error;
    const InstallFacts facts{exeDir, fs::is_directory(exeDir / "skins", error),
                             ::access(exeDir.c_str(), W_OK) == 0, xdgDataHome, home};
    ProgramPaths paths = ChooseProgramPaths(facts);
    if (!paths.portable) fs::create_directories(paths.programDir, error);
    return paths;
}

}  // namespace voltrane
