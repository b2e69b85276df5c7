#include "frmVersion.h"

#include "FormButtons.h"
#include "Globals.h"
#include "Styling.h"
#include "cApl.h"
#include "cFile.h"
#include "cSystem.h"
#include "mdlMain.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QUrl>

namespace
{

// The program's picture: a small plot with a building on it.
QPixmap programPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x6B, 0x8E, 0x23));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 44, 60, 16, 4, 4);
    p.setBrush(QColor(0x1F, 0x4E, 0x79));
    p.drawRect(18, 14, 28, 32);
    p.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(22 + col * 8, 18 + row * 9, 5, 5);
    return pixmap;
}

} // namespace

frmVersion::frmVersion(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vbColor(0xC0C0C0));
    setPalette(pal);
    setMouseTracking(true);

    // Load: the window is 4500 twips high with a 4000-twip white panel.
    setFixedSize(twipsToPixelsX(4335), twipsToPixelsY(4120));
    m_labBack = new QLabel(this);
    m_labBack->setObjectName(QStringLiteral("labBack"));
    m_labBack->setAutoFillBackground(true);
    QPalette white = m_labBack->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_labBack->setPalette(white);
    m_labBack->setGeometry(twipsToPixelsX(60), twipsToPixelsY(60), twipsToPixelsX(4215), twipsToPixelsY(4000));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(programPicture());
    image->setAlignment(Qt::AlignCenter);
    image->setGeometry(twipsToPixelsX(1560), twipsToPixelsY(300), twipsToPixelsX(1215), twipsToPixelsY(1000));

    auto *company = new QLabel(QStringLiteral("Zorvik"), this);
    company->setObjectName(QStringLiteral("icoCompany"));
    QFont companyFont = company->font();
    companyFont.setBold(true);
    companyFont.setPointSize(12);
    company->setFont(companyFont);
    placeCentred(company, 1560, 1380, 1215, 300);

    m_labVer = new QLabel(this);
    m_labVer->setObjectName(QStringLiteral("labVer"));
    m_labInfo = new QLabel(QStringLiteral("お問い合わせ"), this);
    m_labInfo->setObjectName(QStringLiteral("labInfo"));
    m_labUrl = new QLabel(this);
    m_labUrl->setObjectName(QStringLiteral("labUrl"));
    m_labUrl->setCursor(Qt::PointingHandCursor);
    m_labUrl->installEventFilter(this);

    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    m_lbutClose->setGeometry(twipsToPixelsX(2400), twipsToPixelsY(3600), twipsToPixelsX(1215), twipsToPixelsY(375));
    FormButtons::onClick(m_lbutClose, this, [this] { close(); });

    SetData();
    try {
        SetControlsColor();
    } catch (...) {
        // The about box shows what it can and logs nothing.
    }
}

void frmVersion::placeCentred(QLabel *label, int left, int top, int width, int height)
{
    // The design width is a minimum: a longer text grows both ways around the centre.
    label->adjustSize();
    const int w = std::max(twipsToPixelsX(width), label->width());
    const int h = std::max(twipsToPixelsY(height), label->height());
    const int centre = twipsToPixelsX(left + width / 2.0);
    label->setGeometry(centre - w / 2, twipsToPixelsY(top), w, h);
    label->setAlignment(Qt::AlignCenter);
}

void frmVersion::SetData()
{
    try {
        // The version of the program's own executable in the program's folder; a
        // missing file or one without a version gives "Ver." alone.
        const QString exe =
            gFile().MakeFullPath(AppPath(), QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        m_labVer->setText(QStringLiteral("Ver.") + cSystem().GetFileVersion(exe));
    } catch (...) {
    }
    QString url;
    try {
        url = gApl().URL();
    } catch (...) {
    }
    m_labUrl->setText(url);
    placeCentred(m_labVer, 1785, 1800, 705, 180);
    placeCentred(m_labInfo, 1560, 2880, 1410, 225);
    placeCentred(m_labUrl, 2040, 3240, 450, 225);
    setLinkLook(false);
}

void frmVersion::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
}

void frmVersion::setLinkLook(bool on)
{
    QPalette pal = m_labUrl->palette();
    pal.setColor(QPalette::WindowText, on ? QColor(Qt::red) : QColor(Qt::black));
    m_labUrl->setPalette(pal);
    QFont font = m_labUrl->font();
    font.setUnderline(on);
    m_labUrl->setFont(font);
}

bool frmVersion::isOpenableAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

void frmVersion::labUrl_Click()
{
    const QString text = m_labUrl->text().trimmed();
    if (isOpenableAddress(text))
        QDesktopServices::openUrl(QUrl(text, QUrl::StrictMode));
}

bool frmVersion::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labUrl) {
        switch (event->type()) {
        case QEvent::Enter:
            setLinkLook(true);
            break;
        case QEvent::Leave:
            setLinkLook(false);
            break;
        case QEvent::MouseButtonRelease:
            labUrl_Click();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
