#include "platform/linux/DriveMap.h"

#include <limits.h>

#include <cctype>

namespace wakelatch::platform::linux_drives {
namespace {

std::string NormalisedPath(std::string_view path) {
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t' || path.back() == '\r')) {
        path.remove_suffix(1);
    }
    std::string result(path);
    while (result.size() > 1 && result.back() == '/') {
        result.pop_back();
    }
    return result;
}

}  // namespace

DriveMap DriveMap::Parse(std::string_view text) {
    DriveMap map;
    map.text_ = std::string(text);
    if (!map.text_.empty() && map.text_.back() != '\n') {
        map.text_ += '\n';
    }
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);

        const std::size_t first = line.find_first_not_of(" \t");
        if (line.size() > PATH_MAX || first == std::string_view::npos || line[first] == '#' ||
            first + 2 > line.size() || line[first + 1] != ':' ||
            !std::isalpha(static_cast<unsigned char>(line[first]))) {
            continue;
        }
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(line[first])));
        const std::size_t pathStart = line.find_first_not_of(" \t", first + 2);
        if (pathStart == std::string_view::npos || line[pathStart] != '/') {
            continue;
        }
        if (map.letters_.count(letter) == 0) {
            map.letters_[letter] = NormalisedPath(line.substr(pathStart));
        }
    }
    if (map.letters_.count('C') == 0) {
        map.letters_.emplace('C', std::string(1, '/'));
    }
    return map;
}

std::optional<std::string> DriveMap::MountPointOf(char letter) const {
    const auto it = letters_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    if (it == letters_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<char> DriveMap::LetterOf(std::string_view mountPoint) const {
    for (const auto& [letter, path] : letters_) {
        if (path == mountPoint) {
            return letter;
        }
    }
    return std::nullopt;
}

bool DriveMap::AssignLetters(const std::vector<std::string>& mountPoints) {
    bool added = false;
    for (const std::string& mountPoint : mountPoints) {
        // A path that cannot stand on one line of the file gets no letter.
        if (mountPoint.empty() || mountPoint.size() > PATH_MAX || mountPoint[0] != '/' ||
            mountPoint.find('\n') != std::string::npos || NormalisedPath(mountPoint) != mountPoint ||
            LetterOf(mountPoint)) {
            continue;
        }
        for (char letter = 'D'; letter <= 'Z'; ++letter) {
            if (letters_.count(letter) == 0) {
                letters_[letter] = mountPoint;
                text_ += std::string(1, letter) + ": " + mountPoint + "\n";
                added = true;
                break;
            }
        }
    }
    return added;
}

std::string DriveMap::Text() const {
    return text_;
}

std::vector<std::string> DriveMap::MountPoints() const {
    std::vector<std::string> mountPoints;
    for (const auto& entry : letters_) {
        mountPoints.push_back(entry.second);
    }
    return mountPoints;
}

}  // namespace wakelatch::platform::linux_drives
