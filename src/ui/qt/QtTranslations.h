#pragma once

#include <QTranslator>

namespace wakelatch::qtui {

// Qt's own texts (the standard buttons of message boxes and dialogs) in the program's language:
// German from Qt's translations for Language 1, Qt's English for 2; any other value changes nothing.
class QtTranslations {
  public:
    // False when German is asked for and Qt's German translation is not installed.
    bool Apply(int language);

  private:
    QTranslator german_;  // leaves the application when it is destroyed
    bool loaded_ = false;
    bool installed_ = false;
};

}  // namespace wakelatch::qtui
