#pragma once
// Reading the web map of a running viewer: the viewer's browser engine is
// started with its remote debugging port on the loopback address, and the
// probe asks the map page for its state over the engine's debugging protocol
// (an HTTP list of pages, then a WebSocket to the map page, kept open so that
// the state can be read many times a second; it stays valid across reloads
// of the page).

#include <QJsonObject>
#include <QString>
#include <QWebSocket>

#include <optional>

namespace kyvo::journey {

// A free port on 127.0.0.1 for the engine's debugging.
int freeLoopbackPort();
// The environment variable that opens that port in the viewer.
QString remoteDebuggingVariable(int port);

// One debugging connection to the map page. Used on the test's thread only.
class MapProbe {
public:
    explicit MapProbe(int port) : port_(port) {}
    // The page's kyvoMapState(), or nothing while the map page is not there
    // (yet) or does not answer within `timeoutMs`.
    std::optional<QJsonObject> state(int timeoutMs = 5000);

private:
    bool connect(int timeoutMs);

    int port_;
    QWebSocket socket_;
    int nextId_ = 1;
};

} // namespace kyvo::journey
