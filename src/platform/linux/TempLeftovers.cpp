#include "platform/linux/TempLeftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace wakelatch::platform::linux_files {
namespace {

constexpr std::string_view kPicturePrefix = "pic_";
constexpr std::string_view kPictureSuffix = ".bmp";
constexpr std::size_t kTemporarySuffixLength = 6;  // mkstemp's XXXXXX

bool IsPictureName(std::string_view name) {
    return name.size() > kPicturePrefix.size() + kPictureSuffix.size() &&
           name.substr(0, kPicturePrefix.size()) == kPicturePrefix &&
           name.substr(name.size() - kPictureSuffix.size()) == kPictureSuffix;
}

}  // namespace

bool IsTempLeftoverName(const std::string& name) {
    const std::string_view view(name);
    if (IsPictureName(view)) {
        return true;
    }
    // ".<picture>.XXXXXX", as the atomic file writer names its temporary files.
    if (view.size() < 2 + kTemporarySuffixLength || view.front() != '.' ||
        view[view.size() - kTemporarySuffixLength - 1] != '.') {
        return false;
    }
    const std::string_view suffix = view.substr(view.size() - kTemporarySuffixLength);
    return std::all_of(suffix.begin(), suffix.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }) &&
           IsPictureName(view.substr(1, view.size() - kTemporarySuffixLength - 2));
}

int RemoveTempLeftovers(const std::string& tempFolder) {
    const int folder = open(tempFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return 0;
    }
    DIR* listing = fdopendir(fcntl(folder, F_DUPFD_CLOEXEC, 0));
    int removed = 0;
    while (listing != nullptr) {
        const dirent* entry = readdir(listing);
        if (entry == nullptr) {
            break;
        }
        struct stat info {};
        if (IsTempLeftoverName(entry->d_name) &&
            fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            unlinkat(folder, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    if (listing != nullptr) {
        closedir(listing);
    }
    close(folder);
    return removed;
}

}  // namespace wakelatch::platform::linux_files
