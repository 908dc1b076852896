// The enlarged video popups of the main window: the library's request for a
// channel's enlarged view (WM_VIDEO_POPUP_OPEN), a popup's close button
// (WM_POPUP_CLOSED), and the popups' end at shutdown.

#include "CJXQ_PCMgrDlg.h"
#include "MainVideoPopups.h"

#include "ROVUAdap.h"
#include "VideoPopupLeft.h"
#include "VideoPopupRight.h"
#include "ViewerMessages.h"

namespace kyvo::app {

MainVideoPopups::MainVideoPopups(QWidget* mainWindow, player::ROVUAdap& adapter, std::function<void()> moved)
    : mainWindow_(mainWindow), moved_(std::move(moved)), logic_(adapter, *this) {}

MainVideoPopups::~MainVideoPopups() {
    delete left_;
    delete right_;
}

video::VideoPopup* MainVideoPopups::popup(int channel) const {
    return channel == 0 ? static_cast<video::VideoPopup*>(left_) : right_;
}

bool MainVideoPopups::shown(int channel) const {
    const video::VideoPopup* p = popup(channel);
    return p && p->shown();
}

std::intptr_t MainVideoPopups::placeAndShow(int channel) {
    video::VideoPopup* p = popup(channel);
    if (!p) {
        if (channel == 0)
            p = left_ = new video::VideoPopupLeft(mainWindow_);
        else
            p = right_ = new video::VideoPopupRight(mainWindow_);
        p->setMovedHandler(moved_);
    }
    p->place(mainWindow_->geometry());
    p->setShown(true);
    return reinterpret_cast<std::intptr_t>(p);
}

void MainVideoPopups::hide(int channel) {
    if (video::VideoPopup* p = popup(channel))
        p->setShown(false);
}

LResult CJXQ_PCMgrDlg::onVideoPopupMessage(unsigned message, WParam wParam) {
    if (ended_ || !adapter_)
        return 0;
    if (message == WM_POPUP_CLOSED) {
        if (videoPopups_)
            videoPopups_->closed(wParam);
        return 0;
    }
    if (!videoPopups_) {
        videoPopups_ = new MainVideoPopups(this, *adapter_, [this] {
            if (adapter_)
                adapter_->NotifyMoved();
        });
    }
    videoPopups_->request(wParam);
    return 0;
}

// After the adapter: the library's video windows may still stand in a popup
// until its player has ended.
void CJXQ_PCMgrDlg::destroyVideoPopups() {
    delete videoPopups_;
    videoPopups_ = nullptr;
}

} // namespace kyvo::app
