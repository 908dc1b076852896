#include "CGoogleMap.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace kyvo::app {

namespace {

constexpr char kProfileName[] = "KyvoViewerMap";
constexpr char kUserAgent[] = "KyvoViewer/" KYVO_VERSION " (in-car video recordings viewer)";
constexpr qint64 kTileCacheBytes = 256LL * 1024 * 1024;

bool isTileAddress(const QString& url) {
    return (url.startsWith(QLatin1String("https://")) || url.startsWith(QLatin1String("http://"))) &&
           url.contains(QLatin1String("{z}")) && url.contains(QLatin1String("{x}")) &&
           url.contains(QLatin1String("{y}"));
}

// The tile address the page's script reads before the page's own scripts
// run, as JSON text: a setting never becomes script code.
QString tileSettingScript(const QString& tileUrl) {
    QJsonObject tiles;
    tiles.insert(QStringLiteral("url"), tileUrl);
    return QStringLiteral("window.kyvoTiles = %1;")
        .arg(QString::fromUtf8(QJsonDocument(tiles).toJson(QJsonDocument::Compact)));
}

} // namespace

// The map page never leaves itself: a link (the attribution's) would replace
// the map until the next recording, and new windows have nowhere to go.
class MapWebPage : public QWebEnginePage {
public:
    MapWebPage(QWebEngineProfile* profile, QUrl pageUrl, QObject* parent)
        : QWebEnginePage(profile, parent), pageUrl_(std::move(pageUrl)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return !isMainFrame || url.adjusted(QUrl::RemoveFragment) == pageUrl_;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    QUrl pageUrl_;
};

CGoogleMap::CGoogleMap(QWidget* parent, const MapViewSettings& settings)
    : QWidget(parent), pageUrl_(QUrl::fromLocalFile(settings.pagePath)) {
    setObjectName(QStringLiteral("CGoogleMap"));
    profile_ = new QWebEngineProfile(QString::fromLatin1(kProfileName));
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString cacheFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    profile_->setPersistentStoragePath(dataFolder + QStringLiteral("/map"));
    profile_->setCachePath(cacheFolder + QStringLiteral("/map"));
    profile_->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile_->setHttpCacheMaximumSize(kTileCacheBytes);
    profile_->setHttpUserAgent(QString::fromLatin1(kUserAgent));
    if (isTileAddress(settings.tileUrl)) {
        QWebEngineScript tiles;
        tiles.setName(QStringLiteral("kyvo-tiles"));
        tiles.setInjectionPoint(QWebEngineScript::DocumentCreation);
        tiles.setWorldId(QWebEngineScript::MainWorld);
        tiles.setSourceCode(tileSettingScript(settings.tileUrl));
        profile_->scripts()->insert(tiles);
    }

    page_ = new MapWebPage(profile_, pageUrl_, nullptr);
    // The page is a local file that loads tiles from the network.
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    page_->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    view_ = new QWebEngineView(this);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) { onLoadFinished(ok); });
    view_->installEventFilter(this);
}

CGoogleMap::~CGoogleMap() {
    // The view goes first, then its page, then the profile they used.
    delete view_;
    view_ = nullptr;
    delete page_;
    page_ = nullptr;
    delete profile_;
}

void CGoogleMap::open(const std::string& trackCall) {
    pendingTrack_ = trackCall;
    loaded_ = false;
    page_->load(pageUrl_);
}

void CGoogleMap::push(const std::string& call) {
    if (loaded_ && !call.empty())
        page_->runJavaScript(QString::fromStdString(call));
}

void CGoogleMap::evaluate(const QString& script, std::function<void(const QVariant&)> done) {
    if (!loaded_) {
        if (done)
            done(QVariant());
        return;
    }
    page_->runJavaScript(script, [done = std::move(done)](const QVariant& result) {
        if (done)
            done(result);
    });
}

// Only the page's own load counts: open() marks it unloaded, and a refused
// navigation (which ends in a failed load) leaves the loaded page as it was.
void CGoogleMap::onLoadFinished(bool ok) {
    if (!ok)
        return;
    // Keys go to the widget the engine draws into, which exists once a page has loaded.
    if (QWidget* proxy = view_->focusProxy())
        proxy->installEventFilter(this);
    loaded_ = true;
    if (!pendingTrack_.empty())
        page_->runJavaScript(QString::fromStdString(std::exchange(pendingTrack_, {})));
}

// F5 would reload the page, Enter and Escape would reach the main window:
// none of them does anything over the map.
bool CGoogleMap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F5 || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void useGoogleMapView() {
    setMapViewFactory([](QWidget* parent, const MapViewSettings& settings) -> std::unique_ptr<MapView> {
        return std::make_unique<CGoogleMap>(parent, settings);
    });
}

} // namespace kyvo::app
