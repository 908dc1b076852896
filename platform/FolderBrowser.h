#pragma once
// The folder browser: a modal choice of an existing folder. Tests install a
// chooser that answers at once.
//
// The browser is a window of its own, centred over the window that asks: it
// does not inherit that window's style sheet, so a dark window never makes
// the browser's labels dark on dark.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace kyvo {

// The chosen folder, or an empty string when the user cancelled.
QString browseForFolder(QWidget* parent, const QString& title, const QString& startFolder);

using FolderChooser = std::function<QString(const QString& title, const QString& startFolder)>;
void setFolderChooser(FolderChooser chooser); // empty function: the real dialog

// Where a browse starts: `current` when it names an existing folder, else the
// first existing folder of `mediaRoots` (where removable media are mounted for
// the user), else `home`.
QString browseStartFolder(const QString& current, const QStringList& mediaRoots, const QString& home);
// The same with the user's own media folders (/media/USER, /run/media/USER)
// and home folder.
QString browseStartFolder(const QString& current);

} // namespace kyvo
