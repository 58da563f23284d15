// SPDX-License-Identifier: MIT
#include "app/aboutbox.h"

#include "app/resources.h"
#include "gui/textcodec.h"
#include "gui/twips.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvel::gui {

namespace {

constexpr int pictureBorder = 2;
constexpr QSize pictureSize(225, 225);

// The picture with a pixel for every pixel of a screen scaled by ratio: on scaled screens it
// is made from about@2x.png, smoothly, so it stays sharp where a stretched about.png blurs.
QPixmap pictureFor(qreal ratio)
{
    QPixmap image(ratio > 1 ? QStringLiteral(":/images/about@2x.png") : QStringLiteral(":/images/about.png"));
    if (image.devicePixelRatio() == ratio)
        return image;
    QPixmap fitted = image.scaled(pictureSize * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

} // namespace

AboutBox::AboutBox()
{
    loadResources();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(6000, 3645));
    createPicture();
    createOkay();
    createText();
    QWidget::setTabOrder(okay_, text_);
    okay_->setFocus();
}

const char* AboutBox::designText()
{
    return "Quorvel\r\n"
           "------------\r\n"
           "\r\n"
           "Email me if you have any \r\n"
           "suggestions, bugs, or \r\n"
           "comments.\r\n"
           "\r\n"
           "quorvel@example.org\r\n"
           "hotline://hotline.example.org\r\n";
}

void AboutBox::createPicture()
{
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture_->setLineWidth(pictureBorder);
    picture_->setPixmap(pictureFor(devicePixelRatioF()));
    picture_->setGeometry(px(120), px(120), pictureSize.width() + 2 * pictureBorder,
                          pictureSize.height() + 2 * pictureBorder);
}

void AboutBox::createText()
{
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setGeometry(twipsRect(3600, 120, 2295, 2895));
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::TypeWriter);
    text_->setFont(font);
    text_->setPlainText(decodeText(designText()).text);
}

void AboutBox::createOkay()
{
    okay_ = new QPushButton(QStringLiteral("Okay"), this);
    okay_->setObjectName(QStringLiteral("cmdOkayy"));
    okay_->setGeometry(twipsRect(3600, 3120, 2295, 450));
    okay_->setDefault(true);
    connect(okay_, &QPushButton::clicked, this, &QWidget::close);
}

} // namespace quorvel::gui
