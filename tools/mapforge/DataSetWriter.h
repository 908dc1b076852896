#pragma once
// Turns the model into the bytes of the map data set, packs a file into the
// "Vadu" layout, and writes the whole set with its file list.

#include "DataSetModel.h"
#include "Lzo.h"

#include <array>
#include <filesystem>
#include <string>

namespace kyvo::mapforge {

struct DataSetFiles {
    Bytes map;
    Bytes roadName;
    Bytes roadNode;
    Bytes speedIndex;
};

inline constexpr int kDefaultBlockSize = 0x8000;
// File names of "Map", "RoadName", "RoadNode" and "RSpeedIdx" in the map folder.
inline constexpr const char* kTargetNames[4] = {"MAP.DAT", "ROADNAME.DAT", "ROADNODE.DAT", "RSPEED.IDX"};

// Answers false with a message when a layer part does not fit the map
// library's work buffer.
bool encodeDataSet(const DataSetModel& model, DataSetFiles& files, std::string& error);

// The content as a packed file of LZO1X blocks of blockSize bytes each.
Bytes packFile(const Bytes& content, int blockSize);

// "FileList.cfg" naming the targets of the first four entries.
Bytes fileListBytes(const std::array<std::string, 4>& targets);

struct WriteOptions {
    int blockSize = kDefaultBlockSize;
    bool packMap = true;  // "Map" packed
    bool packAll = false; // every file packed
};

bool saveDataSet(const DataSetFiles& files, const std::filesystem::path& folder, const WriteOptions& options,
                 std::string& error);

} // namespace kyvo::mapforge
