#include "ui/live/notice_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace photara {

NoticeBar::NoticeBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("noticeBar"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#noticeBar { background: #fff4d6; }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("noticeText"));
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("noticeClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(QStringLiteral("Close this notice"));
    layout->addWidget(label_, 1);
    layout->addWidget(close);
    connect(close, &QToolButton::clicked, this, [this] {
        label_->clear();
        hide();
    });
    hide();
}

void NoticeBar::say(const QString& text) {
    label_->setText(text);
    show();
}

QString NoticeBar::text() const { return isHidden() ? QString() : label_->text(); }

}  // namespace photara
