// kyvo_mappage FOLDER: writes the map page the viewer shows, centred where
// the viewer starts, into FOLDER, for the install to put beside Leaflet and
// the page's script (an installed viewer's folder is read-only for it).
#include "GoogleMapPage.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: kyvo_mappage FOLDER\n", stderr);
        return 2;
    }
    if (kyvo::map::writeGoogleMapPage(argv[1], 0, 0) == kyvo::map::PageWrite::Failed) {
        std::fprintf(stderr, "kyvo_mappage: cannot write the map page into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
