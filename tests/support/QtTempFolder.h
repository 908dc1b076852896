#pragma once
// The temporary folder of TempFolder.h for tests of Qt code: the same fresh
// folder, removed the same way, with its paths as QString.

#include "TempFolder.h"

#include <QFile>
#include <QString>

namespace kyvo::test {

class QtTempFolder {
public:
    explicit QtTempFolder(std::string_view prefix = "kyvotest") : folder_(prefix) {}

    QString path() const { return QFile::decodeName(folder_.path().c_str()); }
    QString filePath(const QString& name) const { return path() + QLatin1Char('/') + name; }
    const std::filesystem::path& fsPath() const { return folder_.path(); }

private:
    TempFolder folder_;
};

} // namespace kyvo::test
