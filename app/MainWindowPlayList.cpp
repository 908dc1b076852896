// The play list of the main window: adding recordings, the rows and the
// scroll bar, the title of the file being played, the play command, clearing
// the list and opening the selected file.

#include "CJXQ_PCMgrDlg.h"

#include "FilesOpenPopup.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "PlaybackControls.h"
#include "Recordings.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "Skin.h"
#include "StringIds.h"

#include <QFileInfo>
#include <QPainter>

#include <cstdio>

namespace kyvo::app {

namespace {

int kindIcon(recordings::RecordingKind kind) {
    switch (kind) {
    case recordings::RecordingKind::Event: return bitmap::kKindEvent;
    case recordings::RecordingKind::ManualEvent: return bitmap::kKindManual;
    case recordings::RecordingKind::Normal: break;
    }
    return bitmap::kKindNormal;
}

} // namespace

void CJXQ_PCMgrDlg::addToPlayList(std::vector<std::u16string> paths, bool sorted) {
    if (sorted) {
        recordings::CSortStringArray names(std::move(paths));
        names.Sort();
        paths = names.takeNames();
    }
    playList_.add(paths);
    erasePlayListPanel();
}

void CJXQ_PCMgrDlg::erasePlayListPanel() {
    canvas_.erase(kPlayListPanel);
    invalidate(kPlayListPanel);
}

// WM_FILES_ADD: the selector's chosen paths of its current tab join the list.
LResult CJXQ_PCMgrDlg::onFilesAdd(WParam count, LParam kind) {
    if (kind != 2 || !filesPopup_)
        return 1;
    const auto& chosen = filesPopup_->selectedList(filesPopup_->currentTab());
    std::vector<std::u16string> paths(chosen.begin(),
                                      chosen.begin() + static_cast<std::ptrdiff_t>(std::min(count, chosen.size())));
    addToPlayList(std::move(paths), false);
    return 1;
}

void CJXQ_PCMgrDlg::onOpenFiles() {
    if (!filesPopup_)
        filesPopup_ = new FilesOpenPopup(this);
    filesPopup_->place(windowRect_);
    filesPopup_->refreshLists();
    filesPopup_->setShown(true);
}

void CJXQ_PCMgrDlg::resetPlaybackInterface() {
    progressPosition_ = 0;
    frameCounter_ = 0;
    playing_ = false;
    eventMarksPresent_ = false;
    eventRecords_.clear();
    invalidate(kEventMarkRow);
    paused_ = false;
    speedPosition_ = kSpeedStartPosition;
    playList_.setPlayingIndex(-1);
}

bool CJXQ_PCMgrDlg::atEndBound() const {
    return adapter_ && app::atEndBound(adapter_->currentSecond.load(), adapter_->frameCount.load());
}

// Play: resume a held picture, replay an ended file, or open the selection.
void CJXQ_PCMgrDlg::play() {
    if (!settingPopup_ || !settingPopup_->idle())
        return;
    if (playing_ && atEndBound()) {
        if (!paused_)
            return;
        adapter_->operate(&player::ROVUState::Pause); // replays the ended file, from its start and not held
        paused_ = false;
    }
    if (playList_.empty())
        return;
    if (playing_) {
        if (paused_) {
            resumePicture();
            return;
        }
        if (playList_.selected() == playList_.playingIndex())
            return;
    }
    openSelectedFile();
}

void CJXQ_PCMgrDlg::onClearList() {
    if (playing_ && adapter_) {
        adapter_->operate(&player::ROVUState::SetVolume, 0, false);
        adapter_->operate(&player::ROVUState::SkipEntry);
        adapter_->resetClock();
        resetPlaybackInterface();
        adapter_->channelMode.store(1); // the channel choice of the settings popup: one channel
    }
    playList_.clear();
    resetPlaybackInterface();
    currentFile_.clear();
    title_.clear();
    canvas_.erase(kTitleRegion);
    invalidate(kTitleRegion);
    // The same as a stop: the bars, time and G-sensor panel go with the list.
    eraseStoppedRegions();
}

// Opening the selected file: the common step of play, next, previous and the
// automatic advance. A missing or empty recording plays nothing; a path the
// player cannot take, or a file that is no recording, is refused with a
// message and leaves what plays as it is (a broken file in a running list is
// skipped).
void CJXQ_PCMgrDlg::openSelectedFile() {
    if (ended_)
        return;
    if (!unlocked_ || unlockFrame_ >= 0) {
        openPending_ = true;
        return;
    }
    const std::u16string* selected = playList_.path(static_cast<std::size_t>(std::max(playList_.selected(), 0)));
    if (!selected)
        return;
    const QString path = QString::fromStdU16String(*selected);
    const QByteArray utf8 = path.toUtf8();
    if (static_cast<std::size_t>(utf8.size()) > player::kMaxPathBytes) {
        std::fprintf(stderr, "tessaro-viewer: path too long to play (%lld bytes): %s\n",
                     static_cast<long long>(utf8.size()), utf8.constData());
        playList_.setSelected(std::max(playList_.playingIndex(), 0));
        erasePlayListPanel();
        messageBox(this, strings::kPathTooLongToPlay, MessageIcon::Warning);
        return;
    }
    createAdapter();
    if (playing_) {
        adapter_->resetClock();
    }
    resetPlaybackInterface();
    adapter_->stepping.store(0); // a new file plays; nothing is held for steps
    playList_.setPlayingIndex(playList_.selected());
    currentFile_ = path;
    drawTitle();
    if (playList_.pageCount() > 1)
        playList_.placeThumb96(true);
    erasePlayListPanel();

    const QFileInfo status(currentFile_);
    invalidate(kVideo);
    if (!status.exists() || status.size() == 0) {
        if (adapter_->channelMode.load() == 2)
            messageBox(this, strings::kRecordedIn1Channel, MessageIcon::Information);
        return;
    }
    readEventMarks();
    if (speedStep_ != kNormalSpeedStep) {
        speedPosition_ = kSpeedStartPosition;
        applySpeed();
    }
    applyVolume();
    eraseGauges();
    frameCounter_ = 0;
    speedDigits_.reset();
    if (adapter_->channelMode.load() == 1) {
        const int opened = adapter_->Open(utf8.constData(), "");
        if (opened == player::kNotARecording) {
            skipBrokenFile();
            return;
        }
    }
    brokenInARow_ = 0;
    adapter_->current()->Yield(); // Open is the adapter's own operation: the same pause after it
    playing_ = true;
    applyVolume();
}

// A file that holds no recording: say so and go on with the next file of the
// list, as at the end of a file. The next file opens from the event loop, not
// from here, so a run of broken files never nests. A list of nothing but
// broken files stops after one round.
void CJXQ_PCMgrDlg::skipBrokenFile() {
    std::fprintf(stderr, "tessaro-viewer: not a recording: %s\n", currentFile_.toUtf8().constData());
    messageBox(this, strings::kNotARecording, MessageIcon::Warning);
    if (++brokenInARow_ >= static_cast<int>(playList_.count()))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const int count = static_cast<int>(playList_.count());
            if (ended_ || playing_ || count == 0)
                return; // the user opened something meanwhile, or cleared the list
            playList_.selectAndShow(advanceIndex(playList_.playingIndex(), count));
            openSelectedFile();
        },
        Qt::QueuedConnection);
}

// The title: the path from its last kind marker on, in the top strip.
void CJXQ_PCMgrDlg::drawTitle() {
    canvas_.erase(kTitleRegion);
    invalidate(kTitleRegion);
    if (playList_.empty())
        return;
    title_ = QString::fromStdU16String(recordings::titleText(currentFile_.toStdU16String()));
    if (title_.isEmpty())
        return;
    QPainter painter(&canvas_.backBuffer());
    painter.setFont(pointFont(kTitleFont, displayScale_));
    painter.setPen(Qt::white);
    painter.setClipRect(toQRect(kTitleRegion));
    drawTextAt(painter, {kTitleRegion.left, kTitleRegion.top}, title_);
}

void CJXQ_PCMgrDlg::drawListRows() {
    QPainter painter(&canvas_.backBuffer());
    painter.setFont(pointFont(kListRowFont, displayScale_));
    const int rows = playList_.rowsOnPage();
    for (int i = 0; i < rows; ++i) {
        const int index = playList_.page() * PlayList::kRowsPerPage + i;
        const std::u16string* path = playList_.path(static_cast<std::size_t>(index));
        if (!path)
            break; // a page beyond the list stops at the first missing entry
        const int y = PlayList::kRowsTop + PlayList::kRowHeight * i;
        const bool selected = index == playList_.selected();
        if (selected)
            painter.fillRect(QRect(PlayList::kRowsLeft, y, PlayList::kRowsRight - PlayList::kRowsLeft,
                                   PlayList::kRowHeight),
                             toQColor(kSelectedRowColour));
        painter.setPen(selected ? Qt::black : Qt::white);
        const auto kind = recordings::classify(*path).kind;
        painter.drawImage(kKindIconX, y + kKindIconDrop, skinImage(kindIcon(kind)));
        drawTextAt(painter, {kDateX, y}, QString::fromStdU16String(recordings::dateText(*path)));
        drawTextAt(painter, {kNameX, y}, QString::fromStdU16String(recordings::rowName(*path)));
    }
    painter.fillRect(toQRect(kListTrack), toQColor(kListTrackColour));
    if (playList_.pageCount() > 1) {
        const auto& thumb = playList_.thumb();
        painter.fillRect(QRect(PlayList::kTrackLeft, thumb.top, PlayList::kTrackRight - PlayList::kTrackLeft,
                               thumb.bottom - thumb.top),
                         toQColor(kListThumbColour));
    }
    painter.end();
    canvas_.drawImage(bitmap::kScrollUp, kListArrowUp);
    canvas_.drawImage(bitmap::kScrollDown, kListArrowDown);
}

bool CJXQ_PCMgrDlg::playListPress(int x, int y) {
    const PlayList::Hit hit = playList_.press(x, y);
    switch (hit) {
    case PlayList::Hit::None:
        return false;
    case PlayList::Hit::Thumb:
        dragInProgress_ = true;
        dragTarget_ = DragTarget::ListThumb;
        grabMouse();
        return true;
    case PlayList::Hit::Row:
    case PlayList::Hit::PageUp:
    case PlayList::Hit::PageDown:
        erasePlayListPanel();
        return true;
    }
    return false;
}

// A double click plays the row under it (the first click selected it); on
// the row that plays it does nothing. Anywhere else it does nothing at all:
// the first click of the pair already acted.
void CJXQ_PCMgrDlg::playListDoubleClick(int x, int y) {
    const int row = playList_.rowAt(x, y);
    if (row < 0 || playList_.empty())
        return;
    if (playList_.playingIndex() != playList_.selected()) {
        playList_.setSelected(row);
        play();
    }
}

} // namespace kyvo::app
