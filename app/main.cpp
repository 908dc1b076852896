#include "CGoogleMap.h"
#include "CJXQ_PCMgrApp.h"

int main(int argc, char** argv) {
    kyvo::app::useGoogleMapView();
    kyvo::app::CJXQ_PCMgrApp app;
    return app.run(argc, argv);
}
