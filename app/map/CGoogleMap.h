#pragma once
// The map window: a child of the main window over its map panel, showing the
// map page in the browser engine (Qt WebEngine).
//
// - The page is loaded from its file and never navigated away from: links
//   (the attribution's) and new windows are refused, there is no context
//   menu, and F5, Enter and Escape do nothing.
// - Tiles come through the map's own browser profile, whose disk cache keeps
//   the tiles of a drive already seen for use without a connection; its
//   requests name the viewer in their User-Agent.
// - Calls to the page run only once it has loaded; earlier ones are dropped
//   (the next timer tick brings the position again), except the track, which
//   waits for the load.
//
// GUI thread only. The engine's helper processes end with the profile,
// which this window owns.

#include "MapView.h"

#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

class QWebEngineProfile;
class QWebEngineView;

namespace kyvo::app {

class MapWebPage;

class CGoogleMap : public QWidget, public MapView {
public:
    CGoogleMap(QWidget* parent, const MapViewSettings& settings);
    ~CGoogleMap() override;

    void open(const std::string& trackCall) override;
    void push(const std::string& call) override;
    void setShown(bool shown) override { setVisible(shown); }
    QWidget* widget() override { return this; }

    bool pageLoaded() const { return loaded_; }
    const QUrl& pageUrl() const { return pageUrl_; }
    // Runs `script` on the page and hands its result to `done` (tests and
    // diagnostics); nothing runs before the page has loaded.
    void evaluate(const QString& script, std::function<void(const QVariant&)> done);
    QWebEngineView* view() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onLoadFinished(bool ok);

    QUrl pageUrl_;
    QWebEngineProfile* profile_ = nullptr; // owned; outlives the page
    MapWebPage* page_ = nullptr;           // owned; deleted before the profile
    QWebEngineView* view_ = nullptr;       // child widget
    bool loaded_ = false;
    std::string pendingTrack_;
};

// Registers CGoogleMap as the main window's map view.
void useGoogleMapView();

} // namespace kyvo::app
