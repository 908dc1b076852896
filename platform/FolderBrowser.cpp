#include "FolderBrowser.h"

#include <QFileDialog>

namespace kyvo {

namespace {
FolderChooser& chooser() {
    static FolderChooser instance;
    return instance;
}
} // namespace

QString browseForFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    if (chooser())
        return chooser()(title, startFolder);
    return QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
}

void setFolderChooser(FolderChooser newChooser) {
    chooser() = std::move(newChooser);
}

} // namespace kyvo
