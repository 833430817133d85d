#include "support/FileOps.h"

#include "support/Resources.h"
#include "support/Text.h"

namespace wakelatch {

bool sml_ALL_FILE_OPS::FileExists(platform::FileSystem& files, const std::string& path) {
    return !path.empty() && files.Exists(path);
}

bool sml_ALL_FILE_OPS::MakeDirectoryPath(platform::FileSystem& files, ProgramState& state,
                                         const std::string& path) {
    const auto last = path.rfind(files.Separator());
    const bool made = last != std::string::npos && files.MakeDirectories(path.substr(0, last + 1));
    state.LastResult = made ? 1 : 0;
    return made;
}

bool sml_RES_TO_DISK::ResourceToDisk(platform::FileSystem& files, int id, const std::string& path) {
    const auto bytes = resources::Find(id);
    // The whole file is replaced: an older, longer file must not keep its tail behind the new bytes.
    return bytes && files.ReplaceFile(path, bytes->data, bytes->size);
}

std::string pim_MAIN::HelpFileNameFor(std::int32_t language) {
    if (language == 1) {
        return "wakelatch_help_german.chm";
    }
    if (language == 2) {
        return "wakelatch_help_english.chm";
    }
    return {};
}

std::string pim_MAIN::HelpFolder(platform::FileSystem& files, const std::string& folder) {
    const char separator = files.Separator();
    std::string base = text::TrimBlanks(folder);
    if (base.empty() || base.back() != separator) {
        base += separator;
    }
    return base + "help" + separator;
}

void pim_MAIN::ExtractHelpFile(platform::FileSystem& files, ProgramState& state, const std::string& folder) {
    const std::string helpFolder = HelpFolder(files, folder);
    state.LastResult = sml_ALL_FILE_OPS::MakeDirectoryPath(files, state, helpFolder + "null.zip") ? 1 : 0;
    if (const std::string name = HelpFileNameFor(state.Language); !name.empty()) {
        state.HelpFileName = name;
    }
    const std::string path = helpFolder + state.HelpFileName;
    state.LastResult = sml_ALL_FILE_OPS::FileExists(files, path) ? 1 : 0;
    if (state.LastResult == 0 && !state.HelpFileName.empty()) {
        state.LastResult = sml_RES_TO_DISK::ResourceToDisk(files, state.Language + 999, path) ? 1 : 0;
    }
}

}  // namespace wakelatch
