#include "Skin.h"

#include "ProgramFolders.h"

#include <QDir>
#include <QHash>

namespace kyvo {

namespace {

struct SkinCache {
    QString folder;
    QHash<int, QImage> images;
};

SkinCache& cache() {
    static SkinCache instance;
    return instance;
}

} // namespace

QString skinDirectory() {
    if (cache().folder.isEmpty())
        cache().folder = QString::fromStdString((programFolders().data / "skin").string());
    return cache().folder;
}

void setSkinDirectory(const QString& folder) {
    cache().folder = folder;
    cache().images.clear();
}

QImage skinImage(int id) {
    auto& images = cache().images;
    if (auto it = images.constFind(id); it != images.constEnd())
        return it.value();
    QImage image(QDir(skinDirectory()).filePath(QString::number(id) + QStringLiteral(".png")));
    if (!image.isNull())
        image = image.convertToFormat(QImage::Format_RGB32);
    images.insert(id, image);
    return image;
}

} // namespace kyvo
