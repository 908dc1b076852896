// The play list of the main window: adding recordings, the play command,
// clearing the list, opening the selected file, and the list's share of the
// mouse.

#include "CJXQ_PCMgrDlg.h"

#include "FilesOpenPopup.h"
#include "MessageBox.h"
#include "Recordings.h"
#include "ROVUAdap.h"
#include "RearPicture.h"
#include "SettingPopup.h"
#include "StringIds.h"

#include <QFileInfo>

#include <cstdio>

namespace kyvo::app {

void CJXQ_PCMgrDlg::addToPlayList(std::vector<std::u16string> paths, bool sorted) {
    if (sorted) {
        recordings::CSortStringArray names(std::move(paths));
        names.Sort();
        paths = names.takeNames();
    }
    listPanel_.list().add(paths);
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

// Play: resume a held picture, replay an ended file, or open the selection.
void CJXQ_PCMgrDlg::play() {
    if (!settingIdle())
        return;
    if (playing_ && atEndBound()) {
        if (!paused_)
            return;
        // Replays the ended file, from its start and not held.
        adapter_->operate(&player::ROVUState::Pause);
        paused_ = false;
    }
    const PlayList& list = listPanel_.list();
    if (list.empty())
        return;
    if (playing_) {
        if (paused_) {
            resumePicture();
            return;
        }
        if (list.selected() == list.playingIndex())
            return;
    }
    openSelectedFile();
}

void CJXQ_PCMgrDlg::onClearList() {
    if (playing_ && adapter_) {
        adapter_->operate(&player::ROVUState::SetVolume, 0.0f, false);
        adapter_->operate(&player::ROVUState::SkipEntry);
        adapter_->resetClock();
        resetPlaybackInterface();
        adapter_->channelMode.store(channelChoice_.channelMode()); // the channel dialog's choice
    }
    listPanel_.list().clear();
    resetPlaybackInterface();
    currentFile_.clear();
    listPanel_.clearTitle();
    invalidate(kTitleRegion);
    mapActive_ = false;
    updateMapShown();
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
    if (!unlocked_ || gate_.unlocking()) {
        openPending_ = true;
        return;
    }
    PlayList& list = listPanel_.list();
    const std::u16string* selected = list.path(static_cast<std::size_t>(std::max(list.selected(), 0)));
    if (!selected)
        return;
    const QString path = QString::fromStdU16String(*selected);
    const QByteArray utf8 = path.toUtf8();
    if (static_cast<std::size_t>(utf8.size()) > player::kMaxPathBytes) {
        std::fprintf(stderr, "tessaro-viewer: path too long to play (%lld bytes): %s\n",
                     static_cast<long long>(utf8.size()), utf8.constData());
        list.setSelected(std::max(list.playingIndex(), 0));
        invalidate(kPlayListPanel);
        messageBox(this, strings::kPathTooLongToPlay, MessageIcon::Warning);
        return;
    }
    createAdapter();
    if (playing_)
        adapter_->resetClock();
    resetPlaybackInterface();
    adapter_->stepping.store(0); // a new file plays; nothing is held for steps
    list.setPlayingIndex(list.selected());
    currentFile_ = path;
    frameShown_.store(false);
    listPanel_.showTitleOf(currentFile_);
    invalidate(kTitleRegion);
    if (list.pageCount() > 1)
        list.placeThumb96(true);
    invalidate(kPlayListPanel);

    const QFileInfo status(currentFile_);
    invalidate(kVideo);
    if (!status.exists() || status.size() == 0) {
        if (adapter_->channelMode.load() == 2)
            messageBox(this, strings::kRecordedIn1Channel, MessageIcon::Information);
        return;
    }
    readEventMarks();
    if (bars_.speedStep() != kNormalSpeedStep) {
        bars_.setSpeed(kSpeedStartPosition);
        applySpeed();
    }
    applyVolume();
    gauges_.startFile();
    for (const Rect& r : {kHeadingRegion, kGSensorPanel, kPositionRegion, kSpeedRegion})
        invalidate(r);
    const std::string rear = adapter_->channelMode.load() == 2 ? rearPictureOf(utf8.toStdString()) : std::string();
    const int opened = adapter_->Open(utf8.constData(), rear.c_str());
    if (opened == player::kNotARecording) {
        skipBrokenFile();
        return;
    }
    if (opened == player::kWrongKey) {
        refuseWrongKey();
        return;
    }
    brokenInARow_ = 0;
    adapter_->current()->Yield(); // Open is the adapter's own operation: the same pause after it
    playing_ = true;
    applyVolume();
    openMap();
}

// Two channels: the rear picture's file, or the recording itself when its
// second picture track is the rear. Without a rear picture the user hears so
// and the front plays alone.
std::string CJXQ_PCMgrDlg::rearPictureOf(const std::string& front) {
    const std::optional<std::uint32_t> key =
        adapter_->encryptedViewMode.load() ? std::optional<std::uint32_t>(adapter_->key.load()) : std::nullopt;
    const player::RearLocation rear = player::findRearPicture(front, key);
    if (rear.kind == player::RearLocation::Kind::None) {
        messageBox(this, strings::kRecordedIn1Channel, MessageIcon::Information);
        return {};
    }
    if (rear.path.size() > player::kMaxPathBytes) {
        std::fprintf(stderr, "tessaro-viewer: rear picture's path too long to play: %s\n", rear.path.c_str());
        messageBox(this, strings::kPathTooLongToPlay, MessageIcon::Warning);
        return {};
    }
    return rear.path;
}

// Event and manual-event recordings ("evt_", "muevt_" in the file name; a
// folder of that name does not count) carry an event box.
void CJXQ_PCMgrDlg::readEventMarks() {
    if (!QFileInfo(currentFile_).fileName().contains(QStringLiteral("evt_")))
        return;
    bars_.setEventMarks(readEventMarksFromFile(currentFile_.toStdString()), startTimeOf(currentFile_.toStdU16String()));
}

// A file that holds no recording: say so and go on with the next file of the
// list, as at the end of a file. The next file opens from the event loop, not
// from here, so a run of broken files never nests. A list of nothing but
// broken files stops after one round.
void CJXQ_PCMgrDlg::skipBrokenFile() {
    std::fprintf(stderr, "tessaro-viewer: not a recording: %s\n", currentFile_.toUtf8().constData());
    messageBox(this, strings::kNotARecording, MessageIcon::Warning);
    if (++brokenInARow_ >= static_cast<int>(listPanel_.list().count()))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            PlayList& list = listPanel_.list();
            const int count = static_cast<int>(list.count());
            if (ended_ || playing_ || count == 0)
                return; // the user opened something meanwhile, or cleared the list
            list.selectAndShow(advanceIndex(list.playingIndex(), count));
            openSelectedFile();
        },
        Qt::QueuedConnection);
}

bool CJXQ_PCMgrDlg::playListPress(int x, int y) {
    switch (listPanel_.list().press(x, y)) {
    case PlayList::Hit::None:
        return false;
    case PlayList::Hit::Thumb:
        beginDrag(DragTarget::ListThumb);
        return true;
    case PlayList::Hit::Row:
    case PlayList::Hit::PageUp:
    case PlayList::Hit::PageDown:
        invalidate(kPlayListPanel);
        return true;
    }
    return false;
}

// A double click plays the row under it (the first click selected it); on
// the row that plays it does nothing. Anywhere else it does nothing at all:
// the first click of the pair already acted.
void CJXQ_PCMgrDlg::playListDoubleClick(int x, int y) {
    PlayList& list = listPanel_.list();
    const int row = list.rowAt(x, y);
    if (row < 0 || list.empty())
        return;
    if (list.playingIndex() != list.selected()) {
        list.setSelected(row);
        play();
    }
}

} // namespace kyvo::app
