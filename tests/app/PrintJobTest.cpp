// The print-out printed to a PDF file and read back with poppler's tools:
// the page, the document name, the lines in order from the top and the
// picture where the layout puts it.

#include "PrintJob.h"
#include "PrintLayout.h"
#include "QtTempFolder.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kyvo::app;

namespace {

// The program's standard output; `ok` says whether it ran and succeeded.
QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
    QProcess process;
    process.start(program, arguments);
    const bool succeeded = process.waitForFinished(60000) && process.exitCode() == 0;
    if (ok)
        *ok = succeeded;
    return succeeded ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

struct Printed {
    QString pdf;
    QRect pictureOnPage; // in points (1/72 inch) from the page's top left
};

Printed printToPdf(const kyvo::test::QtTempFolder& dir, const QImage& picture, const PrintTexts& texts) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    Printed printed;
    printed.pdf = dir.filePath(QStringLiteral("page.pdf"));
    printer.setOutputFileName(printed.pdf);
    EXPECT_TRUE(printPage(printer, picture, texts));
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const PrintLayout layout = printLayout(paint.width(), paint.height(), picture.width(), picture.height());
    const double toPoints = 72.0 / printer.resolution();
    printed.pictureOnPage = QRect(static_cast<int>((paint.x() + layout.pictureX) * toPoints),
                                  static_cast<int>((paint.y() + layout.pictureY) * toPoints),
                                  static_cast<int>(layout.pictureWidth * toPoints),
                                  static_cast<int>(layout.pictureHeight * toPoints));
    return printed;
}

// The top (yMin) of the first word of each text in pdftotext's -bbox output.
double topOf(const QString& boxes, const QString& word) {
    const QRegularExpression re(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*>%1<").arg(QRegularExpression::escape(word)));
    const auto match = re.match(boxes);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

} // namespace

TEST(PrintJob, AnA4LandscapePageNamedJxqWithTheLinesAroundThePicture) {
    const kyvo::test::QtTempFolder dir;
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    const PrintTexts texts{QStringLiteral("DATE 2024/06/12 08:15:03"), QStringLiteral("POSITION 25.05 121.56"),
                           QStringLiteral("SPEED 45.0"), QStringLiteral("GSENSOR 0.125")};
    const Printed printed = printToPdf(dir, picture, texts);

    const QString info = run(QStringLiteral("pdfinfo"), {printed.pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+JXQ")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12][.0-9]* x 595[.0-9]* pts \\(A4\\)"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), printed.pdf, QStringLiteral("-")});
    const double date = topOf(boxes, QStringLiteral("DATE"));
    const double position = topOf(boxes, QStringLiteral("POSITION"));
    const double speed = topOf(boxes, QStringLiteral("SPEED"));
    const double gsensor = topOf(boxes, QStringLiteral("GSENSOR"));
    ASSERT_GT(date, 0) << boxes.toStdString();
    EXPECT_LT(date, position);
    EXPECT_LT(position, speed);
    EXPECT_LT(speed, printed.pictureOnPage.top());
    EXPECT_GT(gsensor, printed.pictureOnPage.bottom());
    EXPECT_NEAR(gsensor - printed.pictureOnPage.bottom(), 50 * 72.0 / 300, 4.0);

    // Rendered at 72 dpi a pixel is a point: blue inside the picture, white above it.
    bool rendered = false;
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), printed.pdf, dir.filePath(QStringLiteral("page"))},
        &rendered);
    ASSERT_TRUE(rendered);
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(842, 595));
    auto blue = [](QColor c) { return c.blue() > 240 && c.red() < 16 && c.green() < 16; };
    EXPECT_TRUE(blue(page.pixelColor(printed.pictureOnPage.center())));
    EXPECT_TRUE(blue(page.pixelColor(printed.pictureOnPage.left() + 3, printed.pictureOnPage.top() + 3)));
    EXPECT_TRUE(blue(page.pixelColor(printed.pictureOnPage.right() - 3, printed.pictureOnPage.bottom() - 3)));
    EXPECT_EQ(page.pixelColor(printed.pictureOnPage.center().x(), printed.pictureOnPage.top() - 3), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(printed.pictureOnPage.left() - 3, printed.pictureOnPage.center().y()), QColor(Qt::white));
}

TEST(PrintJob, WithoutAPictureTheTextsArePrintedAlone) {
    const kyvo::test::QtTempFolder dir;
    const Printed printed = printToPdf(dir, QImage(), {QStringLiteral("DATE"), {}, {}, {}});
    const QString text = run(QStringLiteral("pdftotext"), {printed.pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("DATE")));
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/folder/page.pdf")));
    EXPECT_FALSE(printPage(printer, QImage(), {QStringLiteral("DATE"), {}, {}, {}})) << "a failed print is reported";
}
