// The map panel of the main window: the page written beside the program at
// start, the map view opened for each recording with its track, the position
// pushed at each tick of timer 100, and the one place that decides whether
// the view shows.

#include "CJXQ_PCMgrDlg.h"

#include "GoogleMapPage.h"
#include "MapCall.h"
#include "MapPageFolder.h"
#include "MessageBox.h"
#include "Network.h"
#include "ProgramFolders.h"
#include "ROVUAdap.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "TrackData.h"

#include <QStandardPaths>

#include <cmath>

namespace kyvo::app {

namespace {

// The map's tile address in the viewer's store; empty: the page's default.
constexpr char kMapTilesKey[] = "SOFTWARE\\Orvanel\\Kyvo Viewer\\01.00.01\\Map";
constexpr char kMapTilesValue[] = "tiles";

// The page's folder of the user's when the program's data folder cannot take
// it: beside the viewer's settings' names (~/.local/share/Orvanel/Kyvo Viewer/map).
constexpr char kUserMapFolder[] = "Orvanel/Kyvo Viewer/map";

std::filesystem::path userMapFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? std::filesystem::path() : std::filesystem::path(data.toStdString()) / kUserMapFolder;
}

} // namespace

// Written once, into the program's data folder (or the user's, see
// MapPageFolder.h): an existing page, also one the user edited, stays as it is.
void CJXQ_PCMgrDlg::writeMapPage() {
    const RmcFix& fix = gauges_.fix();
    const auto placed = map::placeGoogleMapPage(programFolders().data, userMapFolder(), fix.latitude, fix.longitude);
    mapPageFolder_ = placed.write == map::PageWrite::Failed ? programFolders().data : placed.folder;
    if (placed.write == map::PageWrite::Failed)
        messageBox(this, strings::kMapPageFailed, MessageIcon::Warning);
}

// A recording opened in the one-channel layout: with a connection the map
// view loads its page again (created the first time) and draws the track;
// without one the notice shows instead.
void CJXQ_PCMgrDlg::openMap() {
    if (adapter_->channelMode.load() != 1)
        return;
    const bool online = isInternetConnected();
    if (const auto changed = map_.setNoticeShown(!online, displayScale_))
        invalidate(*changed);
    if (online && !mapView_ && mapViewFactory()) {
        MapViewSettings settings;
        settings.pagePath = QString::fromStdString((mapPageFolder_ / map::kMapPageFileName).string());
        const auto tiles = store_->read(QString::fromLatin1(kMapTilesKey), QString::fromLatin1(kMapTilesValue));
        settings.tileUrl = QString::fromUtf8(tiles.value_or(QByteArray()));
        mapView_ = mapViewFactory()(this, settings);
        mapView_->widget()->setGeometry(toQRect(kMap));
    }
    if (online && mapView_) {
        const auto mode = adapter_->encryptedViewMode.load() ? player::ViewMode::Encrypted : player::ViewMode::General;
        mapView_->open(map::trackCallText(map::readTrackFile(currentFile_.toStdString(), mode, adapter_->key.load())));
    }
    mapActive_ = true;
    updateMapShown();
}

// Timer 100: the current position, only from a valid fix, and the heading
// of the marker; nothing without a connection or a map view.
void CJXQ_PCMgrDlg::pushPosition(bool online) {
    if (!online || !mapView_)
        return;
    const RmcFix& fix = gauges_.fix();
    const auto position = map::pushablePosition(fix);
    if (!position)
        return;
    const auto call = map::updateMapCall(position->first, position->second);
    if (!call)
        return;
    std::string heading = "GSetHeading(";
    map::appendDegrees(heading, std::isfinite(fix.course) ? fix.course : 0.0);
    heading += ')';
    mapView_->push(heading);
    mapView_->push(*call);
}

// The view shows while a recording is open in it and nothing covers its
// place: not while the connection notice shows, nor under the video popups,
// nor while the settings popup is open.
void CJXQ_PCMgrDlg::updateMapShown() {
    if (!mapView_)
        return;
    // With two channels the rear picture has the map's place.
    const bool shown = mapActive_ && unlocked_ && !map_.noticeShown() && !videoPopupsActive_ && settingIdle() &&
                       channelChoice_.channelMode() == 1;
    mapView_->setShown(shown);
    if (shown)
        buttons_.at(control::kUsb)->raise(); // the USB button stays above the map
}

} // namespace kyvo::app
