// The settings popup's input rules, the password answer and the folder texts,
// without a window.

#include "FolderText.h"
#include "LevelPosition.h"
#include "PasswordEntry.h"
#include "PopupLayout.h"
#include "SettingPopupState.h"

#include <gtest/gtest.h>

using namespace kyvo::settings;

namespace {

struct SystemSettingsPopup : testing::Test {
    SystemSettingsPopup() {
        store.loadBlock(SystemSettings::defaults().toBytes());
        state.setMode(PopupMode::SystemSettingsMode);
    }
    void pressAt(kyvo::layout::Rect r) { last = state.press(r.left + 1, r.top + 1, store); }
    SystemSettingsStore store;
    SettingPopupState state;
    PressOutcome last;
};

} // namespace

TEST(SettingPopupRules, TheOpenListsRowsAndItsBottomEdgeChooseTheUnit) {
    EXPECT_EQ(unitFromListY(104), kSpeedUnitKmh);
    EXPECT_EQ(unitFromListY(127), kSpeedUnitKmh);
    EXPECT_EQ(unitFromListY(128), kSpeedUnitMph);
    EXPECT_EQ(unitFromListY(153), kSpeedUnitKnots);
    EXPECT_EQ(unitFromListY(177), kSpeedUnitKnots);
    EXPECT_EQ(unitFromListY(203), kSpeedUnitKnots);
}

TEST(SettingPopupRules, TheDraggedPositionStaysOnTheTrack) {
    EXPECT_EQ(levelPositionFromX(-50), 0);
    EXPECT_EQ(levelPositionFromX(36), 0);
    EXPECT_EQ(levelPositionFromX(37), 0);
    EXPECT_EQ(levelPositionFromX(100), 63);
    EXPECT_EQ(levelPositionFromX(250), 213);
    EXPECT_EQ(levelPositionFromX(251), 213);
    EXPECT_EQ(levelPositionFromX(5000), 213);
}

TEST_F(SystemSettingsPopup, TheFoldButtonOpensTheListAndARowChoosesTheUnitAndFoldsIt) {
    pressAt(popup::kFoldButton);
    EXPECT_TRUE(state.unitListOpen());
    state.press(30, popup::kUnitNameY[1] + 2, store);
    EXPECT_EQ(store.live().speedUnit(), kSpeedUnitMph);
    EXPECT_FALSE(state.unitListOpen());
    // Folded, the same place is the password label: nothing changes.
    state.press(100, popup::kUnitNameY[2] + 2, store);
    EXPECT_EQ(store.live().speedUnit(), kSpeedUnitMph);
    EXPECT_EQ(store.live().usePassword(), 0);
}

TEST_F(SystemSettingsPopup, TheOpenListCoversThePasswordCheckBox) {
    pressAt(popup::kFoldButton);
    pressAt(popup::kCheckBox); // its top edge lies on the second row
    EXPECT_EQ(store.live().speedUnit(), kSpeedUnitMph);
    EXPECT_EQ(store.live().usePassword(), 0);
    EXPECT_EQ(last.passwordPopup, PasswordPopupChange::None);
}

TEST_F(SystemSettingsPopup, ThePasswordCheckBoxOpensAndClosesThePasswordPopup) {
    pressAt(popup::kCheckBox);
    EXPECT_EQ(store.live().usePassword(), 1);
    EXPECT_EQ(last.passwordPopup, PasswordPopupChange::Show);
    pressAt(popup::kCheckBox);
    EXPECT_EQ(store.live().usePassword(), 0);
    EXPECT_EQ(last.passwordPopup, PasswordPopupChange::Hide);
}

TEST_F(SystemSettingsPopup, DraggingTheThumbSetsTheLevelAndPressesWaitForTheRelease) {
    const auto thumb = popup::levelThumb(store.levelPosition());
    pressAt(thumb);
    ASSERT_TRUE(last.startDrag);
    // The fold button is not taken while the drag runs.
    pressAt(popup::kFoldButton);
    EXPECT_FALSE(state.unitListOpen());
    EXPECT_TRUE(state.drag(popup::kDragFirstX, store));
    EXPECT_EQ(store.levelPosition(), 0);
    EXPECT_EQ(store.live().level(), 0);
    EXPECT_TRUE(state.drag(400, store));
    EXPECT_EQ(store.live().level(), kMaxLevel);
    state.release();
    EXPECT_FALSE(state.drag(100, store));
    EXPECT_EQ(store.levelPosition(), kMaxLevelPosition);
}

TEST_F(SystemSettingsPopup, APressOnTheUnitFieldNeverMovesTheLevel) {
    for (int x = popup::kUnitField.left; x < popup::kFoldButton.left; x += 5)
        EXPECT_FALSE(state.press(x, popup::kUnitTextAt.y + 2, store).startDrag) << x;
}

TEST_F(SystemSettingsPopup, ExitWaitsForAnOpenChildPopupAndOtherwiseNotifiesTheMainWindow) {
    EXPECT_EQ(state.exit(true, false, store).kind, ExitAction::Ignore);
    EXPECT_EQ(state.mode(), PopupMode::SystemSettingsMode);
    EXPECT_EQ(state.confirm(true, false, store), ConfirmAction::Ignore);
    store.setLevelPosition(0);
    EXPECT_EQ(state.confirm(false, false, store), ConfirmAction::OpenCardSave);
    EXPECT_EQ(store.live().level(), 0);

    pressAt(popup::kFoldButton);
    const ExitAction exit = state.exit(false, false, store);
    EXPECT_EQ(exit.kind, ExitAction::NotifyDone);
    EXPECT_EQ(exit.wParam, 0u);
    EXPECT_EQ(exit.lParam, 0);
    EXPECT_EQ(state.mode(), PopupMode::Idle);
    EXPECT_FALSE(state.unitListOpen());
}

TEST(SettingPopupRules, CaptureModeTellsTheMainWindowAboutThirtyImagesAndWhatRan) {
    SystemSettingsStore store;
    SettingPopupState state;
    state.setMode(PopupMode::ImageCapture);
    state.press(popup::kCheckBox.left, popup::kCheckBox.top, store);
    EXPECT_TRUE(state.thirtyImages());
    EXPECT_EQ(state.confirm(false, true, store), ConfirmAction::Ignore);
    EXPECT_EQ(state.exit(false, true, store).kind, ExitAction::Ignore);
    EXPECT_EQ(state.confirm(false, false, store), ConfirmAction::StartCapture);
    state.markCaptured();
    const ExitAction exit = state.exit(false, false, store);
    EXPECT_EQ(exit.kind, ExitAction::NotifyDone);
    EXPECT_EQ(exit.wParam, 1u);
    EXPECT_EQ(exit.lParam, 1);
    EXPECT_FALSE(state.thirtyImages());
    EXPECT_EQ(state.captured(), 0);

    state.setMode(PopupMode::Backup);
    EXPECT_EQ(state.confirm(false, false, store), ConfirmAction::RequestBackup);
    EXPECT_EQ(state.exit(false, false, store).kind, ExitAction::HideOnly);
}

TEST(PasswordAnswer, EqualDigitEntriesAreAcceptedAndStoredAsFourDigits) {
    SystemSettings block = SystemSettings::defaults();
    block.setUsePassword(1);
    EXPECT_FALSE(applyPasswordAnswer(block, passwordAnswer("7", "7")));
    EXPECT_EQ(block.password(), "0007");
    EXPECT_EQ(block.usePassword(), 1);
    EXPECT_EQ(passwordAnswer("0000", "0000"), (PasswordAnswer{0, true}));
    EXPECT_FALSE(applyPasswordAnswer(block, passwordAnswer("0000", "0000")));
    EXPECT_EQ(block.password(), "0000");
    EXPECT_EQ(passwordAnswer("9876", "9876"), (PasswordAnswer{9876, true}));
}

TEST(PasswordAnswer, MismatchesAreRefusedWithTheMessageAndCancelQuietly) {
    for (const auto& [first, second] : {std::pair{"1234", "1235"}, {"", ""}, {"12", ""}, {"12a", "12a"},
                                        {"12345", "12345"}})
        EXPECT_EQ(passwordAnswer(first, second), kPasswordRejected) << first << " / " << second;

    SystemSettings block = SystemSettings::defaults();
    block.setUsePassword(1);
    block.setPassword("1111");
    EXPECT_TRUE(applyPasswordAnswer(block, kPasswordRejected));
    EXPECT_EQ(block.usePassword(), 0);
    block.setUsePassword(1);
    EXPECT_FALSE(applyPasswordAnswer(block, kPasswordCancelled));
    EXPECT_EQ(block.usePassword(), 0);
    EXPECT_EQ(block.password(), "1111");
}

TEST(FolderText, ChosenFoldersEndInOneSeparatorAndLongOnesAreCutByCharacter) {
    EXPECT_EQ(withTrailingSeparator("/media/user/CARD"), "/media/user/CARD/");
    EXPECT_EQ(withTrailingSeparator("/"), "/");
    EXPECT_EQ(withTrailingSeparator("/tmp/"), "/tmp/");
    EXPECT_EQ(withTrailingSeparator(""), "");

    EXPECT_EQ(folderBoxText("/media/card"), "/media/card");
    EXPECT_EQ(folderBoxText("/media/card12"), "/media/card12...");
    EXPECT_EQ(folderBoxText("/media/user/CARD/"), "/media/user/C...");
    // Thirteen characters of which the last is three bytes long.
    EXPECT_EQ(folderBoxText("/home/影像擷取影像擷取影像擷取"), "/home/影像擷取影像擷...");
}
