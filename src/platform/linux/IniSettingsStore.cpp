#include "platform/linux/IniSettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <utility>

#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {
namespace {

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

QString KeyPath(const std::string& section, const std::string& key) {
    return ToQt(section + "/" + key);
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string configFolderOverride)
    : configFolderOverride_(std::move(configFolderOverride)) {}

IniSettingsStore::~IniSettingsStore() = default;

std::string IniSettingsStore::FilePath(const std::string& appName) const {
    const std::string folder =
        configFolderOverride_.empty() ? linux_xdg::ConfigHome() : configFolderOverride_;
    return folder + "/" + appName + "/" + appName + ".ini";
}

QSettings& IniSettingsStore::SettingsFor(const std::string& appName) {
    auto& settings = files_[appName];
    if (!settings) {
        settings = std::make_unique<QSettings>(ToQt(FilePath(appName)), QSettings::IniFormat);
    }
    return *settings;
}

std::string IniSettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                         const std::string& key, const std::string& defaultText) {
    QSettings& settings = SettingsFor(appName);
    settings.sync();  // another copy of the program, or the user, may have changed the file
    const QString path = KeyPath(section, key);
    if (!settings.contains(path)) {
        return defaultText;
    }
    const QVariant value = settings.value(path);
    // An unquoted comma makes the INI reader return a list; the stored text is the joined list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

bool IniSettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& text) {
    const std::string file = FilePath(appName);
    linux_xdg::MakeDirectories(file.substr(0, file.rfind('/')));
    QSettings& settings = SettingsFor(appName);
    settings.setValue(KeyPath(section, key), ToQt(text));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace wakelatch::platform
