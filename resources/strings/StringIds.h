#pragma once
// Ids of the viewer's string table. The texts are in StringTable.cpp.

namespace kyvo::strings {

enum StringId : int {
    kVersionLine = 104,          // second line of the information window: the program's name and what it is
    kNoFilesInFolder = 108,
    kRecordedIn1Channel = 110,
    kChooseFolder = 111,
    kFolderChoiceCancelled = 112,
    kEncryptedInGeneralMode = 114,
    kGeneralInEncryptedMode = 115,
    kTabNormal = 117,
    kTabEvent = 118,
    kTabManualEvent = 119,
    kBrowseFolderTitle = 120,
    kNoInternet = 121,
    kLatitude = 122,
    kLongitude = 123,
    kPosition = 124,
    kDate = 125,
    kSpeed = 126,
    kUnitKmh = 127,
    kUnitMph = 128,
    kUnitKnots = 129,
    kPassword = 130,
    kColumnKind = 131,
    kColumnDate = 132,
    kColumnName = 133,
    kInformation = 134,
    kSave = 135,
    kNewPassword = 136,
    kConfirmPassword = 137,
    kSaveFolder = 138,
    kUsePassword = 139,
    kFileSelector = 140,
    kFolderChoice = 141,
    kAddToList = 142,
    kCancel = 143,
    kSelectAll = 144,
    kMapPageFailed = 145,
    kThirtyImages = 146,
    kCaptureDone = 147,
    kBackupDone = 148,
    kPasswordMismatch = 149,
    kCapturing = 150,
    kTitleCapture = 151,
    kTitleBackup = 152,
    kTitleSystemSettings = 153,
    kSpeedUnit = 154,
    kPasswordSetting = 155,
    kChooseFiles = 156,
    kCardFileWriteFailed = 157,  // the card settings file could not be written
    kTooManyFiles = 158,         // more than 500 files checked: the first 500 are added
    kPathTooLongToPlay = 159,    // the recording's path is longer than the player takes
    kNotARecording = 160,        // the file holds no recording (zero-filled, cut short, foreign)
    kCardFileWritten = 161,      // the card settings file was written
    kLevel = 162,                // label of the level slider of the system settings
    kBackupCopying = 163,        // progress of a backup copy; %1 the target's name
    kBackupFailed = 164,         // the backup folder could not take the copy
    kBackupSourceUnreadable = 165, // the recording could not be read for its backup
    kBackupSameFile = 166,       // the backup would be the recording itself
    kBackupCancelled = 167,      // the user cancelled the backup copy
    kCaptureNoPicture = 168,     // a capture before the recording's first frame
    kCaptureStepTimedOut = 169,  // the player did not step; %1 stills were written
    kCaptureWriteFailed = 170,   // %1 stills could not be written, %2 were
    kPrintFailed = 171,          // the print job could not be started or finished
    kWrongKey = 172,             // the password (key) does not open the encrypted recording
    kKeyRefused = 173,           // the channel dialog's password is no key: 1 to 8 hexadecimal digits, not 0
    kTripExported = 174,         // Ctrl+E wrote the trip's GPX file (%1: its path)
    kTripExportFailed = 175,     // Ctrl+E: the trip's GPX file could not be written (%1: its path)
    kTripNoTelemetry = 176,      // Ctrl+E: the recording holds no positions to export
};

} // namespace kyvo::strings
