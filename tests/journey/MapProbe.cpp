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
bool waitFor(int timeoutMs, Run run, bool& done) {
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

bool MapProbe::connect(int timeoutMs) {
    if (socket_.state() == QAbstractSocket::ConnectedState)
        return true;
    // The pages of the engine; the map page is the one showing googlemap.htm.
    QNetworkAccessManager network;
    bool listed = false;
    QByteArray list;
    QNetworkReply* reply = nullptr;
    waitFor(timeoutMs, [&] {
        reply = network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(port_))));
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
        return false;
    bool connected = false;
    const auto link = QObject::connect(&socket_, &QWebSocket::connected, [&] { connected = true; });
    waitFor(timeoutMs, [&] { socket_.open(QUrl(socketUrl)); }, connected);
    QObject::disconnect(link);
    return connected;
}

std::optional<QJsonObject> MapProbe::state(int timeoutMs) {
    if (!connect(timeoutMs))
        return std::nullopt;
    const int id = nextId_++;
    bool answered = false;
    QJsonObject state;
    const auto link = QObject::connect(&socket_, &QWebSocket::textMessageReceived, [&](const QString& text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message.value(QStringLiteral("id")).toInt() != id)
            return;
        const QString value =
            message.value(QStringLiteral("result")).toObject().value(QStringLiteral("result")).toObject()
                .value(QStringLiteral("value")).toString();
        state = QJsonDocument::fromJson(value.toUtf8()).object();
        answered = true;
    });
    waitFor(timeoutMs, [&] {
        const QJsonObject params{{QStringLiteral("expression"), QStringLiteral("JSON.stringify(kyvoMapState())")},
                                 {QStringLiteral("returnByValue"), true}};
        const QJsonObject call{{QStringLiteral("id"), id},
                               {QStringLiteral("method"), QStringLiteral("Runtime.evaluate")},
                               {QStringLiteral("params"), params}};
        socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact)));
    }, answered);
    QObject::disconnect(link);
    if (!answered) {
        socket_.abort(); // a page that stopped answering: look it up again next time
        return std::nullopt;
    }
    if (state.isEmpty())
        return std::nullopt;
    return state;
}

} // namespace kyvo::journey
