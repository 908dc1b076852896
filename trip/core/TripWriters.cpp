#include "TripWriters.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kyvo::trip {

namespace {

constexpr int kCoordinateDecimals = 7;
constexpr int kValueDecimals = 2;
constexpr int kSensorDecimals = 3;
constexpr double kMillisecondsPerSecond = 1000.0;

void appendNumber(std::string& out, double value, int decimals) {
    if (!std::isfinite(value))
        value = 0;
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    out.append(text.data(), result.ptr);
}

std::string number(double value, int decimals) {
    std::string out;
    appendNumber(out, value, decimals);
    return out;
}

std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string jsonEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

bool written(const Fix& fix, const WriteOptions& options) {
    return fix.valid || !options.validOnly;
}

std::string writeGpx(const std::vector<Trip>& trips, const WriteOptions& options) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"" + std::string(kCreator) +
                      "\" xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:kyvo=\"" +
                      std::string(kExtensionNamespace) + "\">\n";
    for (std::size_t t = 0; t < trips.size(); ++t) {
        const Trip& trip = trips[t];
        out += "  <trk>\n    <name>Trip " + std::to_string(t + 1) + "</name>\n";
        std::size_t segment = SIZE_MAX;
        for (const Fix& fix : trip.fixes) {
            if (!written(fix, options))
                continue;
            if (fix.recording != segment) {
                if (segment != SIZE_MAX)
                    out += "    </trkseg>\n";
                out += "    <trkseg>\n";
                segment = fix.recording;
            }
            out += "      <trkpt lat=\"" + number(fix.latitude, kCoordinateDecimals) + "\" lon=\"" +
                   number(fix.longitude, kCoordinateDecimals) + "\">\n";
            out += "        <time>" + isoTime(fix.utcSeconds) + "</time>\n";
            if (!fix.valid)
                out += "        <fix>none</fix>\n";
            out += "        <extensions>\n";
            out += "          <kyvo:speed>" + number(fix.speedKmh, kValueDecimals) + "</kyvo:speed>\n";
            out += "          <kyvo:course>" + number(fix.course, kValueDecimals) + "</kyvo:course>\n";
            out += "          <kyvo:gx>" + number(fix.gx, kSensorDecimals) + "</kyvo:gx>\n";
            out += "          <kyvo:gy>" + number(fix.gy, kSensorDecimals) + "</kyvo:gy>\n";
            out += "          <kyvo:gz>" + number(fix.gz, kSensorDecimals) + "</kyvo:gz>\n";
            out += "          <kyvo:valid>" + std::string(fix.valid ? "true" : "false") + "</kyvo:valid>\n";
            if (fix.recording < trip.recordings.size())
                out += "          <kyvo:recording>" + xmlEscaped(trip.recordings[fix.recording]) + "</kyvo:recording>\n";
            out += "          <kyvo:frame>" + std::to_string(fix.frame) + "</kyvo:frame>\n";
            out += "        </extensions>\n      </trkpt>\n";
        }
        if (segment != SIZE_MAX)
            out += "    </trkseg>\n";
        out += "  </trk>\n";
    }
    return out + "</gpx>\n";
}

std::string writeKml(const std::vector<Trip>& trips, const WriteOptions& options) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n  <name>" +
                      std::string(kCreator) + "</name>\n";
    for (std::size_t t = 0; t < trips.size(); ++t) {
        const Trip& trip = trips[t];
        out += "  <Folder>\n    <name>Trip " + std::to_string(t + 1) + "</name>\n";
        out += "    <Placemark>\n      <name>Trip " + std::to_string(t + 1) +
               "</name>\n      <LineString>\n        <tessellate>1</tessellate>\n        <coordinates>";
        for (const Fix& fix : trip.fixes) {
            if (!fix.valid)
                continue;
            out += number(fix.longitude, kCoordinateDecimals) + "," + number(fix.latitude, kCoordinateDecimals) + ",0 ";
        }
        out += "</coordinates>\n      </LineString>\n    </Placemark>\n";
        for (const Fix& fix : trip.fixes) {
            if (!written(fix, options))
                continue;
            out += "    <Placemark>\n      <TimeStamp><when>" + isoTime(fix.utcSeconds) + "</when></TimeStamp>\n";
            out += "      <ExtendedData>\n";
            out += "        <Data name=\"speed\"><value>" + number(fix.speedKmh, kValueDecimals) + "</value></Data>\n";
            out += "        <Data name=\"course\"><value>" + number(fix.course, kValueDecimals) + "</value></Data>\n";
            out += "        <Data name=\"valid\"><value>" + std::string(fix.valid ? "true" : "false") +
                   "</value></Data>\n";
            out += "      </ExtendedData>\n";
            out += "      <Point><coordinates>" + number(fix.longitude, kCoordinateDecimals) + "," +
                   number(fix.latitude, kCoordinateDecimals) + ",0</coordinates></Point>\n    </Placemark>\n";
        }
        out += "  </Folder>\n";
    }
    return out + "</Document>\n</kml>\n";
}

std::string writeCsv(const std::vector<Trip>& trips, const WriteOptions& options) {
    std::string out = "trip,utc_time,latitude,longitude,speed_kmh,course,gx,gy,gz,valid,recording,frame\r\n";
    for (std::size_t t = 0; t < trips.size(); ++t) {
        const Trip& trip = trips[t];
        for (const Fix& fix : trip.fixes) {
            if (!written(fix, options))
                continue;
            out += std::to_string(t + 1) + "," + isoTime(fix.utcSeconds) + "," +
                   number(fix.latitude, kCoordinateDecimals) + "," + number(fix.longitude, kCoordinateDecimals) + "," +
                   number(fix.speedKmh, kValueDecimals) + "," + number(fix.course, kValueDecimals) + "," +
                   number(fix.gx, kSensorDecimals) + "," + number(fix.gy, kSensorDecimals) + "," +
                   number(fix.gz, kSensorDecimals) + "," + (fix.valid ? "1" : "0") + "," +
                   csvField(fix.recording < trip.recordings.size() ? trip.recordings[fix.recording] : "") + "," +
                   std::to_string(fix.frame) + "\r\n";
        }
    }
    return out;
}

std::string writeGeoJson(const std::vector<Trip>& trips, const WriteOptions& options) {
    std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
    bool first = true;
    auto feature = [&](const std::string& text) {
        out += first ? "\n" : ",\n";
        out += text;
        first = false;
    };
    for (std::size_t t = 0; t < trips.size(); ++t) {
        const Trip& trip = trips[t];
        std::string line = "{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[";
        bool firstPoint = true;
        double start = 0;
        double end = 0;
        for (const Fix& fix : trip.fixes) {
            if (!fix.valid)
                continue;
            if (firstPoint)
                start = fix.utcSeconds;
            end = fix.utcSeconds;
            line += firstPoint ? "[" : ",[";
            line += number(fix.longitude, kCoordinateDecimals) + "," + number(fix.latitude, kCoordinateDecimals) + "]";
            firstPoint = false;
        }
        line += "]},\"properties\":{\"trip\":" + std::to_string(t + 1) + ",\"start\":\"" + isoTime(start) +
                "\",\"end\":\"" + isoTime(end) + "\",\"recordings\":[";
        for (std::size_t r = 0; r < trip.recordings.size(); ++r)
            line += (r ? ",\"" : "\"") + jsonEscaped(trip.recordings[r]) + "\"";
        line += "]}}";
        feature(line);
        for (const Fix& fix : trip.fixes) {
            if (!written(fix, options))
                continue;
            feature("{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
                    number(fix.longitude, kCoordinateDecimals) + "," + number(fix.latitude, kCoordinateDecimals) +
                    "]},\"properties\":{\"trip\":" + std::to_string(t + 1) + ",\"time\":\"" + isoTime(fix.utcSeconds) +
                    "\",\"speed_kmh\":" + number(fix.speedKmh, kValueDecimals) + ",\"course\":" +
                    number(fix.course, kValueDecimals) + ",\"gx\":" + number(fix.gx, kSensorDecimals) +
                    ",\"gy\":" + number(fix.gy, kSensorDecimals) + ",\"gz\":" + number(fix.gz, kSensorDecimals) +
                    ",\"valid\":" + (fix.valid ? "true" : "false") + ",\"recording\":\"" +
                    jsonEscaped(fix.recording < trip.recordings.size() ? trip.recordings[fix.recording] : "") +
                    "\",\"frame\":" + std::to_string(fix.frame) + "}}");
        }
    }
    return out + "\n]}\n";
}

} // namespace

bool parseFormat(std::string_view text, Format& format) {
    constexpr std::array<std::pair<std::string_view, Format>, 4> kNames{
        {{"gpx", Format::Gpx}, {"kml", Format::Kml}, {"csv", Format::Csv}, {"geojson", Format::GeoJson}}};
    for (const auto& [name, value] : kNames) {
        if (name == text) {
            format = value;
            return true;
        }
    }
    return false;
}

std::string_view formatExtension(Format format) {
    switch (format) {
    case Format::Gpx: return ".gpx";
    case Format::Kml: return ".kml";
    case Format::Csv: return ".csv";
    case Format::GeoJson: return ".geojson";
    }
    return ".gpx";
}

std::string isoTime(double utcSeconds) {
    if (!std::isfinite(utcSeconds) || utcSeconds < 0)
        utcSeconds = 0;
    const auto milliseconds = static_cast<long long>(std::llround(utcSeconds * kMillisecondsPerSecond));
    const std::time_t whole = static_cast<std::time_t>(milliseconds / 1000);
    std::tm parts{};
    gmtime_r(&whole, &parts);
    char text[96]; // room for any int the fields could hold
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03lldZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, milliseconds % 1000);
    return text;
}

std::string writeTrips(Format format, const std::vector<Trip>& trips, const WriteOptions& options) {
    switch (format) {
    case Format::Gpx: return writeGpx(trips, options);
    case Format::Kml: return writeKml(trips, options);
    case Format::Csv: return writeCsv(trips, options);
    case Format::GeoJson: return writeGeoJson(trips, options);
    }
    return {};
}

} // namespace kyvo::trip
