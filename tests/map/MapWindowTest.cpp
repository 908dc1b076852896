// The map window on the real browser engine, headless: the page written by
// the viewer, Leaflet and the page's script beside it, tiles from a local
// HTTP server of the test. What the map shows is read back through the
// page's state function.

#include "CGoogleMap.h"
#include "GoogleMapPage.h"
#include "MapCall.h"
#include "QtTempFolder.h"
#include "TrackData.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kyvo::app {
namespace {

constexpr int kLoadMs = 20000;

// The engine refuses to start as root with its sandbox on (the viewer turns
// it off the same way); set before main() creates the application.
const bool kSandboxOffForRoot = geteuid() == 0 && qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

// Serves a plain 256 x 256 PNG for every request and counts them.
class TileServer : public QObject {
public:
    TileServer() {
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(QColor(170, 200, 230));
        QBuffer buffer(&png_);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests_;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                                  QByteArray::number(png_.size()) + "\r\nConnection: close\r\n\r\n" + png_);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QString tileUrl() const {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server_.serverPort());
    }
    int requests() const { return requests_; }
    void stop() { server_.close(); }

private:
    QTcpServer server_;
    QByteArray png_;
    int requests_ = 0;
};

class MapWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir bin(QStringLiteral(KYVO_BIN_DIR));
        ASSERT_TRUE(QFile::copy(bin.filePath(QStringLiteral("gmapshim.js")), folder.filePath(QStringLiteral("gmapshim.js"))));
        QDir().mkpath(folder.filePath(QStringLiteral("leaflet")));
        for (const char* name : {"leaflet.js", "leaflet.css"})
            ASSERT_TRUE(QFile::copy(bin.filePath(QStringLiteral("leaflet/") + QLatin1String(name)),
                                    folder.filePath(QStringLiteral("leaflet/") + QLatin1String(name))));
        ASSERT_EQ(map::writeGoogleMapPage(folder.path().toStdString(), 25.04, 121.51), map::PageWrite::Written);
        MapViewSettings settings;
        settings.pagePath = folder.filePath(QString::fromLatin1(map::kMapPageFileName.data()));
        settings.tileUrl = tiles.tileUrl();
        window = std::make_unique<CGoogleMap>(nullptr, settings);
        window->resize(310, 410);
        window->show();
    }

    void open(const std::string& trackCall = {}) {
        window->open(trackCall);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageLoaded(); }, kLoadMs));
    }

    // The map's state as the page reports it.
    QJsonObject state() {
        QJsonObject result;
        bool done = false;
        window->evaluate(QStringLiteral("JSON.stringify(kyvoMapState())"), [&](const QVariant& value) {
            result = QJsonDocument::fromJson(value.toString().toUtf8()).object();
            done = true;
        });
        (void)QTest::qWaitFor([&] { return done; }, kLoadMs);
        return result;
    }

    void run(const QString& script) {
        bool done = false;
        window->evaluate(script, [&](const QVariant&) { done = true; });
        (void)QTest::qWaitFor([&] { return done; }, kLoadMs);
    }

    // Waits until the marker stands at (latitude, longitude).
    bool markerAt(double latitude, double longitude) {
        return QTest::qWaitFor(
            [&] {
                const QJsonArray marker = state().value(QStringLiteral("marker")).toArray();
                return marker.size() == 2 && std::abs(marker[0].toDouble() - latitude) < 1e-6 &&
                       std::abs(marker[1].toDouble() - longitude) < 1e-6;
            },
            kLoadMs);
    }

    void push(double latitude, double longitude) { window->push(*map::updateMapCall(latitude, longitude)); }

    test::QtTempFolder folder;
    TileServer tiles;
    std::unique_ptr<CGoogleMap> window;
};

TEST_F(MapWindowTest, PushesBeforeTheLoadAreDroppedAndLaterOnesMoveTheOneMarker) {
    window->open({});
    push(10, 10); // the page is still loading: dropped
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageLoaded(); }, kLoadMs));
    QJsonObject shown = state();
    EXPECT_EQ(shown.value(QStringLiteral("markers")).toInt(), 1);
    EXPECT_TRUE(markerAt(25, 121)) << "the page's start point, in whole degrees";

    push(25.5, 121.25);
    ASSERT_TRUE(markerAt(25.5, 121.25));
    shown = state();
    EXPECT_EQ(shown.value(QStringLiteral("markers")).toInt(), 1);
    const QJsonArray centre = shown.value(QStringLiteral("centre")).toArray();
    EXPECT_NEAR(centre[0].toDouble(), 25.5, 1e-6);
    EXPECT_NEAR(centre[1].toDouble(), 121.25, 1e-6);

    // The zoom the user chose is kept across pushes.
    run(QStringLiteral("map.leaflet.setZoom(11)"));
    push(25.6, 121.3);
    ASSERT_TRUE(markerAt(25.6, 121.3));
    EXPECT_EQ(state().value(QStringLiteral("zoom")).toInt(), 11);

    // A call with a comma for the decimal point moves nothing and keeps the marker.
    window->push("updateMap('1,500000', '2,000000')");
    push(25.7, 121.4);
    ASSERT_TRUE(markerAt(25.7, 121.4));
    EXPECT_EQ(state().value(QStringLiteral("markers")).toInt(), 1);
    EXPECT_GT(tiles.requests(), 0) << "tiles come from the tile address";
}

TEST_F(MapWindowTest, TheTrackHasEveryFixOfTheRecording) {
    const QString recording = folder.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH), {QStringLiteral("--length"), QStringLiteral("6"),
                                                    QStringLiteral("--no-audio"), QStringLiteral("--preset"),
                                                    QStringLiteral("ultrafast"), QStringLiteral("--size"),
                                                    QStringLiteral("160x90"), recording});
    ASSERT_TRUE(recgen.waitForFinished(120000));
    const auto track = map::readTrackFile(recording.toStdString());
    ASSERT_GT(track.size(), 5u);
    open(map::trackCallText(track));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return state().value(QStringLiteral("track")).toInt() == static_cast<int>(track.size()); }, kLoadMs));
}

TEST_F(MapWindowTest, ThePageNeverLeavesItselfAndHasNoContextMenu) {
    open();
    push(25.5, 121.25);
    ASSERT_TRUE(markerAt(25.5, 121.25));
    run(QStringLiteral("var a = document.querySelector('.leaflet-control-attribution a'); if (a) a.click();"));
    run(QStringLiteral("window.location.href = 'http://127.0.0.1:1/elsewhere';"));
    QTest::qWait(500);
    EXPECT_EQ(window->view()->url().adjusted(QUrl::RemoveFragment), window->pageUrl());
    EXPECT_TRUE(markerAt(25.5, 121.25)) << "the map is still there";

    QWidget* target = window->view()->focusProxy() ? window->view()->focusProxy() : window->view();
    QTest::mouseClick(target, Qt::RightButton, {}, QPoint(150, 200));
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MapWindowTest, WithoutTheTileServerTheMarkerStillMoves) {
    open();
    tiles.stop();
    push(-33.8688, 151.2093);
    EXPECT_TRUE(markerAt(-33.8688, 151.2093));
}

} // namespace
} // namespace kyvo::app
