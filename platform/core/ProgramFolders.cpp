#include "ProgramFolders.h"

#include <system_error>

#ifndef KYVO_DATA_FROM_PROGRAMS
#error "KYVO_DATA_FROM_PROGRAMS names the data folder relative to the programs' folder"
#endif
#ifndef KYVO_LIBRARIES_FROM_PROGRAMS
#error "KYVO_LIBRARIES_FROM_PROGRAMS names the private libraries' folder relative to the programs' folder"
#endif

namespace kyvo {

InstallLayout installLayout() { return {KYVO_DATA_FROM_PROGRAMS, KYVO_LIBRARIES_FROM_PROGRAMS}; }

ProgramFolders programFoldersOf(const std::filesystem::path& programFolder, const InstallLayout& layout) {
    const auto data = (programFolder / layout.dataFromPrograms).lexically_normal();
    std::error_code error;
    if (!programFolder.empty() && std::filesystem::is_directory(data, error))
        return {data, (programFolder / layout.librariesFromPrograms).lexically_normal(), true};
    return {programFolder, programFolder, false};
}

std::filesystem::path executableFolder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

const ProgramFolders& programFolders() {
    static const ProgramFolders folders = programFoldersOf(executableFolder());
    return folders;
}

} // namespace kyvo
