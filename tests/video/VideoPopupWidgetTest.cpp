// The enlarged video popups as windows (frame, close button, keys, the
// message to their parent), and in the main window: opened and closed by the
// library's requests and by their buttons, with a recording playing through
// the real library, whose picture moves into a popup and back.

#include "CJXQ_PCMgrDlg.h"
#include "MainVideoPopups.h"
#include "MessageBox.h"
#include "ROVUAdap.h"
#include "RegistryStore.h"
#include "Skin.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "VideoPopupLayout.h"
#include "VideoPopupLeft.h"
#include "VideoPopupRight.h"
#include "ViewerMessages.h"
#include "WindowMessage.h"

#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using namespace kyvo;
using namespace kyvo::video;
namespace geometry = kyvo::layout::video_popup;

namespace {

constexpr QRgb kFrame = qRgb(150, 150, 150);
constexpr QRgb kBlack = qRgb(0, 0, 0);

struct Received {
    unsigned message;
    WParam wParam;
    bool operator==(const Received&) const = default;
};

// Stands in for the main window: records the messages it gets.
class RecordingParent : public MessageWindow {
public:
    std::vector<Received> received;

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override {
        received.push_back({message, wParam});
        return MessageWindow::windowMessage(message, wParam, lParam);
    }
};

// A child such as the library's video window: counts the keys that reach it.
class KeyCountingChild : public QWidget {
public:
    using QWidget::QWidget;
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++keys;
        event->accept();
    }
};

struct PopupCase {
    const char* name;
    std::function<VideoPopup*(QWidget*)> make;
    const geometry::PopupGeometry& geometry;
    int closeImage;
    WParam closedValue;
};

const PopupCase kPopups[] = {
    {"left", [](QWidget* p) -> VideoPopup* { return new VideoPopupLeft(p); }, geometry::kLeft,
     skin::kLeftPopupCloseNormal, 1},
    {"right", [](QWidget* p) -> VideoPopup* { return new VideoPopupRight(p); }, geometry::kRight,
     skin::kRightPopupCloseNormal, 2},
};

QRect closeRect(const geometry::PopupGeometry& g) {
    return QRect(QPoint(g.closeButton.x, g.closeButton.y),
                 QSize(geometry::kCloseButtonSize.width, geometry::kCloseButtonSize.height));
}

bool keyAccepted(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    event.ignore();
    QCoreApplication::sendEvent(target, &event);
    return event.isAccepted();
}

} // namespace

TEST(VideoPopupWidget, EachPopupStandsInItsPlaceWithItsFrameAndCloseButton) {
    RecordingParent parent;
    parent.setGeometry(40, 20, 1020, 780);
    for (const PopupCase& c : kPopups) {
        SCOPED_TRACE(c.name);
        VideoPopup* popup = c.make(&parent);
        popup->place(parent.geometry());
        popup->setShown(true);
        const QPoint expected = c.geometry.fromMainWindow ? QPoint(40 + c.geometry.place.x, 20 + c.geometry.place.y)
                                                          : QPoint(c.geometry.place.x, c.geometry.place.y);
        EXPECT_EQ(popup->pos(), expected);
        EXPECT_EQ(popup->size(), QSize(c.geometry.size.width, c.geometry.size.height));
        EXPECT_TRUE(popup->isWindow());

        const QImage shown = popup->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int w = shown.width(), h = shown.height();
        // The grey edge all round (the top row left of the close button), black one pixel in.
        for (QPoint edge : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1), QPoint(0, 0),
                            QPoint(w - 1, h - 1), QPoint(c.geometry.closeButton.x - 1, 0)})
            EXPECT_EQ(shown.pixel(edge), kFrame) << edge.x() << "," << edge.y();
        for (QPoint inside : {QPoint(1, 1), QPoint(w - 2, h - 2), QPoint(w / 2, h / 2), QPoint(1, h - 2)})
            EXPECT_EQ(shown.pixel(inside), kBlack) << inside.x() << "," << inside.y();

        // The skin's close button at its place, clear of the picture's rectangle.
        const QRect button = closeRect(c.geometry);
        EXPECT_EQ(popup->closeButton()->geometry(), button);
        EXPECT_EQ(shown.copy(button), skinImage(c.closeImage).convertToFormat(QImage::Format_RGB32));
        EXPECT_FALSE(popup->videoRect().intersects(button));
        EXPECT_TRUE(QRect(1, 1, w - 2, h - 2).contains(popup->videoRect()));
        delete popup;
    }
}

// The library's window moves into the popup as a child and may cover it all;
// the close button stays clickable above it. Keys that would end a dialog do
// nothing, in the popup and in its children; the window system's close too.
// The button hides the popup and then tells the parent which popup it was.
TEST(VideoPopupWidget, OnlyTheCloseButtonClosesAPopupAndItTellsTheParent) {
    for (const PopupCase& c : kPopups) {
        SCOPED_TRACE(c.name);
        RecordingParent parent;
        VideoPopup* popup = c.make(&parent);
        popup->setShown(true);
        auto* child = new KeyCountingChild;
        child->setParent(popup);
        child->setGeometry(popup->rect());
        child->show();
        const QPoint buttonCentre = closeRect(c.geometry).center();
        EXPECT_EQ(popup->childAt(buttonCentre), popup->closeButton());

        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_F4}) {
            EXPECT_TRUE(keyAccepted(popup, key)) << key;
            EXPECT_TRUE(keyAccepted(child, key)) << key;
        }
        EXPECT_TRUE(keyAccepted(popup, Qt::Key_F4, Qt::AltModifier));
        EXPECT_EQ(child->keys, 0) << "a swallowed key reached the child";
        EXPECT_FALSE(keyAccepted(popup, Qt::Key_A)) << "other keys take their normal way";
        keyAccepted(child, Qt::Key_A);
        EXPECT_EQ(child->keys, 1);
        EXPECT_FALSE(popup->close());
        EXPECT_TRUE(popup->isVisible());
        EXPECT_TRUE(parent.received.empty());

        popup->setShown(true); // already shown: nothing changes
        QTest::mouseClick(popup->closeButton(), Qt::LeftButton);
        EXPECT_FALSE(popup->isVisible());
        EXPECT_EQ(parent.received, (std::vector<Received>{{WM_POPUP_CLOSED, c.closedValue}}));
    }
}

TEST(VideoPopupWidget, MovingAPopupRunsItsMovedHandler) {
    RecordingParent parent;
    VideoPopupRight popup(&parent);
    int moves = 0;
    popup.setMovedHandler([&] { ++moves; });
    popup.setShown(true);
    QCoreApplication::processEvents();
    const int before = moves;
    popup.move(popup.pos() + QPoint(30, 12));
    EXPECT_TRUE(QTest::qWaitFor([&] { return moves > before; }, 5000));
}

namespace {

class MainWindowPopupsTest : public ::testing::Test {
protected:
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/kyvopopups-XXXXXX")};

    std::unique_ptr<app::CJXQ_PCMgrDlg> openDialog() {
        auto dialog = std::make_unique<app::CJXQ_PCMgrDlg>(
            std::make_unique<RegistryStore>(dir.filePath(QStringLiteral("s.ini"))));
        dialog->initDialog();
        dialog->show();
        return dialog;
    }

    static LResult ask(app::CJXQ_PCMgrDlg& dialog, unsigned message, WParam wParam) {
        return sendMessage(&dialog, message, wParam, 0);
    }

    static std::vector<std::int16_t> rowOf(const orv::VideoRectTable& table, int channel) {
        return {table.rect[channel], table.rect[channel] + 4};
    }
    static std::vector<std::int16_t> rowOf(const layout::Rect& r) {
        return {static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top),
                static_cast<std::int16_t>(r.width()), static_cast<std::int16_t>(r.height())};
    }
};

} // namespace

// Without a recording: the adapter only stores what the popups tell it.
TEST_F(MainWindowPopupsTest, RequestsOpenAndCloseThePopupsAndTellTheAdapter) {
    auto dialog = openDialog();
    player::ROVUAdap& adapter = *dialog->adapter();
    testing::internal::CaptureStdout(); // an idle adapter reports Refresh as undefined

    EXPECT_EQ(ask(*dialog, WM_VIDEO_POPUP_OPEN, 1), 0);
    ASSERT_NE(dialog->videoPopups(), nullptr);
    VideoPopupLeft* left = dialog->videoPopups()->left();
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(left->geometry(), QRect(0, 10, 960, 530));
    EXPECT_EQ(adapter.popupWindow0.load(), reinterpret_cast<std::intptr_t>(left));
    EXPECT_EQ(adapter.popup0Shown.load(), 1);
    EXPECT_EQ(rowOf(adapter.popupRects(), 0), rowOf(geometry::kLeft.video));
    EXPECT_EQ(dialog->videoPopups()->right(), nullptr) << "made on first use only";

    ask(*dialog, WM_VIDEO_POPUP_OPEN, 1);
    EXPECT_FALSE(left->isVisible());
    EXPECT_EQ(adapter.popup0Shown.load(), 0);
    EXPECT_EQ(rowOf(adapter.videoRects(), 0), rowOf(geometry::kChannel0InWindow));

    dialog->move(12, 8);
    ask(*dialog, WM_VIDEO_POPUP_OPEN, 2);
    ask(*dialog, WM_VIDEO_POPUP_OPEN, 2);
    VideoPopupRight* right = dialog->videoPopups()->right();
    ASSERT_NE(right, nullptr);
    EXPECT_TRUE(right->isVisible()) << "a second request keeps it open";
    EXPECT_EQ(right->pos(), dialog->pos() + QPoint(185, 130));
    EXPECT_EQ(adapter.popupWindow1.load(), reinterpret_cast<std::intptr_t>(right));
    EXPECT_EQ(adapter.popup1Shown.load(), 1);
    EXPECT_EQ(rowOf(adapter.popupRects(), 1), rowOf(geometry::kRight.video));

    QTest::mouseClick(right->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(right->isVisible());
    EXPECT_EQ(adapter.popup1Shown.load(), 0);
    EXPECT_EQ(rowOf(adapter.videoRects(), 1), rowOf(geometry::kChannel1InWindow));

    ask(*dialog, WM_VIDEO_POPUP_OPEN, 1);
    EXPECT_EQ(dialog->videoPopups()->left(), left) << "created once, then only shown";
    EXPECT_TRUE(left->isVisible());
    testing::internal::GetCapturedStdout();

    // The popups end with the window.
    QPointer<VideoPopupLeft> leftAlive(left);
    dialog->endDialog(0);
    EXPECT_TRUE(leftAlive.isNull());
}

// A recording plays through the real library: a double click on the picture
// takes it into the left popup, where it goes on playing; the main window's
// move does not pull it back; a second double click returns it, and so does
// the popup's close button.
TEST_F(MainWindowPopupsTest, ThePlayingPictureMovesIntoThePopupAndBack) {
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                 {"--no-audio", "--preset", "ultrafast", "--length", "20", recording});
    ASSERT_TRUE(recgen.waitForFinished(120000));
    ASSERT_EQ(recgen.exitCode(), 0) << recgen.readAllStandardError().constData();
    setMessageBoxSink([](const MessageBoxRequest&) { return kAnswerOk; });

    auto dialog = openDialog();
    dialog->addToPlayList({recording.toStdU16String()}, false);
    dialog->openSelectedFile();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->adapter()->frameIndex.load() > 5; }, 20000));
    QPointer<QWidget> video = dialog->findChild<QWidget*>(QStringLiteral("orvVideoWindow0"));
    ASSERT_FALSE(video.isNull());
    const QRect inWindow(24, 45, 640, 360);
    EXPECT_EQ(video->geometry(), inWindow);

    QTest::mouseDClick(video.data(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->videoPopups() && dialog->videoPopups()->left(); }, 5000));
    VideoPopupLeft* left = dialog->videoPopups()->left();
    const QRect popupVideo = left->videoRect();
    auto standsIn = [&](const QWidget* parent, const QRect& at) {
        return !video.isNull() && video->parentWidget() == parent && video->geometry() == at && video->isVisible();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return standsIn(left, popupVideo); }, 5000));
    EXPECT_TRUE(left->isVisible());

    // The picture plays on inside the popup.
    const QImage first = left->grab(popupVideo).toImage();
    EXPECT_TRUE(QTest::qWaitFor([&] { return left->grab(popupVideo).toImage() != first; }, 10000));

    // The main window moved (or was activated): the picture stays in its popup.
    video->setGeometry(0, 0, 16, 16);
    EXPECT_EQ(dialog->adapter()->NotifyMoved(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return standsIn(left, popupVideo); }, 5000));

    // A double click in the popup closes it: the picture returns.
    QTest::mouseDClick(video.data(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return standsIn(dialog.get(), inWindow); }, 5000));
    EXPECT_FALSE(left->isVisible());

    // Opened again, its close button brings the picture back too.
    ask(*dialog, WM_VIDEO_POPUP_OPEN, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return standsIn(left, popupVideo); }, 5000));
    EXPECT_EQ(left->childAt(left->closeButton()->geometry().center()), left->closeButton());
    QTest::mouseClick(left->closeButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return standsIn(dialog.get(), inWindow); }, 5000));
    EXPECT_EQ(dialog->adapter()->popup0Shown.load(), 0);
    const QImage back = dialog->grab(inWindow).toImage();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->grab(inWindow).toImage() != back; }, 10000));

    dialog->onCommand(app::control::kStop);
    setMessageBoxSink({});
}
