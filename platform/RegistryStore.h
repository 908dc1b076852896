#pragma once
// A registry-like store: values addressed by a key path and a value name,
// kept as raw bytes. On Linux it is an INI file in the user's configuration
// folder ($XDG_CONFIG_HOME/Orvanel/Kyvo Viewer.ini); tests open a file of
// their own.
//
// Not thread-safe: use one instance per thread (the viewer uses it on the
// GUI thread only).

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace kyvo {

// Key paths and value names of the viewer's settings.
inline constexpr char kViewerConfigKey[] = "SOFTWARE\\Orvanel\\Kyvo Viewer\\01.00.01\\Viewer Config";
inline constexpr char kViewerConfigValue[] = "config";
inline constexpr char kUsbConfigKey[] = "SOFTWARE\\Orvanel\\Kyvo Viewer\\01.00.01\\USB Config";
inline constexpr char kUsbConfigValue[] = "stConfig";

class RegistryStore {
public:
    RegistryStore();                              // the user's store
    explicit RegistryStore(const QString& iniPath); // a store in that file
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The bytes of the value; nothing when the key or the value is missing.
    std::optional<QByteArray> read(const QString& keyPath, const QString& valueName) const;

    // Creates the key if needed and stores the bytes. Answers false when the
    // store could not be written.
    bool write(const QString& keyPath, const QString& valueName, const QByteArray& bytes);

    QString fileName() const;

private:
    static QString settingsKey(const QString& keyPath, const QString& valueName);
    std::unique_ptr<QSettings> settings_;
};

} // namespace kyvo
