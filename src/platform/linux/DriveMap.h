#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wakelatch::platform::linux_drives {

// The drive map: which mount point a drive letter stands for. Its file has one line per letter,
// "X: /absolute/mount/point" (the rest of the line is the path); a line whose first non-blank
// character is '#' is a comment. The first line for a letter counts. C: is "/" unless the file maps
// C: elsewhere. Lines longer than a path can be are ignored.
class DriveMap {
  public:
    static DriveMap Parse(std::string_view text);

    std::optional<std::string> MountPointOf(char letter) const;
    std::optional<char> LetterOf(std::string_view mountPoint) const;

    // Every mount point that has a letter.
    std::vector<std::string> MountPoints() const;

    // Gives each mount point that has no letter the first free letter D to Z, in the order given, and
    // returns true when any was added. A mount point finds no letter when all are taken, or when the file
    // could not give it back as it is (a newline in it, blanks at its end).
    bool AssignLetters(const std::vector<std::string>& mountPoints);

    // The file's text: the lines read, unchanged, followed by the lines added.
    std::string Text() const;

  private:
    std::map<char, std::string> letters_;
    std::string text_;
};

}  // namespace wakelatch::platform::linux_drives
