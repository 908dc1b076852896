#include "StringTable.h"

#include "StringIds.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kyvo::strings {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id.
constexpr std::array kTable{
    Entry{kVersionLine, "Kyvo Viewer 行車紀錄檢視"},
    Entry{kNoFilesInFolder, "指定目錄下無檔案"},
    Entry{kRecordedIn1Channel, "Recorded file in 1channel. Change the channel before you play."},
    Entry{kChooseFolder, "請選擇目錄"},
    Entry{kFolderChoiceCancelled, "檔案選擇已取消"},
    Entry{kEncryptedInGeneralMode,
          "Unable to play an encrypted file in 'General View Mode'.\nPlease restart the viewer.\n"},
    Entry{kGeneralInEncryptedMode,
          "Unable to play general file in 'Encryption View Mode'\nPlease restart the viewer\n"},
    Entry{kTabNormal, "一般檔案"},
    Entry{kTabEvent, "事件檔案"},
    Entry{kTabManualEvent, "手動事件檔案"},
    Entry{kBrowseFolderTitle, "請選擇目錄"},
    Entry{kNoInternet, "無法連上網際網路"},
    Entry{kLatitude, "緯度"},
    Entry{kLongitude, "經度"},
    Entry{kPosition, "位置"},
    Entry{kDate, "日期"},
    Entry{kSpeed, "速度"},
    Entry{kUnitKmh, "公里/小時"},
    Entry{kUnitMph, "英里/小時"},
    Entry{kUnitKnots, "海里"},
    Entry{kPassword, "密碼"},
    Entry{kColumnKind, "種類"},
    Entry{kColumnDate, "日期"},
    Entry{kColumnName, "檔名"},
    Entry{kInformation, "資訊"},
    Entry{kSave, "儲存"},
    Entry{kNewPassword, "新密碼"},
    Entry{kConfirmPassword, "驗證密碼"},
    Entry{kSaveFolder, "儲存的目錄"},
    Entry{kUsePassword, "使用密碼"},
    Entry{kFileSelector, "檔案選取"},
    Entry{kFolderChoice, "目錄選擇"},
    Entry{kAddToList, "加入清單"},
    Entry{kCancel, "取消"},
    Entry{kSelectAll, "全選"},
    Entry{kMapPageFailed, "開啟Google Map失敗"},
    Entry{kThirtyImages, "30張影像"},
    Entry{kCaptureDone, "影像擷取完成"},
    Entry{kBackupDone, "備份影像儲存完成"},
    Entry{kPasswordMismatch, "驗證密碼必須與新密碼相同"},
    Entry{kCapturing, "影像擷取中,請稍待"},
    Entry{kTitleCapture, "影像擷取"},
    Entry{kTitleBackup, "備份檔案"},
    Entry{kTitleSystemSettings, "系統設定"},
    Entry{kSpeedUnit, "速度單位"},
    Entry{kPasswordSetting, "密碼設定"},
    Entry{kChooseFiles, "請選擇檔案!"},
    Entry{kCardFileWriteFailed, "無法寫入記憶卡設定檔 jxq_config.dat"},
    Entry{kTooManyFiles, "一次最多加入 500 個檔案，已加入排序後的前 500 個"},
    Entry{kPathTooLongToPlay, "檔案路徑過長，無法播放。請將檔案移至較短的資料夾路徑。"},
    Entry{kNotARecording, "檔案已損毀或不是行車紀錄影像，略過此檔案。"},
    Entry{kCardFileWritten, "記憶卡設定檔 jxq_config.dat 已儲存"},
    Entry{kLevel, "等級"},
    Entry{kBackupCopying, "正在備份 %1 …"},
    Entry{kBackupFailed, "備份失敗：無法寫入備份目錄，請確認目錄存在且有足夠空間。"},
    Entry{kBackupSourceUnreadable, "備份失敗：無法讀取原始影像檔案。"},
    Entry{kBackupSameFile, "備份目錄就是原始檔案所在的目錄，未複製。"},
    Entry{kBackupCancelled, "備份已取消，未留下不完整的檔案。"},
    Entry{kCaptureNoPicture, "影像尚未顯示，無法擷取。請先播放檔案。"},
    Entry{kCaptureStepTimedOut, "播放器未前進到下一格，擷取已停止（已儲存 %1 張）。"},
    Entry{kCaptureWriteFailed, "有 %1 張影像無法寫入擷取目錄（已儲存 %2 張）。"},
    Entry{kPrintFailed, "列印失敗：無法送出列印工作。"},
    Entry{kWrongKey, "Unable to play the encrypted file: the password (P/W) does not match it.\n"
                     "Choose 'Encryption File View Mode' again with the right password.\n"},
    Entry{kKeyRefused, "The password (P/W) must be 1 to 8 hexadecimal digits (0-9, A-F), not 0.\n"},
    Entry{kTripExported, "行程軌跡已匯出：%1"},
    Entry{kTripExportFailed, "無法寫入行程軌跡檔案：%1"},
    Entry{kTripNoTelemetry, "此檔案沒有可匯出的 GPS 位置。"},
};

constexpr bool sortedById() {
    for (std::size_t i = 1; i < kTable.size(); ++i)
        if (kTable[i - 1].id >= kTable[i].id)
            return false;
    return true;
}
static_assert(sortedById(), "the string table must be sorted by id, without duplicates");

} // namespace

std::string_view text(int id) {
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                                     [](const Entry& e, int key) { return e.id < key; });
    return it != kTable.end() && it->id == id ? it->text : std::string_view{};
}

} // namespace kyvo::strings
