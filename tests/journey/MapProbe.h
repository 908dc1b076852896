#pragma once
// Reading the web map of a running viewer: the viewer's browser engine is
// started with its remote debugging port on the loopback address, and the
// probe asks the map page for its state over the engine's debugging protocol
// (an HTTP list of pages, then a WebSocket to the map page).

#include <QJsonObject>
#include <QString>

#include <optional>

namespace kyvo::journey {

// A free port on 127.0.0.1 for the engine's debugging.
int freeLoopbackPort();
// The environment variable that opens that port in the viewer.
QString remoteDebuggingVariable(int port);

// The page's kyvoMapState() of the viewer whose engine listens on `port`, or
// nothing while the map page is not there (yet).
std::optional<QJsonObject> mapState(int port, int timeoutMs = 5000);

} // namespace kyvo::journey
