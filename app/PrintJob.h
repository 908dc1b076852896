#pragma once
// Printing the picture with its telemetry on one A4 landscape page: the
// printer dialog (tests install a runner that answers at once) and the page
// itself, laid out by printLayout() from the printable area.
//
// GUI thread only.

#include <QImage>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace kyvo::app {

struct PrintTexts {
    QString date;
    QString position;
    QString speed;
    QString gsensor; // empty when a value lies outside -8..8 g
};

// A printer set up for the print-out: A4, landscape, document name "JXQ".
void preparePrinter(QPrinter& printer);

// The printer dialog over `parent`; true when the user chose to print.
bool runPrintDialog(QPrinter& printer, QWidget* parent);
using PrintDialogRunner = std::function<bool(QPrinter& printer)>;
void setPrintDialogRunner(PrintDialogRunner runner); // empty function: the real dialog

// Prints the page: the three lines above the picture and the G-sensor line
// below it. A null picture prints the texts only. False when the printer
// could not be started or the job not finished.
bool printPage(QPrinter& printer, const QImage& picture, const PrintTexts& texts);

} // namespace kyvo::app
