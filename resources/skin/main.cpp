// kyvo_skingen: draws every bitmap of the viewer's skin and writes it as
// <outdir>/<id>.png. With --preview FILE it writes a composed look at the
// main and password screens instead.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>

#include "Preview.h"
#include "SkinIds.h"
#include "SkinSet.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: kyvo_skingen OUTDIR\n       kyvo_skingen --preview FILE\n");
    return 2;
}

int writeAll(const kyvo::skin::SkinSet& skin, const QString& outDir) {
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "kyvo_skingen: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    for (const kyvo::skin::SkinImage& entry : kyvo::skin::kSkinImages) {
        const QImage image = skin.render(entry.id);
        if (image.width() != entry.width || image.height() != entry.height) {
            std::fprintf(stderr, "kyvo_skingen: bitmap %d is %dx%d, expected %dx%d\n", entry.id, image.width(),
                         image.height(), entry.width, entry.height);
            return 1;
        }
        const QString path = QDir(outDir).filePath(QStringLiteral("%1.png").arg(entry.id));
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "kyvo_skingen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const kyvo::skin::SkinSet skin;
    if (args.size() == 2 && args[0] == QLatin1String("--preview")) {
        if (!kyvo::skin::composePreview(skin).save(args[1], "PNG")) {
            std::fprintf(stderr, "kyvo_skingen: cannot write %s\n", qPrintable(args[1]));
            return 1;
        }
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        return usage();
    return writeAll(skin, args[0]);
}
