#include "frmType.h"

#include "FormButtons.h"
#include "FormTrap.h"
#include "Globals.h"
#include "PictureFile.h"
#include "ShellHooks.h"
#include "Styling.h"
#include "cApl.h"
#include "mdlMain.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <stdexcept>

namespace
{
const QString kObject = QStringLiteral("frmType");
const FormTrap trap(kObject);
} // namespace

frmType::frmType(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmType"));
    setWindowTitle(QStringLiteral("タイプ選択"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(twipsToPixelsX(6300), twipsToPixelsY(3700));
    const QString captions[] = {QString(), QStringLiteral("駐車場"), QStringLiteral("賃貸マンション")};
    for (int i = 1; i <= 2; ++i) {
        const int left = twipsToPixelsX(240 + (i - 1) * 3000);
        m_image[i] = new QLabel(this);
        m_image[i]->setObjectName(QStringLiteral("Image1"));
        m_image[i]->setProperty("index", i);
        m_image[i]->setGeometry(left, twipsToPixelsY(240), twipsToPixelsX(2820), twipsToPixelsY(2000));
        m_image[i]->setAlignment(Qt::AlignCenter);
        m_image[i]->setFrameShape(QFrame::Box);
        m_image[i]->setCursor(Qt::PointingHandCursor);
        m_image[i]->installEventFilter(this);
        m_butType[i] = new QPushButton(captions[i], this);
        m_butType[i]->setObjectName(QStringLiteral("butType"));
        m_butType[i]->setProperty("index", i);
        m_butType[i]->setGeometry(left, twipsToPixelsY(2340), twipsToPixelsX(2820), twipsToPixelsY(420));
        connect(m_butType[i], &QPushButton::clicked, this,
                [this, i] { trap("butType_Click", [this, i] { ClickType(i); }); });
    }
    m_lbutCancel = FormButtons::create(this, QStringLiteral("lbutCancel"), QStringLiteral("キャンセル"));
    m_lbutCancel->setGeometry(twipsToPixelsX(4845), twipsToPixelsY(3000), twipsToPixelsX(1215), twipsToPixelsY(420));
    FormButtons::onClick(m_lbutCancel, this, [this] {
        trap("lbutCancel_Click", [this] {
            m_state = 0;
            reject();
        });
    });

    trap("Form_Load", [this] {
        trap("SetControlsColor", [this] { SetControlsColor(); });
        LoadTypeImages();
    });
}

void frmType::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutCancel, cApl::Exit);
}

void frmType::LoadTypeImages()
{
    // A picture that cannot be read leaves its place blank; the chooser stays usable.
    m_image[1]->setPixmap(PictureFile::picture(gImage1));
    m_image[2]->setPixmap(PictureFile::picture(gImage2));
    for (int i = 1; i <= 2; ++i) {
        const QPixmap p = m_image[i]->pixmap();
        if (!p.isNull())
            m_image[i]->setPixmap(
                p.scaled(m_image[i]->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

bool frmType::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 1; i <= 2; ++i) {
            if (watched == m_image[i]) {
                trap("Image1_Click", [this, i] { ClickType(i); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmType::ClickType(int index)
{
    trap("ClickType", [this, index] {
        // The buttons and pictures carry the number of the plan type they choose.
        std::unique_ptr<PlanEntryForm> form = ShellHooks::createEntryForm(static_cast<PlanType>(index), this);
        if (!form)
            throw std::runtime_error("この計画タイプの入力画面は組み込まれていません。");
        form->setPro_ID1(m_id1);
        form->setPro_ID2(m_id2);
        form->showModal();
        m_state = form->Pro_State() ? -1 : 0;
        m_type = index;
        accept();
    });
}
