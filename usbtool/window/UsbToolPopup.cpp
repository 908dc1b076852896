// The USB management tool's window: creation, the store copy of the record
// and "Data Transmission".

#include "UsbToolPopup.h"

#include "ExchangeRunner.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "RegistryStore.h"
#include "Skin.h"
#include "SkinIds.h"
#include "UsbTabDisplay.h"
#include "UsbTabEtc.h"
#include "UsbTabRecSet.h"
#include "UsbTabRecorder.h"
#include "UsbTabSetting.h"
#include "UsbTabViewer.h"
#include "UsbToolLook.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kyvo::usbtool {

namespace {

const QString kTitle = QStringLiteral("USB Management Tool");
constexpr const char* kTabTitles[UsbToolPopup::kTabCount] = {"Recorder", "RecSet", "Viewer", "Display", "Setting",
                                                             "Etc"};

constexpr int kRestartDelayMs = 10;

QString storeKey() {
    return QString::fromLatin1(kUsbConfigKey);
}

QString storeValue() {
    return QString::fromLatin1(kUsbConfigValue);
}

} // namespace

UsbToolPopup::UsbToolPopup(QWidget* parent, RegistryStore* store, std::string libraryFile)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      store_(store), runner_(std::make_unique<ExchangeRunner>(std::move(libraryFile))) {
    if (!store_) {
        ownStore_ = std::make_unique<RegistryStore>();
        store_ = ownStore_.get();
    }
    // The record first: every page loads from it when it is created.
    readStore();
    buildWindow();
    place(QRect());
    hide();
}

UsbToolPopup::~UsbToolPopup() {
    // Joins a running exchange; an answer it left behind is still kept.
    runner_.reset();
    std::optional<Answer> left;
    {
        const std::lock_guard lock(answerMutex_);
        left.swap(answer_);
    }
    if (left) {
        recorderConfig() = left->record;
        writeStore();
    }
}

void UsbToolPopup::buildWindow() {
    setObjectName(QStringLiteral("UsbToolPopup"));
    setWindowTitle(kTitle);
    const QImage icon = skinImage(skin::kAppIcon);
    if (!icon.isNull())
        setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    setFixedSize(look::kWindowWidth, look::kWindowHeight);
    setFont(pointFont(look::kFontTenths, displayScale(this)));

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    pages_ = {new UsbTabRecorder(tabs_), new UsbTabRecSet(tabs_), new UsbTabViewer(tabs_),
              new UsbTabDisplay(tabs_), new UsbTabSetting(tabs_), new UsbTabEtc(tabs_)};
    for (int tab = 0; tab < kTabCount; ++tab)
        tabs_->insertTab(tab, pages_[static_cast<std::size_t>(tab)], QString::fromLatin1(kTabTitles[tab]));
    tabs_->setCurrentIndex(kRecorderTab);

    transmitButton_ = new QPushButton(QStringLiteral("Data Transmission"), this);
    transmitButton_->setDefault(true);
    transmitButton_->setFixedSize(look::kTransmitWidth, look::kButtonHeight);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setAutoDefault(false);
    cancelButton_->setFixedSize(look::kCancelWidth, look::kButtonHeight);
    busyBar_ = new QProgressBar(this);
    busyBar_->setRange(0, 0); // indeterminate
    busyBar_->setTextVisible(false);
    busyBar_->setFixedHeight(look::kButtonHeight / 2);
    busyText_ = new QLabel(QStringLiteral("Transmitting..."), this);
    busyBar_->hide();
    busyText_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(look::kSpacing);
    buttons->addWidget(busyText_);
    buttons->addWidget(busyBar_, 1);
    buttons->addStretch(0);
    buttons->addWidget(transmitButton_);
    buttons->addWidget(cancelButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(look::kMargin, look::kMargin, look::kMargin, look::kMargin);
    column->setSpacing(look::kSpacing);
    column->addWidget(tabs_, 1);
    column->addLayout(buttons);

    connect(transmitButton_, &QPushButton::clicked, this, [this] { transmit(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { hide(); });
    // Keys pressed anywhere in the window pass through eventFilter() first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void UsbToolPopup::place(const QRect&) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
}

UsbTabPage* UsbToolPopup::page(int tab) const {
    return tab >= 0 && tab < kTabCount ? pages_[static_cast<std::size_t>(tab)] : nullptr;
}

// A missing key or value, or one that cannot be read, leaves the record as
// it was; a short value replaces only the slots it holds.
void UsbToolPopup::readStore() {
    const std::optional<QByteArray> bytes = store_->read(storeKey(), storeValue());
    if (!bytes)
        return;
    recorderConfig().load(std::span(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                    static_cast<std::size_t>(bytes->size())));
}

// A failed write is ignored: the record is still the run's.
void UsbToolPopup::writeStore() {
    const auto bytes = recorderConfig().bytes();
    store_->write(storeKey(), storeValue(),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void UsbToolPopup::transmit() {
    if (transmitting_)
        return;
    showBusy(true);
    startExchange();
}

void UsbToolPopup::startExchange() {
    // The completion runs on the worker thread: it leaves the answer and
    // queues the rest to this window.
    const bool started = runner_->start(recorderConfig(), [this](const RecorderConfig& record, ExchangeResult result) {
        {
            const std::lock_guard lock(answerMutex_);
            answer_ = Answer{record, result};
        }
        QMetaObject::invokeMethod(this, [this] { takeAnswer(); }, Qt::QueuedConnection);
    });
    // The worker of the exchange before may still be returning from its
    // completion: try again in a moment (the pages are disabled meanwhile,
    // so the record stays as it was when the button was pressed).
    if (!started)
        QTimer::singleShot(kRestartDelayMs, this, [this] { startExchange(); });
}

void UsbToolPopup::takeAnswer() {
    std::optional<Answer> answer;
    {
        const std::lock_guard lock(answerMutex_);
        answer.swap(answer_);
    }
    if (answer)
        finishTransmission(*answer);
}

// Back on the GUI thread: the answer replaces the record (the pages keep
// what they show), a missing recorder is reported, and the record is stored
// whatever the exchange did.
void UsbToolPopup::finishTransmission(const Answer& answer) {
    recorderConfig() = answer.record;
    if (answer.result.outcome == ExchangeOutcome::DeviceNotFound)
        messageBox(this, QString::fromLatin1(kDeviceNotFoundMessage));
    writeStore();
    showBusy(false);
}

void UsbToolPopup::showBusy(bool busy) {
    transmitting_ = busy;
    for (UsbTabPage* page : pages_)
        page->setEnabled(!busy);
    transmitButton_->setEnabled(!busy);
    cancelButton_->setEnabled(!busy);
    busyBar_->setVisible(busy);
    busyText_->setVisible(busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

} // namespace kyvo::usbtool
