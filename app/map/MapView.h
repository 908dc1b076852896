#pragma once
// The map panel's web view as the main window sees it: a child window over
// the map panel that shows the map page, loads it again for each recording,
// draws the recording's track and takes the position pushes.
//
// The browser engine lives in its own library (CGoogleMap); the program
// registers a factory for it at start-up. Without one (test programs that do
// not test the map) the main window runs without a map view and the engine
// never starts.
//
// GUI thread only.

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kyvo::app {

class MapView {
public:
    virtual ~MapView() = default;
    // Loads the page anew (nothing blocks) and, once it has loaded, runs
    // `trackCall` (a setTrack call made from numbers only).
    virtual void open(const std::string& trackCall) = 0;
    // Runs `call` on the page when it has loaded; before that it is dropped.
    virtual void push(const std::string& call) = 0;
    virtual void setShown(bool shown) = 0;
    virtual QWidget* widget() = 0;
};

struct MapViewSettings {
    QString pagePath; // the map page beside the program
    QString tileUrl;  // tile address with {z}, {x} and {y}; empty: the page's default
};

using MapViewFactory = std::function<std::unique_ptr<MapView>(QWidget* parent, const MapViewSettings& settings)>;
void setMapViewFactory(MapViewFactory factory); // empty function: no map view
const MapViewFactory& mapViewFactory();

} // namespace kyvo::app
