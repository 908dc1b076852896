#include "RegistryStore.h"

#include <QSettings>

namespace kyvo {

namespace {
constexpr char kOrganisation[] = "Orvanel";
constexpr char kApplication[] = "Kyvo Viewer";
} // namespace

RegistryStore::RegistryStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QString::fromLatin1(kOrganisation),
                                            QString::fromLatin1(kApplication))) {}

RegistryStore::RegistryStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::settingsKey(const QString& keyPath, const QString& valueName) {
    // Registry paths use "\"; the store's groups use "/".
    QString key = keyPath;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key + QLatin1Char('/') + valueName;
}

std::optional<QByteArray> RegistryStore::read(const QString& keyPath, const QString& valueName) const {
    const QVariant value = settings_->value(settingsKey(keyPath, valueName));
    if (!value.isValid())
        return std::nullopt;
    return value.toByteArray();
}

bool RegistryStore::write(const QString& keyPath, const QString& valueName, const QByteArray& bytes) {
    settings_->setValue(settingsKey(keyPath, valueName), bytes);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString RegistryStore::fileName() const {
    return settings_->fileName();
}

} // namespace kyvo
