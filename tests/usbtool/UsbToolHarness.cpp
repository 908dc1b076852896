#include "UsbToolHarness.h"

#include "MessageBox.h"
#include "RecorderDouble.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

#include <dlfcn.h>

namespace usbtool_test {

namespace {
const QString kKey = QString::fromLatin1(kyvo::kUsbConfigKey);
const QString kValue = QString::fromLatin1(kyvo::kUsbConfigValue);
constexpr int kExchangeWaitMs = 10'000;
} // namespace

void UsbToolTest::SetUp() {
    kyvo::usbtool::recorderConfig() = RecorderConfig{};
    store_ = std::make_unique<kyvo::RegistryStore>(dir_.filePath(QStringLiteral("usb.ini")));
    kyvo::setMessageBoxSink([this](const kyvo::MessageBoxRequest& request) {
        messages_.push_back(request.text);
        return kyvo::kAnswerOk;
    });
}

void UsbToolTest::TearDown() {
    kyvo::setMessageBoxSink({});
    setDoubleReadDelay(0);
}

std::unique_ptr<UsbToolPopup> UsbToolTest::openTool(const std::string& library) {
    return std::make_unique<UsbToolPopup>(nullptr, store_.get(), library);
}

void UsbToolTest::storeRecord(const RecorderConfig& record) {
    const auto bytes = record.bytes();
    storeBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void UsbToolTest::storeBytes(const QByteArray& bytes) {
    ASSERT_TRUE(store_->write(kKey, kValue, bytes));
}

std::optional<QByteArray> UsbToolTest::stored() const {
    return store_->read(kKey, kValue);
}

RecorderConfig UsbToolTest::storedRecord() const {
    RecorderConfig record;
    if (const std::optional<QByteArray> bytes = stored())
        record.load(std::span(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                              static_cast<std::size_t>(bytes->size())));
    return record;
}

bool UsbToolTest::waitUntilIdle(const UsbToolPopup& tool) {
    return QTest::qWaitFor([&] { return !tool.transmitting(); }, kExchangeWaitMs);
}

QRadioButton* radio(const QWidget* page, const char* group, const char* row, int index) {
    const auto* box = page->findChild<QGroupBox*>(QString::fromUtf8(group));
    if (!box)
        return nullptr;
    const QString name = QString::fromUtf8(*row ? row : group);
    const auto* buttons = box->findChild<QButtonGroup*>(name);
    return buttons ? qobject_cast<QRadioButton*>(buttons->button(index)) : nullptr;
}

QComboBox* list(const QWidget* page, const char* group, const char* label) {
    const auto* box = page->findChild<QGroupBox*>(QString::fromUtf8(group));
    return box ? box->findChild<QComboBox*>(QString::fromUtf8(label)) : nullptr;
}

// The library the exchange binds is opened here too: the same path answers
// the same instance, whose script this changes. It stays loaded, so that the
// script is still there when the exchange binds it.
void setDoubleReadDelay(int milliseconds) {
    void* module = dlopen(kDoublePath.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(module, nullptr) << dlerror();
    auto defaults = reinterpret_cast<RecorderDoubleDefaultFn>(dlsym(module, "recorder_double_default"));
    auto configure = reinterpret_cast<RecorderDoubleConfigureFn>(dlsym(module, "recorder_double_configure"));
    ASSERT_TRUE(defaults && configure);
    RecorderDoubleScript script;
    defaults(&script);
    script.read_delay_ms = milliseconds;
    configure(&script);
    dlclose(module);
}

} // namespace usbtool_test
