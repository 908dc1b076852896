#pragma once
// Helpers for the recgen tests: a scratch folder, whole-file reads and
// ffprobe's view of a file.

#include "BoxWriter.h"
#include "ProcessRunner.h"
#include "RecordingMaker.h"
#include "TempFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace kyvo::recgen::test {

// A scratch folder; its path holds no '_', so it may serve as a card.
using kyvo::test::TempFolder;

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Small and short, so that every encode takes a fraction of a second.
inline RecordingOptions tinyOptions() {
    RecordingOptions options;
    options.lengthS = 2;
    options.width = 128;
    options.height = 72;
    options.preset = "ultrafast";
    return options;
}

struct Probe {
    QJsonObject format;
    std::optional<QJsonObject> video;
    std::optional<QJsonObject> audio;
    int streamCount = 0;
};

inline Probe ffprobe(const std::filesystem::path& file) {
    const ProcessResult result = runProcess(
        {"ffprobe", "-v", "error", "-show_streams", "-show_format", "-of", "json", file.string()});
    EXPECT_TRUE(result.succeeded()) << result.startError << result.errors;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(result.output)).object();
    Probe probe;
    probe.format = root.value("format").toObject();
    for (const QJsonValue& value : root.value("streams").toArray()) {
        const QJsonObject stream = value.toObject();
        ++probe.streamCount;
        if (stream.value("codec_type").toString() == "video")
            probe.video = stream;
        else if (stream.value("codec_type").toString() == "audio")
            probe.audio = stream;
    }
    return probe;
}

inline std::string text(const QJsonObject& object, const char* key) {
    return object.value(key).toString().toStdString();
}

}  // namespace kyvo::recgen::test
