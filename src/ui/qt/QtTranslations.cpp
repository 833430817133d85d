#include "ui/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace wakelatch::qtui {

bool QtTranslations::Apply(int language) {
    if (language == 1 && !installed_) {
        if (!loaded_) {
            loaded_ =
                german_.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        }
        if (!loaded_) {
            return false;
        }
        installed_ = QCoreApplication::installTranslator(&german_);
    } else if (language == 2 && installed_) {
        QCoreApplication::removeTranslator(&german_);
        installed_ = false;
    }
    return true;
}

}  // namespace wakelatch::qtui
