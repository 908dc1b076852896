// The file selector's window: its controls, their layout, the painted frame
// with its title strip, and moving the window by that strip.

#include "FilesOpenPopup.h"

#include "EventFileUp.h"
#include "FileUpPage.h"
#include "FolderLabel.h"
#include "Fonts.h"
#include "InfinityFileUp.h"
#include "ParkingFileUp.h"
#include "SelectorControls.h"
#include "SelectorGlyphs.h"
#include "SelectorLook.h"
#include "SelectorStyleSheet.h"
#include "Skin.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "Strings.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kyvo {

namespace look = recordings::look;
using recordings::controlName;
namespace control = recordings::control;

namespace {

// The tabs in kind order: caption and the play list's icon of that kind.
struct TabLook {
    int caption;
    int icon;
};
constexpr TabLook kTabLooks[FilesOpenPopup::kTabCount] = {
    {strings::kTabNormal, skin::kKindNormal},
    {strings::kTabEvent, skin::kKindEvent},
    {strings::kTabManualEvent, skin::kKindManual},
};

// Small Latin caption at the right of the title strip, as the dashboard's
// panels carry beside their Chinese titles.
const QString kTitleCaption = QStringLiteral("FILE SELECTOR");
constexpr qreal kCaptionLetterSpacing = 1.2;
constexpr int kBodySheen = 108; // lighter() factor at the top of the body's gradient

QIcon tabIcon(int skinId) {
    const QImage image = skinImage(skinId);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace

QPushButton* FilesOpenPopup::makeButton(int id, int stringId) {
    auto* button = new QPushButton(loadString(stringId), this);
    button->setObjectName(controlName(id));
    button->setFixedHeight(look::kButtonHeight);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

void FilesOpenPopup::buildWindow() {
    setObjectName(QStringLiteral("FilesOpenPopup"));
    setFixedSize(look::kWindowWidth, look::kWindowHeight);
    setFont(pointFont(look::kBodyFontTenths, displayScale(this)));
    setStyleSheet(recordings::selectorStyleSheet());

    folderButton_ = makeButton(control::kFolderChoice, strings::kFolderChoice);
    folderButton_->setIcon(recordings::folderIcon(look::kAccent, devicePixelRatioF()));
    folderButton_->setFixedWidth(look::kFolderButtonWidth);
    folderText_ = new recordings::FolderLabel(this);
    folderText_->setObjectName(controlName(control::kFolderText));
    folderText_->setFixedHeight(look::kButtonHeight);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(controlName(control::kTabs));
    tabs_->setUsesScrollButtons(false);
    tabs_->tabBar()->setDrawBase(false);
    tabs_->tabBar()->setCursor(Qt::PointingHandCursor);
    pages_ = {new InfinityFileUp(tabs_), new EventFileUp(tabs_), new ParkingFileUp(tabs_)};
    for (int tab = 0; tab < kTabCount; ++tab) {
        const TabLook& looks = kTabLooks[tab];
        tabs_->insertTab(tab, pages_[static_cast<std::size_t>(tab)], tabIcon(looks.icon), loadString(looks.caption));
    }

    addButton_ = makeButton(control::kAddToList, strings::kAddToList);
    addButton_->setFixedWidth(look::kActionButtonWidth);
    cancelButton_ = makeButton(control::kCancel, strings::kCancel);
    cancelButton_->setFixedWidth(look::kActionButtonWidth);

    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(look::kSpacing);
    folderRow->addWidget(folderButton_);
    folderRow->addWidget(folderText_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(look::kSpacing);
    buttonRow->addStretch(1);
    buttonRow->addWidget(addButton_);
    buttonRow->addWidget(cancelButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(look::kMargin, look::kTitleHeight + look::kMargin, look::kMargin, look::kMargin);
    column->setSpacing(look::kSpacing);
    column->addLayout(folderRow);
    column->addWidget(tabs_, 1);
    column->addLayout(buttonRow);
}

void FilesOpenPopup::paintEvent(QPaintEvent*) {
    using namespace look;
    QPainter painter(this);
    const QRect body = rect();
    QLinearGradient sheen(0, kTitleHeight, 0, height());
    sheen.setColorAt(0.0, kBase.lighter(kBodySheen));
    sheen.setColorAt(1.0, kBase);
    painter.fillRect(body, sheen);

    // Title strip: ring mark, the window's title, a caption; a cyan rule and a
    // hairline under it.
    const QRect strip(0, 0, width(), kTitleHeight);
    painter.fillRect(strip, kTitleStrip);
    painter.fillRect(QRect(0, kTitleHeight - 1, width(), 1), kEdge);
    painter.fillRect(QRect(0, kTitleHeight - 1, kAccentRuleWidth, 1), kAccent);
    recordings::paintRingMark(painter, QPointF(kLogoCentreX, kTitleHeight / 2.0), kLogoRadius, kLogoDot);
    QFont titleFont = pointFont(kTitleFontTenths, displayScale(this));
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(kText);
    painter.drawText(strip.adjusted(kTitleTextX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
    QFont captionFont = pointFont(kCaptionFontTenths, displayScale(this));
    captionFont.setBold(true);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, kCaptionLetterSpacing);
    painter.setFont(captionFont);
    painter.setPen(kCaption);
    painter.drawText(strip.adjusted(0, 0, -kMargin, 0), Qt::AlignRight | Qt::AlignVCenter, kTitleCaption);

    // Window border: lit on top, dark below.
    painter.setPen(kEdge);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    painter.fillRect(QRect(1, 0, width() - 2, 1), kEdgeLight); // inside the left and right border
}

// The title strip moves the window, as a title bar would.
void FilesOpenPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < look::kTitleHeight) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    MessageWindow::mousePressEvent(event);
}

void FilesOpenPopup::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && event->buttons().testFlag(Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    MessageWindow::mouseMoveEvent(event);
}

void FilesOpenPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        event->accept();
        return;
    }
    MessageWindow::mouseReleaseEvent(event);
}

} // namespace kyvo
