#include "DemoWindow.h"

#include "WindowMessage.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kyvo::mapdemo {

namespace {

// The map window's size and place in the map area.
constexpr int kMapWidth = 800;
constexpr int kMapHeight = 600;
// How often due fixes are sent: often enough that 16x (about 48 fixes a
// second) moves smoothly.
constexpr int kTickMs = 50;
constexpr int kControlMargin = 8;
constexpr int kControlSpacing = 6;
constexpr double kMillisecondsPerSecond = 1000.0;
// The map area's own colour, seen where no map window covers it.
constexpr QRgb kMapAreaColour = 0x3A3F4B;
constexpr QRgb kMapAreaText = 0xD8DEE9;
constexpr int kDateYearScale = 10000;
constexpr int kDateMonthScale = 100;

QString fixTime(const TrackPoint& point) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(point.date / kDateYearScale, 4, 10, QLatin1Char('0'))
        .arg(point.date / kDateMonthScale % kDateMonthScale, 2, 10, QLatin1Char('0'))
        .arg(point.date % kDateMonthScale, 2, 10, QLatin1Char('0'))
        .arg(point.hour, 2, 10, QLatin1Char('0'))
        .arg(point.minute, 2, 10, QLatin1Char('0'))
        .arg(point.second, 2, 10, QLatin1Char('0'));
}

} // namespace

DemoWindow::DemoWindow(const QString& mapFolder, int speed) : mapFolder_(QFile::encodeName(mapFolder)) {
    setWindowTitle(QStringLiteral("Kyvo map demo"));
    buildControls();
    replay_.setSpeed(speed, 0);
    if (QAbstractButton* button = speedGroup_->button(replay_.speed()))
        button->setChecked(true);

    frame_.OpenViewFrame(nullptr, mapArea_, mapFolder_.data(), 0, 0, kMapWidth, kMapHeight);
    keepMapFocus();

    clock_.start();
    timer_.setInterval(kTickMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start();
    updateStatus();
}

DemoWindow::~DemoWindow() {
    timer_.stop();
}

void DemoWindow::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    mapArea_ = new QWidget(this);
    mapArea_->setFixedSize(kMapWidth, kMapHeight);
    mapArea_->setAutoFillBackground(true);
    QPalette palette = mapArea_->palette();
    palette.setColor(QPalette::Window, QColor(kMapAreaColour));
    palette.setColor(QPalette::WindowText, QColor(kMapAreaText));
    mapArea_->setPalette(palette);
    auto* areaLayout = new QVBoxLayout(mapArea_);
    closedNote_ = new QLabel(QStringLiteral("The map was closed (Esc)."), mapArea_);
    closedNote_->setAlignment(Qt::AlignCenter);
    closedNote_->hide();
    areaLayout->addWidget(closedNote_);
    outer->addWidget(mapArea_);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(kControlMargin, kControlMargin, kControlMargin, kControlMargin);
    row->setSpacing(kControlSpacing);
    playButton_ = new QPushButton(QStringLiteral("Play"), this);
    pauseButton_ = new QPushButton(QStringLiteral("Pause"), this);
    clearButton_ = new QPushButton(QStringLiteral("Clear"), this);
    openButton_ = new QPushButton(QStringLiteral("Open recording..."), this);
    speedGroup_ = new QButtonGroup(this);
    row->addWidget(playButton_);
    row->addWidget(pauseButton_);
    row->addWidget(clearButton_);
    for (int speed : kReplaySpeeds) {
        auto* choice = new QRadioButton(QStringLiteral("%1x").arg(speed), this);
        speedGroup_->addButton(choice, speed);
        row->addWidget(choice);
    }
    row->addWidget(openButton_);
    row->addStretch(1);
    outer->addLayout(row);
    // The status has a line of its own, so that the window stays as wide as the map.
    status_ = new QLabel(this);
    status_->setContentsMargins(kControlMargin, 0, kControlMargin, kControlMargin);
    outer->addWidget(status_);

    // None of the controls takes the focus from the map window.
    for (QWidget* control : std::initializer_list<QWidget*>{playButton_, pauseButton_, clearButton_, openButton_})
        control->setFocusPolicy(Qt::NoFocus);
    for (QAbstractButton* choice : speedGroup_->buttons())
        choice->setFocusPolicy(Qt::NoFocus);

    QObject::connect(playButton_, &QPushButton::clicked, this, [this] { play(); });
    QObject::connect(pauseButton_, &QPushButton::clicked, this, [this] { pause(); });
    QObject::connect(clearButton_, &QPushButton::clicked, this, [this] { clear(); });
    QObject::connect(openButton_, &QPushButton::clicked, this, [this] { openRecordings(); });
    QObject::connect(speedGroup_, &QButtonGroup::idClicked, this, [this](int speed) { setSpeed(speed); });
}

double DemoWindow::now() const {
    return static_cast<double>(clock_.elapsed()) / kMillisecondsPerSecond;
}

QWidget* DemoWindow::mapWindow() {
    return frame_.GetViewFrameHandle();
}

void DemoWindow::keepMapFocus() {
    if (QWidget* map = mapWindow())
        map->setFocus();
}

void DemoWindow::startDrive(ReplayTrack track, const QStringList& names) {
    track_ = std::move(track);
    names_ = names;
    const int speed = replay_.speed();
    replay_ = Replay(track_.dueAt);
    replay_.setSpeed(speed, now());
    sendClear();
    replay_.play(now());
    tick();
}

void DemoWindow::play() {
    if (mapGone_ || replay_.total() == 0)
        return;
    // Play after the end runs the drive again.
    if (replay_.finished())
        clear();
    replay_.play(now());
    tick();
}

void DemoWindow::pause() {
    replay_.pause(now());
    updateStatus();
}

void DemoWindow::clear() {
    sendClear();
    replay_.restart(now());
    tick();
}

void DemoWindow::setSpeed(int speed) {
    replay_.setSpeed(speed, now());
    updateStatus();
}

void DemoWindow::sendClear() {
    cartoframe::TGisPosition record = clearTrackRecord();
    if (QWidget* map = mapWindow())
        kyvo::sendMessage(map, cartoframe::GIS_MSG_POSITION, reinterpret_cast<kyvo::WParam>(&record));
}

void DemoWindow::tick() {
    QWidget* map = mapWindow();
    if (!map) {
        if (!mapGone_) {
            // Esc closed the map window: nothing more to send it.
            mapGone_ = true;
            replay_.pause(now());
            closedNote_->show();
            for (QWidget* control : std::initializer_list<QWidget*>{playButton_, pauseButton_, clearButton_, openButton_})
                control->setEnabled(false);
            for (QAbstractButton* choice : speedGroup_->buttons())
                choice->setEnabled(false);
        }
        updateStatus();
        return;
    }
    const Replay::Range due = replay_.take(now());
    for (std::size_t i = due.begin; i < due.end; ++i) {
        cartoframe::TGisPosition record = toPositionRecord(track_.points[i]);
        kyvo::sendMessage(map, cartoframe::GIS_MSG_POSITION, reinterpret_cast<kyvo::WParam>(&record));
    }
    updateStatus();
}

void DemoWindow::updateStatus() {
    QString text;
    if (mapGone_)
        text = QStringLiteral("Map closed · ");
    if (replay_.total() == 0) {
        text += names_.isEmpty() ? QStringLiteral("No recording: use Open recording...")
                                 : QStringLiteral("No GPS fixes in the recording");
    } else {
        const QString state = replay_.finished() ? QStringLiteral("end")
                              : replay_.playing() ? QStringLiteral("playing")
                                                  : QStringLiteral("paused");
        text += QStringLiteral("%1 / %2 positions · %3x · %4")
                    .arg(replay_.sent())
                    .arg(replay_.total())
                    .arg(replay_.speed())
                    .arg(state);
        if (replay_.sent() > 0)
            text += QStringLiteral(" · ") + fixTime(track_.points[replay_.sent() - 1]);
    }
    status_->setText(text);
}

void DemoWindow::openRecordings() {
    QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Open recording"), names_.isEmpty() ? QDir::homePath() : QFileInfo(names_.front()).path(),
        QStringLiteral("Recordings (*.mov *.MOV);;All files (*)"));
    keepMapFocus();
    if (files.isEmpty())
        return;
    // Recorder names carry the start time: name order is drive order.
    files.sort();
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());
    LoadedDrive drive = loadDrive(paths);
    if (!drive.ok()) {
        QMessageBox::warning(this, QStringLiteral("Open recording"), QString::fromStdString(drive.error));
        keepMapFocus();
        return;
    }
    if (drive.track.points.empty()) {
        QMessageBox::warning(this, QStringLiteral("Open recording"),
                             QStringLiteral("The recording holds no valid GPS fix; the drive is unchanged."));
        keepMapFocus();
        return;
    }
    startDrive(std::move(drive.track), files);
}

} // namespace kyvo::mapdemo
