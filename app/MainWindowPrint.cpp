// Printing the frame on screen with its date, position, speed and G-sensor
// values. The printer chosen is kept for the next print-out, also across
// runs (by name, in the viewer's store).

#include "CJXQ_PCMgrDlg.h"

#include "AdapterCaptureSource.h"
#include "MessageBox.h"
#include "PrintJob.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "StringIds.h"
#include "Strings.h"
#include "TelemetrySpeed.h"
#include "TelemetryText.h"

#include <QPrinter>

namespace kyvo::app {

namespace {

constexpr char kPrintKey[] = "SOFTWARE\\Orvanel\\Kyvo Viewer\\01.00.01\\Print";
constexpr char kPrinterValue[] = "printer";
constexpr int kUnitLabels[] = {strings::kUnitKmh, strings::kUnitMph, strings::kUnitKnots};

std::string utf8(int stringId) {
    return loadString(stringId).toStdString();
}

} // namespace

// The frame on screen, copied under the library's lock the way the capture
// takes it; null before the first frame.
QImage CJXQ_PCMgrDlg::pictureOnScreen() {
    if (!adapter_)
        return {};
    AdapterCaptureSource source(*adapter_, this, frameShown_);
    capture::Picture picture;
    if (source.shownFrame() == 0 || !source.copyPicture(0, picture))
        return {};
    return QImage(picture.pixels.data(), picture.width, picture.height, QImage::Format_RGB32).copy();
}

PrintTexts CJXQ_PCMgrDlg::printTexts() const {
    // Before a frame with telemetry: an empty sentence and zero values.
    std::array<char, player::kGpsRecordSize> gps{};
    std::array<float, 3> sensor{};
    if (adapter_ && !adapter_->telemetry(gps, sensor)) {
        gps.fill(0);
        sensor.fill(0);
    }
    RmcFix fix{};
    decodeRmc(std::string_view(gps.data(), strnlen(gps.data(), gps.size())), fix);
    const int unit = settingPopup_ ? settingPopup_->speedUnit() : kDisplayUnitKmh;
    const std::string unitLabel = unit >= 0 && unit < 3 ? utf8(kUnitLabels[unit]) : std::string();
    PrintTexts texts;
    texts.date = QString::fromStdString(dateTimeText(fix, utf8(strings::kDate)));
    texts.position = QString::fromStdString(
        positionPrintText(fix, utf8(strings::kPosition), utf8(strings::kLatitude), utf8(strings::kLongitude)));
    texts.speed = QString::fromStdString(speedText(utf8(strings::kSpeed), speedIn(fix, unit, unitLabel).valueText));
    texts.gsensor = QString::fromStdString(gsensorPrintText(sensor[0], sensor[1], sensor[2]));
    return texts;
}

void CJXQ_PCMgrDlg::onPrint() {
    if (!adapter_ || !playing_)
        return;
    const QImage picture = pictureOnScreen();
    const PrintTexts texts = printTexts();
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const auto name = store_->read(QString::fromLatin1(kPrintKey), QString::fromLatin1(kPrinterValue));
        if (name && !name->isEmpty())
            printer_->setPrinterName(QString::fromUtf8(*name));
    }
    preparePrinter(*printer_);
    if (!runPrintDialog(*printer_, this))
        return;
    store_->write(QString::fromLatin1(kPrintKey), QString::fromLatin1(kPrinterValue), printer_->printerName().toUtf8());
    if (!printPage(*printer_, picture, texts))
        messageBox(this, strings::kPrintFailed, MessageIcon::Warning);
}

} // namespace kyvo::app
