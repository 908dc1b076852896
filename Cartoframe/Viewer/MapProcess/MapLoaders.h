#pragma once
// The loader of each file of the data set (not part of the library's
// interface). Each reads an open stream into mapSet() and answers false
// after a fatal data error (already reported).

#include <cstdio>

namespace cartoframe::mapdata {

bool loadMapFile(std::FILE* file);
bool loadRoadNameFile(std::FILE* file);
bool loadRoadNodeFile(std::FILE* file);
bool loadSpeedIndexFile(std::FILE* file);

// Moves the stream to an absolute position; a position the store cannot
// reach is a fatal data error.
bool seekTo(std::FILE* file, long long position);

} // namespace cartoframe::mapdata
