#include "FolderBrowser.h"

#include "CentredDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kyvo {

namespace {

FolderChooser& chooser() {
    static FolderChooser instance;
    return instance;
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString userName() {
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QDir::home().dirName() : user;
}

} // namespace

QString browseForFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    if (chooser())
        return chooser()(title, startFolder);
    // No parent: the asking window's style sheet stays out of the browser.
    QFileDialog dialog(nullptr, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (execCentredOver(dialog, parent) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void setFolderChooser(FolderChooser newChooser) {
    chooser() = std::move(newChooser);
}

QString browseStartFolder(const QString& current, const QStringList& mediaRoots, const QString& home) {
    if (isFolder(current))
        return current;
    for (const QString& root : mediaRoots)
        if (isFolder(root))
            return root;
    return home;
}

QString browseStartFolder(const QString& current) {
    const QString user = userName();
    return browseStartFolder(current, {QStringLiteral("/media/") + user, QStringLiteral("/run/media/") + user},
                             QDir::homePath());
}

} // namespace kyvo
