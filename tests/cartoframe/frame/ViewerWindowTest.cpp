// The map window through libcartoframe.so, as a host uses it: open it in a
// host widget, send positions as window messages, click the controls, press
// keys, and take the host away.
#include "CGISViewerFrame.h"
#include "FrameTestSupport.h"
#include "TempFolder.h"
#include "WindowMessage.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using cartoframe::GIS_MSG_POSITION;
using cartoframe::TGisPosition;

const char* const kTitle = "Zumaro-navi DVR Viewer";

QImage picture(QWidget* window) { return window->grab().toImage().convertToFormat(QImage::Format_RGB888); }

bool isAllBlack(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

std::vector<std::string> g_diagnostics;
void recordLine(const char* line, void*) { g_diagnostics.emplace_back(line); }

class ViewerWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(cartoframe::test::makeTownMapFolder(mapFolder_), "");
        host_->resize(1000, 800);
        host_->show();
        g_diagnostics.clear();
        CartoframeSetDiagnostics(recordLine, nullptr);
    }
    void TearDown() override {
        host_.reset();
        CartoframeSetDiagnostics(nullptr, nullptr);
    }

    void open(const std::filesystem::path& folder, int x = 0, int y = 0, int width = 320, int height = 240) {
        std::string text = folder.string();
        frame_.OpenViewFrame(nullptr, host_.get(), text.data(), x, y, width, height);
    }
    static kyvo::LResult send(QWidget* window, const TGisPosition* p) {
        return kyvo::sendMessage(window, GIS_MSG_POSITION, reinterpret_cast<kyvo::WParam>(p));
    }
    static void processDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    kyvo::test::TempFolder folder_;
    std::filesystem::path mapFolder_ = folder_ / "Map";
    std::unique_ptr<QWidget> host_ = std::make_unique<QWidget>();
    CGISViewerFrame frame_;
};

TEST_F(ViewerWindowTest, OpensOneChildWindowInTheHost) {
    std::string text = mapFolder_.string();
    frame_.OpenViewFrame(nullptr, nullptr, text.data(), 0, 0, 320, 240);
    EXPECT_EQ(frame_.GetViewFrameHandle(), nullptr) << "no window without a parent";

    open(mapFolder_, 10, 20, 320, 240);
    QWidget* window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), host_.get());
    EXPECT_EQ(window->geometry(), QRect(10, 20, 320, 240));
    EXPECT_EQ(window->windowTitle(), kTitle);
    EXPECT_TRUE(window->isVisible());

    // A second open, through another object of the class, changes nothing.
    CGISViewerFrame other;
    std::string elsewhere = (folder_ / "elsewhere").string();
    other.OpenViewFrame(nullptr, host_.get(), elsewhere.data(), 0, 0, 640, 480);
    EXPECT_EQ(other.GetViewFrameHandle(), window);
    EXPECT_EQ(window->geometry(), QRect(10, 20, 320, 240));
    EXPECT_EQ(host_->findChildren<QWidget*>().size(), 1);
}

TEST_F(ViewerWindowTest, DefaultGeometryFromTheScreen) {
    open(mapFolder_, -1, -1, -1, 5);
    QWidget* window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    const QSize screen = host_->screen()->size();
    EXPECT_EQ(window->geometry(), QRect(screen.width() / 2, (screen.height() - 600) / 2, 800, 600));
}

TEST_F(ViewerWindowTest, PositionsAndControlsChangeThePicture) {
    open(mapFolder_);
    QWidget* window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    const QImage empty = picture(window);
    EXPECT_FALSE(isAllBlack(empty)) << "the first picture shows the map's background";

    TGisPosition p{cartoframe::test::TOWN_LONGITUDE, cartoframe::test::TOWN_LATITUDE, 0, 90.0f, 20240612, 8, 15, 30, 1};
    send(window, &p);
    const QImage town = picture(window);
    EXPECT_NE(town, empty) << "the town around the position";

    EXPECT_EQ(send(window, nullptr), 0);
    EXPECT_EQ(picture(window), town) << "a null record changes nothing";

    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(24, 70)); // zoom in
    const QImage closer = picture(window);
    EXPECT_NE(closer, town);
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(24, 92)); // only the left button counts
    EXPECT_EQ(picture(window), closer);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(24, 92)); // zoom out: the town again
    EXPECT_EQ(picture(window), town);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(11, 24)); // pan left
    EXPECT_NE(picture(window), town);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(24, 24)); // centre on the vehicle
    EXPECT_EQ(picture(window), town);

    // P saves what the window shows, named after the last record.
    QTest::keyClick(window, Qt::Key_P);
    const QImage saved(QString::fromStdString((mapFolder_ / "Screenshot" / "20240612081530.BMP").string()), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB888), picture(window));
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mapFolder_ / "Screenshot"),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(ViewerWindowTest, EscRemovesTheWindowAndAnOpenStartsAfresh) {
    open(mapFolder_);
    QPointer<QWidget> window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(frame_.GetViewFrameHandle(), nullptr);

    // A new window opened before the old one is deleted is not disturbed by
    // the old one: neither by messages sent to it nor by its deletion.
    open(mapFolder_, 5, 5, 200, 150);
    QWidget* second = frame_.GetViewFrameHandle();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, window.data());
    TGisPosition p{cartoframe::test::TOWN_LONGITUDE, cartoframe::test::TOWN_LATITUDE, 0, 0, 0, 0, 0, 0, 1};
    send(second, &p);
    const QImage shown = picture(second);
    TGisPosition away = p;
    away.longitude += 0.002f;
    send(window, &away);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(24, 70));
    QTest::keyClick(window, Qt::Key_Escape);
    processDeletions();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(frame_.GetViewFrameHandle(), second);
    EXPECT_EQ(picture(second), shown);
    EXPECT_EQ(second->geometry(), QRect(5, 5, 200, 150));
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(24, 70));
    EXPECT_NE(picture(second), shown) << "the second window still draws";

    QTest::keyClick(second, Qt::Key_Escape);
    processDeletions();
    EXPECT_EQ(frame_.GetViewFrameHandle(), nullptr);
    EXPECT_TRUE(host_->findChildren<QWidget*>().isEmpty());
}

TEST_F(ViewerWindowTest, DeletingTheHostTearsTheMapDown) {
    open(mapFolder_);
    ASSERT_NE(frame_.GetViewFrameHandle(), nullptr);
    host_ = std::make_unique<QWidget>();
    EXPECT_EQ(frame_.GetViewFrameHandle(), nullptr);

    // The library forgot the window: the new host gets one that draws.
    open(mapFolder_);
    QWidget* window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(isAllBlack(picture(window)));
}

TEST_F(ViewerWindowTest, AFolderWithoutAMapGivesABlackWindow) {
    open(folder_ / "nothing here");
    QWidget* window = frame_.GetViewFrameHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(isAllBlack(picture(window)));
    bool reported = false;
    for (const std::string& line : g_diagnostics)
        reported = reported || line.find("FileList.cfg") != std::string::npos;
    EXPECT_TRUE(reported) << "the file store's messages reach the host's sink";

    // Nothing the user or host does breaks it.
    TGisPosition p{121.5f, 25.0f, 0, 0, 0, 0, 0, 0, 1};
    send(window, &p);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(24, 70));
    QTest::keyClick(window, Qt::Key_P);
    EXPECT_TRUE(isAllBlack(picture(window)));
    QTest::keyClick(window, Qt::Key_Escape);
    processDeletions();
    EXPECT_EQ(frame_.GetViewFrameHandle(), nullptr);
}

} // namespace
