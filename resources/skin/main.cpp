// kyvo_skingen: draws every bitmap of the viewer's skin and writes it as
// <outdir>/<id>.png. With --preview FILE it writes a composed look at the
// main and password screens instead; with --icons DIR NAME the program's icon
// for the desktop's menus, as DIR/<n>x<n>/apps/NAME.png at the usual sizes.
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
    std::fprintf(stderr, "usage: kyvo_skingen OUTDIR\n       kyvo_skingen --preview FILE\n"
                         "       kyvo_skingen --icons DIR NAME\n");
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

// The sizes of the hicolor icon theme that menus, docks and task switchers ask for.
constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The application icon is drawn once at its full size; the smaller ones are
// averaged down from it, which keeps the road and the lens readable.
int writeDesktopIcons(const kyvo::skin::SkinSet& skin, const QString& outDir, const QString& name) {
    const QImage icon = skin.render(kyvo::skin::kAppIcon);
    for (const int size : kDesktopIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString path = QStringLiteral("%1/%2.png").arg(folder, name);
        const QImage scaled =
            icon.width() == size ? icon : icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!QDir().mkpath(folder) || !scaled.save(path, "PNG")) {
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
    if (args.size() == 3 && args[0] == QLatin1String("--icons"))
        return writeDesktopIcons(skin, args[1], args[2]);
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        return usage();
    return writeAll(skin, args[0]);
}
