#pragma once
// The play-list panel and the title strip: the list of recordings with its
// header, its seven rows and its scroll bar, and the title of the file that
// plays. The part owns the list (PlayList: the rows, the selection and the
// thumb, hit through its press and rowAt) and the title text, and paints
// both into the back buffer.
//
// GUI thread only.

#include "PlayList.h"

#include <QString>

#include <array>

namespace kyvo::app {

class SkinCanvas;

class PlayListPanel {
public:
    PlayList& list() { return list_; }
    const PlayList& list() const { return list_; }

    // The title of `path`: the path from its last kind marker on; none for an
    // empty path.
    void showTitleOf(const QString& path);
    void clearTitle() { title_.clear(); }
    const QString& title() const { return title_; }

    // Where it paints: the part is painted whole over these, erased first.
    static constexpr std::array<Rect, 2> kRegions{kTitleRegion, kListFrame};

    void paint(SkinCanvas& canvas, double displayScale) const;

private:
    PlayList list_;
    QString title_;
};

} // namespace kyvo::app
