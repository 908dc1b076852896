// The main window: start-up screens, the password gate, the configuration it
// keeps, dragging, and pixels of the painted main screen.

#include "CJXQ_PCMgrDlg.h"
#include "FileUpPage.h"
#include "FilesOpenPopup.h"
#include "FolderBrowser.h"
#include "SelectorControls.h"
#include "MessageBox.h"
#include "ROVUAdap.h"
#include "StringIds.h"
#include "Strings.h"
#include "RegistryStore.h"
#include "SettingPopup.h"
#include "PlaybackControls.h"
#include "SkinLayout.h"
#include "Skin.h"
#include "SkinButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kyvo;
using namespace kyvo::app;

namespace {

const QString kKey = QString::fromLatin1(kViewerConfigKey);
const QString kValue = QString::fromLatin1(kViewerConfigValue);

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString storeFile() const { return dir.filePath(QStringLiteral("viewer.ini")); }

    void storeConfig(const QByteArray& text) {
        RegistryStore store(storeFile());
        ASSERT_TRUE(store.write(kKey, kValue, text));
    }

    QByteArray storedConfig() const {
        RegistryStore store(storeFile());
        return store.read(kKey, kValue).value_or(QByteArray("<none>"));
    }

    std::unique_ptr<CJXQ_PCMgrDlg> openDialog() {
        auto dialog = std::make_unique<CJXQ_PCMgrDlg>(std::make_unique<RegistryStore>(storeFile()));
        dialog->initDialog();
        dialog->show();
        return dialog;
    }

    static void typeAndEnter(CJXQ_PCMgrDlg& dialog, const QString& entry) {
        QLineEdit* edit = dialog.passwordEdit();
        edit->setFocus();
        QTest::keyClicks(edit, entry);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static bool waitForUnlock(CJXQ_PCMgrDlg& dialog) {
        return QTest::qWaitFor([&] { return !dialog.unlockAnimationRunning(); }, 5000);
    }
};

// The region of the grabbed window equals the skin image placed there.
bool showsImage(const QImage& window, int bitmapId, QPoint at) {
    const QImage image = skinImage(bitmapId);
    if (image.isNull())
        return false;
    return window.copy(QRect(at, image.size())).convertToFormat(QImage::Format_RGB32) == image;
}

} // namespace

TEST_F(MainWindowTest, WithoutAPasswordTheMainScreenOpensAtTheOrigin) {
    auto dialog = openDialog();
    EXPECT_TRUE(dialog->unlocked());
    EXPECT_EQ(dialog->size(), QSize(1020, 780));
    EXPECT_EQ(dialog->pos(), QPoint(0, 0));
    EXPECT_EQ(dialog->button(control::kClose)->pos(), QPoint(955, 1));
    EXPECT_FALSE(dialog->passwordEdit()->isVisible());
    EXPECT_FALSE(dialog->button(control::kPasswordOk)->isVisible());
    EXPECT_TRUE(dialog->button(control::kUsb)->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Kyvo Viewer"));
}

TEST_F(MainWindowTest, PaintedMainScreenShowsHeaderDigitsAndButtons) {
    auto dialog = openDialog();
    const QImage window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(window.size(), QSize(1020, 780));
    // The play-list header line, colour 0xD9D285 as a COLORREF.
    const QRgb headerColour = qRgb(0x85, 0xD2, 0xD9);
    EXPECT_EQ(window.pixel(700, 605), headerColour);
    EXPECT_EQ(window.pixel(1000, 605), headerColour);
    EXPECT_EQ(window.pixel(725, 700), headerColour);
    EXPECT_EQ(window.pixel(795, 590), headerColour);
    // Speed 0 shows as three zero digits.
    EXPECT_TRUE(showsImage(window, bitmap::kDigitFirst, {210, 600}));
    EXPECT_TRUE(showsImage(window, bitmap::kDigitFirst, {240, 600}));
    // The close button at (955, 1), the play button and the km/h sign.
    EXPECT_TRUE(showsImage(window, bitmap::kCloseNormal, {955, 1}));
    EXPECT_TRUE(showsImage(window, bitmap::kPlayNormal, {428, 431}));
    EXPECT_TRUE(showsImage(window, bitmap::kUnitKmh, {200, 638}));
    // The volume knob at its start position 128, the speed knob at 56.
    EXPECT_TRUE(showsImage(window, bitmap::kSliderKnob, {847 + 128, 498}));
    EXPECT_TRUE(showsImage(window, bitmap::kSliderKnob, {644 + 56, 498}));
    // The scroll track colour.
    EXPECT_EQ(window.pixel(992, 680), qRgb(0x23, 0x23, 0x23));
}

// The window and the skin generator read one layout: every image the
// generator paints a background for stands on the idle main screen exactly
// at the generator's place for it.
TEST_F(MainWindowTest, EveryControlStandsWhereTheSkinPaintsItsImage) {
    auto dialog = openDialog();
    const QImage window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto placed = [](int id) {
        const skin::layout::Placement* placement = skin::layout::findPlacement(id);
        return placement ? placement->at : QPoint(-1, -1);
    };
    for (const BitmapButtonSpec& entry : kBitmapButtons) {
        if (entry.id == control::kPasswordOk)
            continue; // the password screen's
        SCOPED_TRACE(entry.id);
        EXPECT_EQ(placed(entry.normalImage), QPoint(entry.place.x, entry.place.y));
        EXPECT_EQ(dialog->button(entry.id)->pos(), QPoint(entry.place.x, entry.place.y));
        EXPECT_TRUE(showsImage(window, entry.normalImage, placed(entry.normalImage)));
    }
    // Icons, unit sign and list arrows at the generator's places (the bars'
    // left caps lie partly under their knobs).
    for (const int id : {bitmap::kPlaybackSpeedIcon, bitmap::kVolumeOnIcon, bitmap::kUnitKmh,
                         bitmap::kScrollUp, bitmap::kScrollDown}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(showsImage(window, id, placed(id)));
    }
    // Knobs at their start positions and the zero digits, by the generator's bars.
    const auto& layout = skin::layout::kProgressBar;
    EXPECT_TRUE(showsImage(window, bitmap::kProgressKnob, {layout.knobLeft, layout.knobTop}));
    EXPECT_TRUE(showsImage(window, bitmap::kSliderKnob,
                           {skin::layout::kSpeedBar.knobLeft + kSpeedStartPosition, skin::layout::kSpeedBar.knobTop}));
    EXPECT_TRUE(showsImage(window, bitmap::kSliderKnob,
                           {skin::layout::kVolumeBar.knobLeft + kVolumeStartPosition, skin::layout::kVolumeBar.knobTop}));
    for (const QPoint at : skin::layout::kSpeedDigits)
        EXPECT_TRUE(showsImage(window, bitmap::kDigitFirst, at));
    // The hidden step buttons sit on the progress bar's row.
    for (const PushButtonSpec& entry : kHiddenStepButtons)
        EXPECT_TRUE(kProgressRegion.contains(Rect::edges(entry.rect.left, entry.rect.top, entry.rect.right,
                                                         std::min(entry.rect.bottom, kProgressRegion.bottom))));
}

TEST_F(MainWindowTest, FirstRunWritesTheDefaultConfiguration) {
    {
        auto dialog = openDialog();
        dialog->onCommand(control::kClose);
        EXPECT_TRUE(dialog->ended());
    }
    EXPECT_EQ(storedConfig(), QByteArray("2?21?0?0?????128??1?0??1?0???"));
}

TEST_F(MainWindowTest, ConfigurationRoundTripKeepsSettingsAndFoldersButNotTheVolume) {
    storeConfig("3?7?2?0?5678?0???40?/media/card/相片?1?0?/home/u/backup?1?0?/media/card?");
    {
        auto dialog = openDialog();
        EXPECT_EQ(dialog->volumePosition(), 128);
        EXPECT_EQ(dialog->settingPopup()->speedUnit(), 2);
        EXPECT_EQ(dialog->settingPopup()->store().backupFolder(), "/home/u/backup");
        dialog->endDialog(2);
    }
    EXPECT_EQ(storedConfig(),
              QByteArray("3?7?2?0?5678????128?/media/card/相片?1?0?/home/u/backup?1?0?/media/card??"));
}

TEST_F(MainWindowTest, GarbledConfigurationGivesWhatCanBeRead) {
    QByteArray garbage(600, '\xFF');
    garbage[3] = '?';
    storeConfig(garbage);
    auto dialog = openDialog();
    EXPECT_TRUE(dialog->unlocked());
    EXPECT_EQ(dialog->volumePosition(), 128);
}

TEST_F(MainWindowTest, PasswordScreenUnlocksWithThePaddedEntry) {
    storeConfig("2?21?0?1?0007?????128?");
    auto dialog = openDialog();
    ASSERT_FALSE(dialog->unlocked());
    EXPECT_EQ(dialog->size(), QSize(440, 300));
    EXPECT_TRUE(dialog->passwordEdit()->isVisible());
    EXPECT_EQ(dialog->button(control::kClose)->pos(), QPoint(390, 1));
    EXPECT_FALSE(dialog->button(control::kPlay)->isVisible());

    typeAndEnter(*dialog, QStringLiteral("7"));
    EXPECT_FALSE(dialog->ended());
    EXPECT_TRUE(dialog->unlockAnimationRunning());
    ASSERT_TRUE(waitForUnlock(*dialog));
    EXPECT_TRUE(dialog->unlocked());
    EXPECT_EQ(dialog->size(), QSize(1020, 780));
    EXPECT_EQ(dialog->pos(), QPoint(0, 0));
    EXPECT_EQ(dialog->button(control::kClose)->pos(), QPoint(955, 1));
    EXPECT_FALSE(dialog->passwordEdit()->isVisible());
    EXPECT_FALSE(dialog->button(control::kPasswordOk)->isVisible());
    EXPECT_TRUE(dialog->button(control::kPlay)->isVisible());
}

TEST_F(MainWindowTest, AWrongPasswordEndsTheProgramAndStillWritesTheConfiguration) {
    storeConfig("2?21?0?1?1234?????128?");
    auto dialog = openDialog();
    typeAndEnter(*dialog, QStringLiteral("1235"));
    EXPECT_TRUE(dialog->ended());
    EXPECT_FALSE(dialog->unlocked());
    EXPECT_TRUE(storedConfig().startsWith("2?21?0?1?1234?"));
}

TEST_F(MainWindowTest, WithoutAStoredPasswordAnEmptyEntryUnlocksAndAnyOtherEnds) {
    storeConfig("2?21?0?1??????128?");
    {
        auto dialog = openDialog();
        dialog->onCommand(control::kPasswordOk);
        EXPECT_FALSE(dialog->ended());
        EXPECT_TRUE(waitForUnlock(*dialog));
        EXPECT_TRUE(dialog->unlocked());
    }
    storeConfig("2?21?0?1??????128?");
    auto dialog = openDialog();
    typeAndEnter(*dialog, QStringLiteral("0"));
    EXPECT_TRUE(dialog->ended());
}

TEST_F(MainWindowTest, EscapeAndEnterElsewhereDoNothing) {
    storeConfig("2?21?0?1?1234?????128?");
    auto dialog = openDialog();
    QTest::keyClick(dialog->passwordEdit(), Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->ended());
    EXPECT_FALSE(dialog->unlocked());
    // The edit takes digits only, four at most.
    QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("12ab345"));
    EXPECT_EQ(dialog->passwordEdit()->text(), QStringLiteral("1234"));
}

TEST_F(MainWindowTest, OnlyTheTopStripDragsTheWindow) {
    auto dialog = openDialog();
    const QPoint start = dialog->pos();
    QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(500, 40));
    QTest::mouseMove(dialog.get(), QPoint(560, 90));
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(560, 90));
    EXPECT_EQ(dialog->pos(), start);

    QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(500, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(560, 60), dialog->mapToGlobal(QPointF(560, 60)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.get(), &move);
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(560, 60));
    EXPECT_EQ(dialog->pos(), start + QPoint(60, 40));
}

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

TEST_F(MainWindowTest, ARecordingOfTheOtherViewModeEndsTheProgramAfterItsMessage) {
    struct Case {
        int viewMode;
        QByteArray header;
        int stringId;
    };
    const std::vector<Case> cases{
        // Scrambled: the first box's header is not plain, the box after it is.
        {0, QByteArray("\x00\x00\x00\x20xxxx", 8) + QByteArray(24, '\x01') + QByteArray("\x00\x00\x00\x08" "free", 8),
         strings::kEncryptedInGeneralMode},
        {1, QByteArray("\x00\x00\x00\x20" "ftyp", 8) + QByteArray(56, '\x00'), strings::kGeneralInEncryptedMode},
    };
    for (const Case& c : cases) {
        std::vector<QString> shown;
        setMessageBoxSink([&](const MessageBoxRequest& request) {
            shown.push_back(request.text);
            return kAnswerOk;
        });
        const QString path = writeFile(dir, QStringLiteral("drf_20240612_081500.mov"), c.header);
        ASSERT_FALSE(path.isEmpty());
        {
            auto dialog = openDialog();
            dialog->adapter()->encryptedViewMode.store(c.viewMode);
            dialog->addToPlayList({path.toStdU16String()}, false);
            dialog->openSelectedFile();
            EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->ended(); }, 5000));
        }
        setMessageBoxSink({});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], loadString(c.stringId));
        EXPECT_TRUE(storedConfig().startsWith("2?21?0?0?")); // the configuration was written on the way out
    }
}

TEST_F(MainWindowTest, AMissingOrEmptyRecordingPlaysNothingAndShowsNoMessage) {
    std::vector<QString> shown;
    setMessageBoxSink([&](const MessageBoxRequest& request) {
        shown.push_back(request.text);
        return kAnswerOk;
    });
    auto dialog = openDialog();
    dialog->addToPlayList({dir.filePath(QStringLiteral("missing.mov")).toStdU16String(),
                           writeFile(dir, QStringLiteral("drf_20240612_081500.mov"), QByteArray()).toStdU16String()},
                          false);
    for (int row = 0; row < 2; ++row) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(750, 608 + 18 * row + 5));
        ASSERT_EQ(dialog->playList().selected(), row);
        dialog->openSelectedFile();
    }
    setMessageBoxSink({});
    EXPECT_FALSE(dialog->playing());
    EXPECT_TRUE(shown.empty());
}

// Files that hold no recording at all (zero-filled by a power loss) are
// skipped with a message each; a list of nothing else stops after one round.
TEST_F(MainWindowTest, FilesThatAreNoRecordingAreSkippedOnce) {
    std::vector<QString> shown;
    setMessageBoxSink([&](const MessageBoxRequest& request) {
        shown.push_back(request.text);
        return kAnswerOk;
    });
    auto dialog = openDialog();
    dialog->addToPlayList({writeFile(dir, QStringLiteral("drf_20240612_081500.mov"), QByteArray(4096, '\0')).toStdU16String(),
                           writeFile(dir, QStringLiteral("drf_20240612_081600.mov"), QByteArray(4, '\x7f')).toStdU16String()},
                          false);
    dialog->openSelectedFile();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.size() == 2; }, 5000));
    QTest::qWait(100); // a third message would come now
    setMessageBoxSink({});
    EXPECT_FALSE(dialog->ended());
    EXPECT_FALSE(dialog->playing());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], loadString(strings::kNotARecording));
}

namespace {

std::vector<std::u16string> cardNames(const QTemporaryDir& dir, int n) {
    std::vector<std::u16string> paths;
    const char* markers[] = {"drf_", "evt_", "muevt_"};
    for (int i = 0; i < n; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s202406%02d_0815%02d.mov", markers[i % 3], 13 + i, i);
        paths.push_back(dir.filePath(QString::fromLatin1(name)).toStdU16String());
    }
    return paths;
}

const QRgb kSelectedRow = qRgb(0xAA, 0xFF, 0x4B);

} // namespace

TEST_F(MainWindowTest, PlayListRowsArePaintedAndFollowClicks) {
    auto dialog = openDialog();
    const auto paths = cardNames(dir, 15);
    dialog->addToPlayList(paths, false);
    QImage window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(window.pixel(690, 612), kSelectedRow);           // row 0 is selected
    EXPECT_NE(window.pixel(690, 612 + 18), kSelectedRow);      // row 1 is not
    EXPECT_TRUE(showsImage(window, bitmap::kKindNormal, {700, 610}));
    EXPECT_TRUE(showsImage(window, bitmap::kKindEvent, {700, 628}));
    EXPECT_TRUE(showsImage(window, bitmap::kKindManual, {700, 646}));
    // Three pages: the thumb is drawn in its colour.
    ASSERT_EQ(dialog->playList().pageCount(), 3);
    EXPECT_EQ(window.pixel(992, dialog->playList().thumb().top + 2), qRgb(0x87, 0x87, 0x87));

    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(760, 608 + 18 * 3 + 9));
    EXPECT_EQ(dialog->playList().selected(), 3);
    window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(window.pixel(690, 608 + 18 * 3 + 4), kSelectedRow);
    EXPECT_NE(window.pixel(690, 612), kSelectedRow);

    // The down arrow turns the page; the rows show the next seven files.
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(992, 730));
    EXPECT_EQ(dialog->playList().page(), 1);
    window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(showsImage(window, bitmap::kKindEvent, {700, 610})); // file 7 is an event recording
    // A click below the last row of the last page selects nothing.
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(992, 730));
    ASSERT_EQ(dialog->playList().page(), 2);
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(760, 608 + 18 * 3));
    EXPECT_EQ(dialog->playList().selected(), 3);
}

// A double click as the window system delivers it: press and release, then
// the second press as a double click, and its release.
void realDoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent second(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &second);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

TEST_F(MainWindowTest, ADoubleClickActsOnlyOnARow) {
    auto dialog = openDialog();
    dialog->addToPlayList(cardNames(dir, 15), false);
    // On the down arrow: the first click of the pair turns one page, the
    // second adds nothing.
    realDoubleClick(dialog.get(), QPoint(992, 730));
    EXPECT_EQ(dialog->playList().page(), 1);
    realDoubleClick(dialog.get(), QPoint(200, 300));
    EXPECT_EQ(dialog->playList().page(), 1);
    EXPECT_EQ(dialog->playList().playingIndex(), -1);
}

TEST_F(MainWindowTest, OpeningARowPlacesTheThumbByThe96PixelRule) {
    auto dialog = openDialog();
    dialog->addToPlayList(cardNames(dir, 8), false); // two pages; missing files play nothing
    ASSERT_EQ(dialog->playList().thumb().bottom, 627 + 49); // 98 / 2 right after adding
    QTest::mouseDClick(dialog.get(), Qt::LeftButton, {}, QPoint(760, 608 + 18 + 9));
    EXPECT_EQ(dialog->playList().playingIndex(), 1);
    EXPECT_EQ(dialog->playList().thumb().top, 627);
    EXPECT_EQ(dialog->playList().thumb().bottom, 627 + 48); // 96 / 2 once a file opens
}

TEST_F(MainWindowTest, DoubleClickPlaysTheRowAndClearingTheListStops) {
    QProcess ffmpeg;
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                            "testsrc2=size=320x240:rate=30", "-t", "2", "-c:v", "libx264", "-preset",
                                            "ultrafast", "-pix_fmt", "yuv420p", "-f", "mov", recording});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    auto dialog = openDialog();
    auto paths = cardNames(dir, 2);
    paths.push_back(recording.toStdU16String());
    dialog->addToPlayList(paths, true); // sorted: drf_20240612_081500 comes first
    ASSERT_EQ(QString::fromStdU16String(*dialog->playList().path(0)), recording);

    QTest::mouseDClick(dialog.get(), Qt::LeftButton, {}, QPoint(760, 608 + 9));
    EXPECT_TRUE(dialog->playing());
    EXPECT_EQ(dialog->playList().playingIndex(), 0);
    EXPECT_EQ(dialog->currentFile(), recording);
    // The video window appears once the player runs.
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->adapter()->frameIndex.load() > 0; }, 20000));
    // A double click on the row that plays does nothing.
    QTest::mouseDClick(dialog.get(), Qt::LeftButton, {}, QPoint(760, 608 + 9));
    EXPECT_EQ(dialog->playList().playingIndex(), 0);

    dialog->onCommand(control::kClearList);
    EXPECT_FALSE(dialog->playing());
    EXPECT_TRUE(dialog->playList().empty());
    EXPECT_EQ(dialog->playList().playingIndex(), -1);
}

TEST_F(MainWindowTest, TheFileSelectorFillsThePlayListAndCancelHidesIt) {
    QDir(dir.path()).mkdir(QStringLiteral("card"));
    const QString card = dir.filePath(QStringLiteral("card"));
    for (const char* name : {"drf_20240612_081700.mov", "drf_20240612_081500.mov", "DRF_odd.mov", "evt_20240612_081600.mov",
                             "drf_20240612_081800.mjpg"})
        writeFile(dir, QStringLiteral("card/") + QLatin1String(name), QByteArray("x"));
    setFolderChooser([&](const QString&, const QString&) { return card; });
    auto dialog = openDialog();
    dialog->onCommand(control::kOpenFiles);
    FilesOpenPopup* popup = dialog->filesPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->shown());
    auto button = [&](QWidget* parent, int id) {
        return parent->findChild<QAbstractButton*>(recordings::controlName(id));
    };
    button(popup, recordings::control::kFolderChoice)->click();
    FileUpPage* page = popup->page(0);
    ASSERT_EQ(page->itemCount(), 2); // the normal recordings only
    button(page, page->controls().selectAll)->click();
    button(popup, recordings::control::kAddToList)->click();
    setFolderChooser({});
    EXPECT_FALSE(popup->shown());
    ASSERT_EQ(dialog->playList().count(), 2u);
    EXPECT_EQ(QString::fromStdU16String(*dialog->playList().path(0)), card + QStringLiteral("/drf_20240612_081500.mov"));
    EXPECT_FALSE(dialog->playing()); // adding plays nothing

    dialog->onCommand(control::kOpenFiles);
    EXPECT_TRUE(popup->shown());
    button(popup, recordings::control::kCancel)->click();
    EXPECT_FALSE(popup->shown());
}
