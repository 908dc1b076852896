#include "PrintJob.h"

#include "Fonts.h"
#include "PrintLayout.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace kyvo::app {

namespace {

constexpr char kDocumentName[] = "JXQ";

PrintDialogRunner& dialogRunner() {
    static PrintDialogRunner runner;
    return runner;
}

} // namespace

void preparePrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QString::fromLatin1(kDocumentName));
}

void setPrintDialogRunner(PrintDialogRunner runner) {
    dialogRunner() = std::move(runner);
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    if (dialogRunner())
        return dialogRunner()(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true); // a PDF file when no printer is at hand
    return dialog.exec() == QDialog::Accepted;
}

bool printPage(QPrinter& printer, const QImage& picture, const PrintTexts& texts) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const PrintLayout layout = printLayout(page.width(), page.height(), picture.width(), picture.height());
    QFont font = pixelFont(layout.fontPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    auto line = [&](int y, const QString& text) {
        if (!text.isEmpty())
            painter.drawText(layout.pictureX, y + ascent, text);
    };
    line(layout.dateY, texts.date);
    line(layout.positionY, texts.position);
    line(layout.speedY, texts.speed);
    if (!picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(layout.pictureX, layout.pictureY, layout.pictureWidth, layout.pictureHeight), picture);
    }
    line(layout.gsensorY, texts.gsensor);
    return painter.end();
}

} // namespace kyvo::app
