#pragma once
// The folder browser: a modal choice of an existing folder. Tests install a
// chooser that answers at once.

#include <QString>

#include <functional>

class QWidget;

namespace kyvo {

// The chosen folder, or an empty string when the user cancelled.
QString browseForFolder(QWidget* parent, const QString& title, const QString& startFolder);

using FolderChooser = std::function<QString(const QString& title, const QString& startFolder)>;
void setFolderChooser(FolderChooser chooser); // empty function: the real dialog

} // namespace kyvo
