#include "fDlgPrint.h"

#include "FormTrap.h"
#include "LineButton.h"
#include "Styling.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace
{

const FormTrap trap(QStringLiteral("fDlgPrint"));

/// The dialog's picture: a small printer with a sheet coming out.
QPixmap printerPicture()
{
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 2.5, 13, 10));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(2.5, 11.5, 27, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 19.5, 17, 10));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (double y : {22.5, 25.0, 27.5})
        p.drawLine(QPointF(10, y), QPointF(22, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 180, 60));
    p.drawEllipse(QRectF(24, 14, 3, 3));
    return pix;
}

struct ButtonKind {
    int bit;
    const char16_t *caption;
    int value;
    quint32 lineColor;
};

constexpr ButtonKind kButtons[] = {
    {4, u"プレビュー", fDlgPrint::Preview, 0xFF00},
    {2, u"印　刷", fDlgPrint::Print, 0x80FF},
    {1, u"キャンセル", fDlgPrint::Cancel, 0xFF},
};

/// Height of a text wrapped at width: every line it needs.
int wrappedHeight(const QFont &font, const QString &text, int width)
{
    const QFontMetrics fm(font);
    return fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
}

} // namespace

fDlgPrint::fDlgPrint(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fDlgPrint"));
    setWindowTitle(QStringLiteral("Title"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(gothicFont(9));

    ImgMark = new QLabel(this);
    ImgMark->setObjectName(QStringLiteral("ImgMark"));
    ImgMark->setPixmap(printerPicture());
    lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    lblSubPrompt = new QLabel(this);
    lblSubPrompt->setObjectName(QStringLiteral("lblSubPrompt"));
    for (QLabel *label : {lblPrompt, lblSubPrompt}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
    }
    for (int i = 0; i < 3; ++i) {
        auto *button = new LineButton(this);
        button->setObjectName(QStringLiteral("cmdButton"));
        button->setProperty("index", i);
        button->hide();
        connect(button, &LineButton::Click, this, [this, i] { trap("cmdButton_Click", [&] { cmdButton_Click(i); }); });
        cmdButton[i] = button;
    }
}

int fDlgPrint::DialogShow()
{
    arrange();
    exec();
    return m_result;
}

void fDlgPrint::arrange()
{
    const int m = m_margin;
    const int W = m_widthLimit;
    m_shown = 0;
    if (!m_title.isEmpty())
        setWindowTitle(m_title);

    ImgMark->setGeometry(m, m, 32, 32);
    const int imgW = ImgMark->width();
    const int h = ImgMark->height();

    const auto setLabel = [this](QLabel *label, const QString &text, bool bold) {
        if (text.isEmpty()) {
            label->setText(QString());
            label->resize(0, 0);
            label->hide();
            return;
        }
        QFont f = font();
        f.setBold(bold);
        label->setFont(f);
        const QFontMetrics fm(f);
        label->setText(text);
        label->setWordWrap(false);
        label->resize(fm.horizontalAdvance(text + QLatin1Char(' ')), fm.height());
        label->show();
    };
    setLabel(lblPrompt, m_prompt, true);
    setLabel(lblSubPrompt, m_subPrompt, false);

    for (const ButtonKind &kind : kButtons) {
        if (!(m_style & kind.bit))
            continue;
        LineButton *button = cmdButton[m_shown];
        button->setEnabled(true);
        button->show();
        button->setCaption(QString::fromUtf16(kind.caption));
        button->setLineColor(kind.lineColor);
        m_values[m_shown] = kind.value;
        ++m_shown;
    }
    const QFontMetrics fm(font());
    const int textW = fm.horizontalAdvance(QStringLiteral("プレビュー"));
    const int bw = textW + textW / 3;
    const int bh = 2 * fm.height();
    for (int i = 0; i < m_shown; ++i) {
        cmdButton[i]->setFont(font());
        cmdButton[i]->resize(bw, bh);
    }

    // A line too wide for the limit wraps; its height is what the wrapped text
    // needs, so no line of a long report name is lost.
    int width = 0;
    const int promptRow = 3 * m + imgW + lblPrompt->width();
    if (promptRow > W) {
        const int avail = W - (3 * m + imgW);
        lblPrompt->setWordWrap(true);
        lblPrompt->resize(avail, wrappedHeight(lblPrompt->font(), m_prompt, avail));
        width = 3 * m + imgW + avail;
    }
    const int subRow = 2 * m + lblSubPrompt->width();
    if (subRow > W) {
        const int avail = W - 2 * m;
        lblSubPrompt->setWordWrap(true);
        lblSubPrompt->resize(avail, wrappedHeight(lblSubPrompt->font(), m_subPrompt, avail));
        width = W;
    }
    if (width < W) {
        const int a = 3 * m + imgW + lblPrompt->width();
        const int b = bw * m_shown + 2 * m;
        // The second line counts too: a wider one would be cut at both sides.
        width = std::max({a, b, 2 * m + lblSubPrompt->width()});
    }

    lblPrompt->move(m + imgW + m, lblPrompt->y());
    lblSubPrompt->move((width - lblSubPrompt->width()) / 2, lblSubPrompt->y());
    if (m_shown > 0) {
        const int left = (width - m_shown * bw) / 2;
        for (int i = 0; i < 3; ++i)
            cmdButton[i]->move(left + i * bw, cmdButton[i]->y());
    }

    const int p = lblPrompt->height();
    const int s = lblSubPrompt->height();
    int buttonsTop = 0;
    int height = 0;
    if (p <= h) {
        lblPrompt->move(lblPrompt->x(), (h - p) / 2 + m);
        lblSubPrompt->move(lblSubPrompt->x(), m + h + m);
        buttonsTop = 3 * m + h + s;
        height = bh + 4 * m + h + s;
    } else {
        lblPrompt->move(lblPrompt->x(), ImgMark->y());
        lblSubPrompt->move(lblSubPrompt->x(), m + p + m);
        buttonsTop = 3 * m + p + s;
        height = bh + 4 * m + p + s;
    }
    for (LineButton *button : cmdButton)
        button->move(button->x(), buttonsTop);
    setFixedSize(width, height);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void fDlgPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    trap("Form_Activate", [this] { Form_Activate(); });
}

void fDlgPrint::Form_Activate()
{
    if (m_shown == 0)
        return;
    cmdButton[0]->setFocus();
    if ((m_style & 0x100) && m_shown >= 2)
        cmdButton[1]->setFocus();
    if ((m_style & 0x200) && m_shown >= 3)
        cmdButton[2]->setFocus();
}

void fDlgPrint::cmdButton_Click(int index)
{
    m_result = m_values.at(index);
    m_closing = true;
    done(m_result);
}

void fDlgPrint::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        m_result = Cancel;
        m_closing = true;
        done(m_result);
        return;
    }
    QDialog::keyPressEvent(event);
}

void fDlgPrint::closeEvent(QCloseEvent *event)
{
    // Closed by the user (close box, window manager): the job is cancelled.
    if (!m_closing)
        m_result = Cancel;
    QDialog::closeEvent(event);
}
