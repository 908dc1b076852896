// File selector benchmark: a folder of 10,000 recordings and 10,000 other
// files is scanned into the selector's page, every file is checked and the
// files are added to the main window's play list — the whole user path through
// the real windows, timed end to end. `ls` of the same folder is the anchor.
//
//   selector_bench [RUNS]

#include "BenchProcess.h"
#include "CJXQ_PCMgrDlg.h"
#include "FileUpPage.h"
#include "FilesOpenPopup.h"
#include "FolderBrowser.h"
#include "MainLayout.h"
#include "MessageBox.h"
#include "RegistryStore.h"
#include "SelectorControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timeCommand(const std::vector<std::string>& args) {
    return kyvo::bench::runProcess(args, true).wallSeconds * 1000.0;
}

template <class T>
T* child(QWidget* parent, int id) {
    return parent->findChild<T*>(kyvo::recordings::controlName(id));
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvocard-XXXXXX"));
    const std::string folder = dir.path().toStdString();
    for (int i = 0; i < 10000; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/drf_2024%02d%02d_%02d%02d%02d.mov", 1 + i % 12, 1 + i % 28, i / 3600 % 24,
                      i / 60 % 60, i % 60);
        std::ofstream(folder + name);
        std::snprintf(name, sizeof name, "/other_%05d.%s", i, i % 2 ? "jpg" : "txt");
        std::ofstream(folder + name);
    }

    kyvo::setMessageBoxSink([](const kyvo::MessageBoxRequest&) { return kyvo::kAnswerOk; });
    kyvo::setFolderChooser([&](const QString&, const QString&) { return dir.path(); });
    kyvo::app::CJXQ_PCMgrDlg dialog(std::make_unique<kyvo::RegistryStore>(dir.filePath(QStringLiteral("store.ini"))));
    dialog.initDialog();
    dialog.show();

    std::vector<double> totals;
    std::size_t listed = 0;
    std::size_t items = 0;
    for (int run = 0; run < runs; ++run) {
        dialog.onCommand(kyvo::app::control::kClearList);
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        dialog.onCommand(kyvo::app::control::kOpenFiles);
        kyvo::FilesOpenPopup* popup = dialog.filesPopup();
        child<QAbstractButton>(popup, kyvo::recordings::control::kFolderChoice)->click();
        kyvo::FileUpPage* page = popup->page(0);
        child<QAbstractButton>(page, page->controls().selectAll)->click();
        items = static_cast<std::size_t>(page->itemCount());
        child<QAbstractButton>(popup, kyvo::recordings::control::kAddToList)->click();
        QCoreApplication::processEvents(); // the play list repaints
        totals.push_back(ms(Clock::now() - start));
        listed = dialog.playList().count();
    }

    std::vector<double> lsSorted;
    std::vector<double> lsUnsorted;
    for (int run = 0; run < runs; ++run) {
        lsSorted.push_back(timeCommand({"ls", folder}));
        lsUnsorted.push_back(timeCommand({"ls", "-f", folder}));
    }

    std::printf("folder: 10,000 recordings + 10,000 other files; %d runs, medians\n", runs);
    std::printf("%-58s %8.1f ms (target <= 300 ms)\n", "scan into the page, check all, add to the play list", median(totals));
    std::printf("%-58s %8zu / %zu\n", "  items listed / files in the play list (500 at most)", items, listed);
    std::printf("%-58s %8.1f ms\n", "anchor: ls (sorted)", median(lsSorted));
    std::printf("%-58s %8.1f ms\n", "anchor: ls -f (unsorted)", median(lsUnsorted));
    dialog.endDialog(0);
    return 0;
}
