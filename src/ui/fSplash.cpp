#include "fSplash.h"

#include "VbControl.h"
#include "VbFont.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

fSplash::fSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(420, 250);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setPixmap(defaultLogo());
    labMessage = new QLabel(QStringLiteral("しばらくお待ち下さい"), this);
    labMessage->setObjectName(QStringLiteral("labMessage"));
    labMessage->setAlignment(Qt::AlignCenter);
    labMessage->setFont(VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    labCopyright = new QLabel(QStringLiteral("Copyright (C) Zorvik"), this);
    labCopyright->setObjectName(QStringLiteral("labCopyright"));
    labCopyright->setAlignment(Qt::AlignCenter);
    labCopyright->setFont(VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 8));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 16, 12, 10);
    layout->addWidget(imgLogo, 1);
    layout->addWidget(labMessage);
    layout->addSpacing(8);
    layout->addWidget(Label1);
    layout->addWidget(labCopyright);
}

fSplash::~fSplash() = default;

QPixmap fSplash::defaultLogo()
{
    QPixmap pix(360, 140);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 140);
    g.setColorAt(0, QColor(0, 150, 170));
    g.setColorAt(1, QColor(0, 90, 120));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 360, 140), 12, 12);
    p.setPen(Qt::white);
    QFont title = VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 30, true);
    p.setFont(title);
    p.drawText(QRect(0, 14, 360, 70), Qt::AlignCenter, QStringLiteral("Vanrek"));
    p.setFont(VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    p.drawText(QRect(0, 82, 360, 40), Qt::AlignCenter, QStringLiteral("土地活用 経営計画シミュレーション"));
    return pix;
}

void fSplash::FormOpen()
{
    labMessage->clear();
    FormSizing();
    show();
    QApplication::processEvents();
}

void fSplash::FormClose()
{
    close();
}

void fSplash::PutMessage(const QString &message)
{
    try {
        labMessage->setText(message);
        show();
        QApplication::processEvents();
    } catch (...) {
        // The splash only informs; a failure here must not stop the start-up.
    }
}

QFont fSplash::MessageFont() const
{
    return labMessage->font();
}

void fSplash::setMessageFont(const QFont &font)
{
    labMessage->setFont(font);
}

QFont fSplash::CopyrightFont() const
{
    return labCopyright->font();
}

void fSplash::setCopyrightFont(const QFont &font)
{
    labCopyright->setFont(font);
}

quint32 fSplash::MessageColor() const
{
    return VbControl::foreColor(labMessage);
}

void fSplash::setMessageColor(quint32 colour)
{
    VbControl::setForeColor(labMessage, colour);
}

quint32 fSplash::CopyrightColor() const
{
    return VbControl::foreColor(labCopyright);
}

void fSplash::setCopyrightColor(quint32 colour)
{
    VbControl::setForeColor(labCopyright, colour);
}

void fSplash::setCopyright(const QString &text)
{
    m_copyright = text;
    labCopyright->setText(text);
}

int fSplash::MessageWidth() const
{
    return int(std::lround(VbControl::pixelsToTwips(labMessage->width())));
}

void fSplash::setMessageWidth(int twips)
{
    labMessage->setFixedWidth(VbControl::twipsToPixels(twips));
}

QPixmap fSplash::LogoPicture() const
{
    return imgLogo->pixmap();
}

void fSplash::setLogoPicture(const QPixmap &picture)
{
    imgLogo->setPixmap(picture);
}
