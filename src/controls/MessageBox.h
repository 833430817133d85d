#pragma once

#include <string>

namespace wakelatch::controls {

enum class MessageIcon { None, Exclamation, Question, Information };
enum class MessageButtons { Ok, YesNo };

// Answers as the platform codes them.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// Modal message boxes. Line breaks in the text are carriage returns (code 13), as the program writes them.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual int Show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons) = 0;
};

}  // namespace wakelatch::controls
