// The platform services: string table, message boxes, fonts, skin images,
// the registry-like store and the injectable folder browser. The connection
// probe is tested through the main window (ConnectionNoticeTest.cpp).

#include "FolderBrowser.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "RegistryStore.h"
#include "Skin.h"
#include "StringIds.h"
#include "Strings.h"

#include "Contrast.h"
#include "QtTempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kyvo;

TEST(StringTable, QuotedTextsAreExactAndUnknownIdsEmpty) {
    EXPECT_EQ(loadString(strings::kPassword), QString::fromUtf8("密碼"));
    EXPECT_EQ(loadString(strings::kUnitKmh), QString::fromUtf8("公里/小時"));
    EXPECT_EQ(loadString(strings::kCapturing), QString::fromUtf8("影像擷取中,請稍待"));
    EXPECT_EQ(loadString(strings::kEncryptedInGeneralMode),
              QStringLiteral("Unable to play an encrypted file in 'General View Mode'.\nPlease restart the viewer.\n"));
    EXPECT_EQ(loadString(strings::kRecordedIn1Channel),
              QStringLiteral("Recorded file in 1channel. Change the channel before you play."));
    EXPECT_TRUE(loadString(103).isEmpty());
    EXPECT_TRUE(loadString(0).isEmpty());
    EXPECT_TRUE(loadString(99999).isEmpty());
}

TEST(MessageBox, ASinkRecordsTheTextInsteadOfBlocking) {
    std::vector<MessageBoxRequest> shown;
    setMessageBoxSink([&](const MessageBoxRequest& request) {
        shown.push_back(request);
        return kAnswerOk;
    });
    EXPECT_EQ(messageBox(nullptr, strings::kNoFilesInFolder, MessageIcon::Information), kAnswerOk);
    messageBox(nullptr, QStringLiteral("plain"));
    setMessageBoxSink({});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QString::fromUtf8("指定目錄下無檔案"));
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(shown[1].text, QStringLiteral("plain"));
}

// The real box over a dark window: centred over it, and its text keeps the
// box's own readable colours instead of the window's style.
TEST(MessageBox, TheRealBoxOverADarkWindowReadsClearlyAndStandsCentred) {
    QWidget window;
    window.setStyleSheet(QStringLiteral("QWidget { background: #15181c; color: #2a2e33; }"));
    window.setGeometry(100, 80, 500, 400);
    window.show();
    double contrast = 0;
    QPoint offset;
    QTimer::singleShot(300, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        contrast = test::textContrast(*box, *label);
        offset = box->frameGeometry().center() - window.frameGeometry().center();
        box->accept();
    });
    messageBox(&window, strings::kNoFilesInFolder, MessageIcon::Information);
    EXPECT_GE(contrast, 4.5);
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST(Fonts, PointFontsKeepTheirPixelHeightAtEveryDisplayScale) {
    // 12 pt at 96 DPI is 16 pixels; dividing by the scale keeps it there.
    EXPECT_EQ(pointFont(120, 1.0).pixelSize(), 16);
    EXPECT_EQ(pointFont(120, 1.5).pixelSize(), 16);
    EXPECT_EQ(pointFont(120, 2.0).pixelSize(), 16);
    EXPECT_EQ(pointFont(140, 1.0).pixelSize(), 19);
    EXPECT_EQ(pointFont(100, 1.25).pixelSize(), 13);
    EXPECT_EQ(pointFont(120, 0.0).pixelSize(), 16); // no scale measured yet
    EXPECT_EQ(pixelFont(18).pixelSize(), 18);
}

TEST(Skin, ImagesComeFromTheSkinFolderAndMissingOnesAreNull) {
    const test::QtTempFolder dir;
    QImage image(7, 9, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("266.png"))));
    const QString previous = skinDirectory();
    setSkinDirectory(dir.path());
    const QImage loaded = skinImage(266);
    EXPECT_EQ(loaded.size(), QSize(7, 9));
    EXPECT_EQ(loaded.pixel(3, 4), QColor(10, 20, 30).rgb());
    EXPECT_TRUE(skinImage(12345).isNull());
    setSkinDirectory(previous);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    test::QtTempFolder dir;
    QString file() const { return dir.filePath(QStringLiteral("store.ini")); }
};

TEST_F(RegistryStoreTest, EveryByteValueRoundTripsAcrossReopening) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    bytes.append("2?21?0?0?????128?");
    {
        RegistryStore store(file());
        EXPECT_TRUE(store.write(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue), bytes));
    }
    RegistryStore reopened(file());
    const auto read = reopened.read(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, bytes);
}

TEST_F(RegistryStoreTest, KeysAreSeparateAndMissingValuesAreNothing) {
    RegistryStore store(file());
    const QString viewer = QString::fromLatin1(kViewerConfigKey);
    const QString usb = QString::fromLatin1(kUsbConfigKey);
    EXPECT_FALSE(store.read(viewer, QStringLiteral("config")).has_value());
    ASSERT_TRUE(store.write(usb, QStringLiteral("stConfig"), QByteArray(336, '\x01')));
    ASSERT_TRUE(store.write(viewer, QStringLiteral("config"), QByteArray("abc")));
    EXPECT_EQ(store.read(usb, QStringLiteral("stConfig"))->size(), 336);
    EXPECT_EQ(*store.read(viewer, QStringLiteral("config")), QByteArray("abc"));
    EXPECT_FALSE(store.read(usb, QStringLiteral("config")).has_value());
    // An empty value is a value.
    ASSERT_TRUE(store.write(viewer, QStringLiteral("config"), QByteArray()));
    ASSERT_TRUE(store.read(viewer, QStringLiteral("config")).has_value());
    EXPECT_TRUE(store.read(viewer, QStringLiteral("config"))->isEmpty());
}

TEST_F(RegistryStoreTest, AStoreThatCannotBeWrittenSaysSo) {
    // A folder stands where the file should be.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("store.ini")));
    RegistryStore store(file());
    EXPECT_FALSE(store.write(QString::fromLatin1(kViewerConfigKey), QStringLiteral("config"), QByteArray("x")));
}

TEST(InjectableServices, FolderBrowserAnswersAsInstalled) {
    setFolderChooser([](const QString& title, const QString& start) { return title + QLatin1Char('|') + start; });
    EXPECT_EQ(browseForFolder(nullptr, QStringLiteral("t"), QStringLiteral("/s")), QStringLiteral("t|/s"));
    setFolderChooser({});
}

// A browse starts in the current folder, else where the user's cards are
// mounted, else the home folder.
TEST(FolderBrowser, StartFolderInItsThreeCases) {
    const test::QtTempFolder dir;
    const QString current = dir.filePath(QStringLiteral("card"));
    const QString media = dir.filePath(QStringLiteral("media/user"));
    const QString runMedia = dir.filePath(QStringLiteral("run/media/user"));
    const QString home = dir.filePath(QStringLiteral("home"));
    for (const QString& folder : {current, runMedia, home})
        ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(kyvo::browseStartFolder(current, {media, runMedia}, home), current);
    EXPECT_EQ(kyvo::browseStartFolder(QString(), {media, runMedia}, home), runMedia);
    EXPECT_EQ(kyvo::browseStartFolder(dir.filePath(QStringLiteral("gone")), {media, runMedia}, home), runMedia);
    ASSERT_TRUE(QDir().mkpath(media));
    EXPECT_EQ(kyvo::browseStartFolder(QString(), {media, runMedia}, home), media);
    EXPECT_EQ(kyvo::browseStartFolder(QString(), {dir.filePath(QStringLiteral("none"))}, home), home);
}
