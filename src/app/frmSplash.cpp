// Splash: the program's picture with its version in the lower right corner.
#include "app/frmSplash.h"

#include "app/General.h"
#include "app/Pictures.h"
#include "platform/Twips.h"

#include <QLabel>

namespace vexo {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , imgSplash(new QLabel(this))
    , lblVersion(new QLabel(this))
    , lblPlatform(new QLabel(this))
{
    setWindowTitle(QStringLiteral("MARDOVI VEXO"));
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblPlatform->setObjectName(QStringLiteral("lblPlatform"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));

    lblPlatform->setText(QStringLiteral("Windows 95/NT"));
    lblVersion->setText(QStringLiteral("Versión ") + Version_text());

    // The picture at the screen's resolution, over the window's white.
    const QSize size(twips(7200), twips(4320));
    imgSplash->setPixmap(Picture(QStringLiteral(":/pictures/splash.svg"), size, devicePixelRatioF()));
    imgSplash->setGeometry(0, 0, size.width(), size.height());

    QFont font = lblVersion->font();
    font.setPointSize(10);
    font.setBold(true);
    for (QLabel* label : {lblVersion, lblPlatform}) {
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->adjustSize();
        label->raise();
    }
    // Both labels end where the picture ends.
    const int right = imgSplash->x() + imgSplash->width();
    for (QLabel* label : {lblVersion, lblPlatform}) {
        label->setContentsMargins(0, 0, twips(160), 0);
        label->adjustSize();
    }
    lblVersion->move(right - lblVersion->width(), size.height() - twips(760));
    lblPlatform->move(right - lblPlatform->width(), size.height() - twips(460));
    setFixedSize(size.width() + twips(100), size.height() + twips(100));
}

} // namespace vexo
