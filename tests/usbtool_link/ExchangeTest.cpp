// One exchange against the stand-in library: what the recorder got, what came
// back into the record, the diagnostics, and the exact calls in their order,
// with release and close on every path that opened the device.

#include "DoubleLibrary.h"
#include "LibusbBinding.h"
#include "RecorderConfig.h"
#include "UsbExchange.h"

#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cerrno>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace kyvo::usbtool {
namespace {

using usblink_test::DoubleLibrary;
using Lines = std::vector<std::string>;

constexpr char kNotFound[] = "error: device not found!\n";
constexpr char kConfigFailed[] = "error: setting config 1 failed\n";
constexpr char kClaimFailed[] = "error: claiming interface 0 failed\n";
constexpr char kWriteFailed[] = "error: bulk write failed\n";
constexpr char kReadFailed[] = "error: bulk read failed\n";

const Lines kScan = {"usb_init()", "usb_find_busses()", "usb_find_devices()", "usb_get_busses()"};

Lines concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The calls after the scan for a device "bus/device" that takes part in
// every step.
Lines fullSequence(const std::string& device) {
    return {"usb_open(" + device + ")",
            "usb_set_configuration(" + device + ", 1)",
            "usb_claim_interface(" + device + ", 0)",
            "usb_bulk_write(" + device + ", 0x03, 336, 5000)",
            "usb_bulk_read(" + device + ", 0x82, 336, 5000)",
            "usb_release_interface(" + device + ", 0)",
            "usb_close(" + device + ")"};
}

RecorderConfig sentRecord() {
    RecorderConfig record;
    auto bytes = record.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return record;
}

RecorderConfig answerRecord() {
    RecorderConfig record;
    auto bytes = record.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0xF0 - i);
    return record;
}

struct Outcome {
    ExchangeResult result;
    RecorderConfig record;
    Lines diagnostics;
    Lines calls;
};

class ExchangeTest : public ::testing::Test {
protected:
    static Outcome exchange(const std::string& libraryFile, const DoubleLibrary* control) {
        LibusbBinding binding(libraryFile);
        Outcome run;
        run.record = sentRecord();
        run.result = UsbExchange(binding, run.record.bytes(),
                                 [&](std::string_view line) { run.diagnostics.emplace_back(line); });
        if (control != nullptr)
            run.calls = control->log();
        return run;
    }
    Outcome exchange(const RecorderDoubleScript& script) {
        recorder_.configure(script);
        return exchange(USB_RECORDER_DOUBLE_PATH, &recorder_);
    }
    RecorderDoubleScript script() const { return recorder_.defaults(); }

    DoubleLibrary recorder_{USB_RECORDER_DOUBLE_PATH};
};

// Once the device is open: what is said, what the recorder got, what the
// record holds afterwards and which calls were made after the scan.
struct StepCase {
    const char* name;
    std::function<void(RecorderDoubleScript&)> script;
    ExchangeResult expected;
    Lines diagnostics;
    Lines calls;
    std::size_t receivedBytes; // what the recorder took of the record sent
    std::size_t answeredBytes; // bytes of the answer at the record's start; the rest as sent
};

const std::string kDevice = "001/002";
const Lines kAll = fullSequence(kDevice);

Lines upTo(std::size_t count, Lines tail) {
    return concat(Lines(kAll.begin(), kAll.begin() + static_cast<std::ptrdiff_t>(count)), tail);
}

constexpr std::size_t kAllBytes = RecorderConfig::kSize;

const StepCase kSteps[] = {
    {"AnswersWithAChangedRecord", [](RecorderDoubleScript&) {},
     {ExchangeOutcome::Completed, true, true}, {}, kAll, kAllBytes, kAllBytes},
    {"ReadTimesOut",
     [](RecorderDoubleScript& s) {
         s.read_result = -ETIMEDOUT;
         s.read_delay_ms = 20;
     },
     {ExchangeOutcome::Completed, true, false}, {kReadFailed}, kAll, kAllBytes, 0},
    {"ShortRead", [](RecorderDoubleScript& s) { s.read_result = 100; },
     {ExchangeOutcome::Completed, true, false}, {kReadFailed}, kAll, kAllBytes, 100},
    {"ShortWriteStillReads", [](RecorderDoubleScript& s) { s.write_result = 200; },
     {ExchangeOutcome::Completed, false, true}, {kWriteFailed}, kAll, 200, kAllBytes},
    {"WriteAndReadFail",
     [](RecorderDoubleScript& s) {
         s.write_result = -EIO;
         s.read_result = -EIO;
     },
     {ExchangeOutcome::Completed, false, false}, {kWriteFailed, kReadFailed}, kAll, 0, 0},
    {"ConfigurationRefused", [](RecorderDoubleScript& s) { s.set_configuration_result = -EBUSY; },
     {ExchangeOutcome::ConfigurationFailed, false, false}, {kConfigFailed},
     upTo(2, {"usb_close(001/002)"}), 0, 0},
    {"InterfaceRefused", [](RecorderDoubleScript& s) { s.claim_interface_result = -EBUSY; },
     {ExchangeOutcome::ClaimFailed, false, false}, {kClaimFailed}, upTo(3, {"usb_close(001/002)"}), 0, 0},
    {"ConfigurationAnswersPositive", [](RecorderDoubleScript& s) { s.set_configuration_result = 1; },
     {ExchangeOutcome::Completed, true, true}, {}, kAll, kAllBytes, kAllBytes},
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class ExchangeStepTest : public ExchangeTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ExchangeStepTest, RecordDiagnosticsAndCalls) {
    const StepCase& c = GetParam();
    RecorderDoubleScript s = script();
    s.answer_given = 1;
    const RecorderConfig answer = answerRecord();
    std::copy(answer.bytes().begin(), answer.bytes().end(), s.answer);
    c.script(s);

    const Outcome run = exchange(s);
    EXPECT_EQ(run.result.outcome, c.expected.outcome);
    EXPECT_EQ(run.result.written, c.expected.written);
    EXPECT_EQ(run.result.read, c.expected.read);
    EXPECT_EQ(run.diagnostics, c.diagnostics);
    EXPECT_EQ(run.calls, concat(kScan, c.calls));
    const RecorderConfig sentCopy = sentRecord();
    const auto sent = sentCopy.bytes();
    const std::vector<unsigned char> received = recorder_.received();
    EXPECT_EQ(received, std::vector<unsigned char>(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(c.receivedBytes)));
    for (std::size_t i = 0; i < RecorderConfig::kSize; ++i)
        ASSERT_EQ(run.record.bytes()[i], i < c.answeredBytes ? answer.bytes()[i] : sent[i]) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Steps, ExchangeStepTest, ::testing::ValuesIn(kSteps),
                         [](const auto& p) { return std::string(p.param.name); });

// Which device is used, or why none is: the calls after the scan.
TEST_F(ExchangeTest, UsesTheFirstRecorderInBusOrderOnly) {
    RecorderDoubleScript s = script();
    s.recorders = 2;
    s.empty_bus_first = 1;
    s.foreign_before = 1; // 002/002 and 002/003 are not recorders
    const Outcome run = exchange(s);
    EXPECT_EQ(run.result.outcome, ExchangeOutcome::Completed);
    EXPECT_EQ(run.calls, concat(kScan, fullSequence("002/004")));
    EXPECT_TRUE(run.diagnostics.empty());
}

TEST_F(ExchangeTest, NoRecorderIsDeviceNotFoundAndLeavesTheRecord) {
    struct Case {
        const char* name;
        int recorders, foreignBefore, emptyBusFirst, openFails;
        Lines calls;
    };
    const Case cases[] = {
        {"no bus at all", 0, 0, 0, 0, {}},
        {"a bus without devices", 0, 0, 1, 0, {}},
        {"only other devices", 0, 1, 0, 0, {}},
        {"open fails", 1, 0, 0, 1, {"usb_open(001/002)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecorderDoubleScript s = script();
        s.recorders = c.recorders;
        s.foreign_before = c.foreignBefore;
        s.empty_bus_first = c.emptyBusFirst;
        s.open_fails = c.openFails;
        const Outcome run = exchange(s);
        EXPECT_EQ(run.result.outcome, ExchangeOutcome::DeviceNotFound);
        EXPECT_FALSE(run.result.written);
        EXPECT_FALSE(run.result.read);
        EXPECT_EQ(run.record, sentRecord());
        EXPECT_EQ(run.diagnostics, Lines{kNotFound});
        EXPECT_EQ(run.calls, concat(kScan, c.calls));
    }
}

TEST_F(ExchangeTest, MissingLibraryOrEntryPoint) {
    {
        SCOPED_TRACE("no library file");
        const Outcome run = exchange("/nonexistent/libusb-0.1.so.4", nullptr);
        EXPECT_EQ(run.result.outcome, ExchangeOutcome::DeviceNotFound);
        EXPECT_EQ(run.record, sentRecord());
        EXPECT_EQ(run.diagnostics, Lines{kNotFound});
    }
    {
        SCOPED_TRACE("no usb_open: like no device");
        DoubleLibrary noOpen(USB_RECORDER_DOUBLE_NO_OPEN_PATH);
        noOpen.reset();
        const Outcome run = exchange(USB_RECORDER_DOUBLE_NO_OPEN_PATH, &noOpen);
        EXPECT_EQ(run.result.outcome, ExchangeOutcome::DeviceNotFound);
        EXPECT_EQ(run.diagnostics, Lines{kNotFound});
        EXPECT_EQ(run.calls, kScan);
    }
    {
        SCOPED_TRACE("no usb_bulk_read: the read fails, the device is still let go");
        DoubleLibrary noRead(USB_RECORDER_DOUBLE_NO_READ_PATH);
        noRead.reset();
        const Outcome run = exchange(USB_RECORDER_DOUBLE_NO_READ_PATH, &noRead);
        EXPECT_EQ(run.result.outcome, ExchangeOutcome::Completed);
        EXPECT_TRUE(run.result.written);
        EXPECT_FALSE(run.result.read);
        EXPECT_EQ(run.record, sentRecord());
        EXPECT_EQ(run.diagnostics, Lines{kReadFailed});
        Lines calls = fullSequence("001/002");
        calls.erase(calls.begin() + 4); // the read never reaches the library
        EXPECT_EQ(run.calls, concat(kScan, calls));
    }
}

TEST_F(ExchangeTest, ABufferTooLongForOneTransferIsNeitherSentNorRead) {
    // Address space only: the exchange must not touch it.
    const std::size_t length = std::size_t{INT_MAX} + 1;
    void* region = mmap(nullptr, length, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(region, MAP_FAILED);
    recorder_.reset();
    LibusbBinding binding(USB_RECORDER_DOUBLE_PATH);
    Lines diagnostics;
    const ExchangeResult result =
        UsbExchange(binding, {static_cast<std::uint8_t*>(region), length},
                    [&](std::string_view line) { diagnostics.emplace_back(line); });
    munmap(region, length);
    EXPECT_EQ(result.outcome, ExchangeOutcome::Completed);
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(diagnostics, (Lines{kWriteFailed, kReadFailed}));
    EXPECT_EQ(recorder_.log(), concat(kScan, upTo(3, {"usb_release_interface(001/002, 0)", "usb_close(001/002)"})));
}

TEST_F(ExchangeTest, DiagnosticsGoToStandardOutputByDefault) {
    RecorderDoubleScript s = script();
    s.read_result = -ETIMEDOUT;
    recorder_.configure(s);
    LibusbBinding binding(USB_RECORDER_DOUBLE_PATH);
    RecorderConfig record = sentRecord();
    ::testing::internal::CaptureStdout();
    UsbExchange(binding, record.bytes());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), kReadFailed);
}

} // namespace
} // namespace kyvo::usbtool
