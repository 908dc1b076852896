#include "BackupRunner.h"

#include "StringIds.h"
#include "Strings.h"

#include <QProgressDialog>
#include <QTimerEvent>

namespace kyvo::app {

namespace {
constexpr int kPollMs = 50;
constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 300; // a copy shorter than this shows no dialog
} // namespace

BackupRunner::BackupRunner(QWidget* window, Finished finished) : window_(window), finished_(std::move(finished)) {}

BackupRunner::~BackupRunner() {
    poll_.stop();
    cancel_.store(true);
    if (worker_.joinable())
        worker_.join();
}

bool BackupRunner::start(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (worker_.joinable())
        return false;
    target_ = target;
    cancel_.store(false);
    done_.store(false);
    copied_.store(0);
    total_.store(0);
    if (!dialog_) {
        dialog_ = new QProgressDialog(window_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(kShowAfterMs);
        dialog_->setRange(0, kSteps);
        connect(dialog_, &QProgressDialog::canceled, this, [this] { cancel(); });
    }
    dialog_->setLabelText(loadString(strings::kBackupCopying).arg(QString::fromStdString(target.filename().string())));
    dialog_->setCancelButtonText(loadString(strings::kCancel));
    dialog_->setValue(0);
    worker_ = std::thread([this, source, target] {
        const CopyResult result = copyRecording(source, target, cancel_, [this](const CopyProgress& p) {
            total_.store(p.total);
            copied_.store(p.done);
        });
        result_.store(result);
        done_.store(true);
    });
    poll_.start(kPollMs, this);
    return true;
}

void BackupRunner::timerEvent(QTimerEvent* event) {
    if (event->timerId() != poll_.timerId())
        return QObject::timerEvent(event);
    const std::uint64_t total = total_.load();
    if (total > 0 && !dialog_->wasCanceled())
        dialog_->setValue(static_cast<int>(copied_.load() * kSteps / total));
    if (done_.load())
        finish();
}

void BackupRunner::finish() {
    poll_.stop();
    worker_.join();
    dialog_->reset();
    dialog_->hide();
    if (finished_)
        finished_(result_.load(), target_);
}

} // namespace kyvo::app
