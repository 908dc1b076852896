#include "MapProbe.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>

namespace kyvo::journey {

namespace {

// The first message `run` leads to, waited for in a local event loop.
template <typename Run>
bool waitFor(int timeoutMs, QObject* source, Run run, bool& done) {
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done)
            loop.quit();
    });
    poll.start(5);
    run();
    if (!done)
        loop.exec();
    (void)source;
    return done;
}

} // namespace

int freeLoopbackPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

QString remoteDebuggingVariable(int port) {
    return QStringLiteral("QTWEBENGINE_REMOTE_DEBUGGING=127.0.0.1:%1").arg(port);
}

std::optional<QJsonObject> mapState(int port, int timeoutMs) {
    // The pages of the engine; the map page is the one showing googlemap.htm.
    QNetworkAccessManager network;
    bool listed = false;
    QByteArray list;
    QNetworkReply* reply = nullptr;
    waitFor(timeoutMs, &network, [&] {
        reply = network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(port))));
        QObject::connect(reply, &QNetworkReply::finished, [&] {
            list = reply->readAll();
            listed = true;
        });
    }, listed);
    if (reply)
        reply->deleteLater();
    QString socketUrl;
    for (const QJsonValue& page : QJsonDocument::fromJson(list).array()) {
        const QJsonObject entry = page.toObject();
        if (entry.value(QStringLiteral("url")).toString().endsWith(QLatin1String("googlemap.htm")))
            socketUrl = entry.value(QStringLiteral("webSocketDebuggerUrl")).toString();
    }
    if (socketUrl.isEmpty())
        return std::nullopt;

    QWebSocket socket;
    bool answered = false;
    QJsonObject state;
    QObject::connect(&socket, &QWebSocket::connected, [&] {
        const QJsonObject params{{QStringLiteral("expression"), QStringLiteral("JSON.stringify(kyvoMapState())")},
                                 {QStringLiteral("returnByValue"), true}};
        const QJsonObject call{{QStringLiteral("id"), 1},
                               {QStringLiteral("method"), QStringLiteral("Runtime.evaluate")},
                               {QStringLiteral("params"), params}};
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact)));
    });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [&](const QString& text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message.value(QStringLiteral("id")).toInt() != 1)
            return;
        const QString value =
            message.value(QStringLiteral("result")).toObject().value(QStringLiteral("result")).toObject()
                .value(QStringLiteral("value")).toString();
        state = QJsonDocument::fromJson(value.toUtf8()).object();
        answered = true;
    });
    waitFor(timeoutMs, &socket, [&] { socket.open(QUrl(socketUrl)); }, answered);
    socket.close();
    if (!answered || state.isEmpty())
        return std::nullopt;
    return state;
}

} // namespace kyvo::journey
