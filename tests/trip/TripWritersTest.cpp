// The written trips as their readers see them: GPSBabel reads the GPX and the
// KML back to the same points (count, coordinates within 1e-6 degrees, times);
// the CSV through a CSV reader and the GeoJSON through Qt's JSON parser.

#include "TempFolder.h"
#include "TripWriters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace kyvo::trip {
namespace {

// Two trips, one of two recordings, south and west of 0 as well as north and
// east, with a void fix and a recording name that needs quoting everywhere.
std::vector<Trip> sampleTrips() {
    Trip first;
    first.recordings = {"/card/drf_20240612_081500.mov", "/card/a \"b\", <c> & d.mov"};
    const double t0 = 1718180100.0; // 2024-06-12 08:15:00 UTC
    for (int i = 0; i < 6; ++i) {
        Fix fix;
        fix.utcSeconds = t0 + i / 3.0;
        fix.latitude = -33.8688123 + i * 1e-5;
        fix.longitude = -70.6692654 - i * 1e-5;
        fix.speedKmh = 40 + i;
        fix.course = 181.5;
        fix.gx = 0.125f;
        fix.gy = -0.25f;
        fix.gz = 1.0f;
        fix.valid = i != 3;
        fix.recording = i < 3 ? 0 : 1;
        fix.frame = static_cast<std::uint32_t>(10 * (i % 3) + 1);
        first.fixes.push_back(fix);
    }
    Trip second;
    second.recordings = {"/card/drf_20240612_091500.mov"};
    Fix fix;
    fix.utcSeconds = t0 + 3600.5;
    fix.latitude = 25.0583;
    fix.longitude = 121.564;
    fix.valid = true;
    fix.frame = 1;
    second.fixes.push_back(fix);
    return {first, second};
}

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// Fields of a CSV line (RFC 4180: quotes around fields that hold commas or quotes, quotes doubled).
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The points GPSBabel reads from `file` as its CSV (lat, lon, date, time).
std::vector<std::vector<std::string>> babelPoints(const std::filesystem::path& file, const char* format, bool tracks) {
    const std::string output = run(std::string("gpsbabel ") + (tracks ? "-t " : "") + "-i " + format + " -f '" +
                                   file.string() + "' -o unicsv,utc=0 -F - 2>&1");
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : splitLines(output))
        rows.push_back(csvFields(line));
    return rows;
}

void expectSamePoints(const std::vector<std::vector<std::string>>& rows, const std::vector<Fix>& fixes) {
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string>& header = rows[0];
    auto column = [&](const char* name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    const std::size_t lat = column("Latitude");
    const std::size_t lon = column("Longitude");
    const std::size_t time = column("Time");
    ASSERT_EQ(rows.size() - 1, fixes.size());
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<std::string>& row = rows[i + 1];
        ASSERT_GT(row.size(), std::max({lat, lon, time}));
        EXPECT_NEAR(std::stod(row[lat]), fixes[i].latitude, 1e-6);
        EXPECT_NEAR(std::stod(row[lon]), fixes[i].longitude, 1e-6);
        EXPECT_EQ("2024-06-12T" + row[time], isoTime(fixes[i].utcSeconds).substr(0, 11 + row[time].size()));
    }
}

TEST(TripWritersTest, GpsBabelReadsTheGpxAndTheKmlBackToTheSamePoints) {
    test::TempFolder dir;
    const std::vector<Trip> trips = sampleTrips();
    std::vector<Fix> all;
    for (const Trip& trip : trips)
        all.insert(all.end(), trip.fixes.begin(), trip.fixes.end());

    write(dir.path() / "trips.gpx", writeTrips(Format::Gpx, trips));
    expectSamePoints(babelPoints(dir.path() / "trips.gpx", "gpx", true), all);
    // The KML's points, each with its time (the line holds the valid ones only).
    write(dir.path() / "trips.kml", writeTrips(Format::Kml, trips));
    expectSamePoints(babelPoints(dir.path() / "trips.kml", "kml", false), all);

    // Void fixes left out on request.
    std::vector<Fix> valid;
    std::copy_if(all.begin(), all.end(), std::back_inserter(valid), [](const Fix& f) { return f.valid; });
    write(dir.path() / "valid.gpx", writeTrips(Format::Gpx, trips, {.validOnly = true}));
    expectSamePoints(babelPoints(dir.path() / "valid.gpx", "gpx", true), valid);
}

TEST(TripWritersTest, TheCsvAndTheGeoJsonReadBackWithEveryField) {
    const std::vector<Trip> trips = sampleTrips();
    const std::vector<std::string> lines = splitLines(writeTrips(Format::Csv, trips));
    ASSERT_EQ(lines.size(), 1u + 7u);
    EXPECT_EQ(lines[0], "trip,utc_time,latitude,longitude,speed_kmh,course,gx,gy,gz,valid,recording,frame");
    const std::vector<std::string> void3 = csvFields(lines[4]);
    ASSERT_EQ(void3.size(), 12u);
    EXPECT_EQ(void3[0], "1");
    EXPECT_EQ(void3[1], "2024-06-12T08:15:01.000Z");
    EXPECT_EQ(void3[2], "-33.8687823");
    EXPECT_EQ(void3[3], "-70.6692954");
    EXPECT_EQ(void3[6], "0.125");
    EXPECT_EQ(void3[9], "0") << "not valid";
    EXPECT_EQ(void3[10], "/card/a \"b\", <c> & d.mov");
    EXPECT_EQ(void3[11], "1");
    EXPECT_EQ(csvFields(lines[7])[0], "2");

    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(writeTrips(Format::GeoJson, trips)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray features = document.object().value("features").toArray();
    ASSERT_EQ(features.size(), 2 + 7); // a line per trip, a point per fix
    const QJsonObject line = features[0].toObject();
    EXPECT_EQ(line["geometry"].toObject()["type"].toString(), "LineString");
    EXPECT_EQ(line["geometry"].toObject()["coordinates"].toArray().size(), 5) << "the valid fixes";
    EXPECT_EQ(line["properties"].toObject()["recordings"].toArray()[1].toString(), "/card/a \"b\", <c> & d.mov");
    const QJsonObject point = features[4].toObject();
    EXPECT_NEAR(point["geometry"].toObject()["coordinates"].toArray()[1].toDouble(), -33.8687823, 1e-9);
    EXPECT_FALSE(point["properties"].toObject()["valid"].toBool(true));
}

TEST(TripWritersTest, FormatsAndTimesAreNamedAsUsersTypeThem) {
    Format format = Format::Gpx;
    EXPECT_TRUE(parseFormat("geojson", format));
    EXPECT_EQ(format, Format::GeoJson);
    EXPECT_FALSE(parseFormat("GPX", format));
    EXPECT_EQ(formatExtension(Format::Kml), ".kml");
    EXPECT_EQ(isoTime(0), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(isoTime(951782400.9996), "2000-02-29T00:00:01.000Z");
    EXPECT_EQ(isoTime(-5), "1970-01-01T00:00:00.000Z");
}

} // namespace
} // namespace kyvo::trip
