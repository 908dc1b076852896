#include "MapView.h"

namespace kyvo::app {

namespace {
MapViewFactory& factory() {
    static MapViewFactory instance;
    return instance;
}
} // namespace

void setMapViewFactory(MapViewFactory newFactory) {
    factory() = std::move(newFactory);
}

const MapViewFactory& mapViewFactory() {
    return factory();
}

} // namespace kyvo::app
