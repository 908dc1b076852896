#include "Network.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace kyvo {

namespace {

ConnectionProbe& probe() {
    static ConnectionProbe instance;
    return instance;
}

// Without a reachability backend: connected when an interface other than the
// loopback is up and has an address.
bool anyInterfaceUp() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        if (!iface.addressEntries().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool isInternetConnected() {
    if (probe())
        return probe()();
    if (QNetworkInformation::instance() || QNetworkInformation::loadDefaultBackend()) {
        if (auto* info = QNetworkInformation::instance();
            info && info->supports(QNetworkInformation::Feature::Reachability)) {
            const auto reach = info->reachability();
            if (reach != QNetworkInformation::Reachability::Unknown)
                return reach == QNetworkInformation::Reachability::Online;
        }
    }
    return anyInterfaceUp();
}

void setConnectionProbe(ConnectionProbe newProbe) {
    probe() = std::move(newProbe);
}

} // namespace kyvo
