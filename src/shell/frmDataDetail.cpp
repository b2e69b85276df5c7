#include "frmDataDetail.h"

#include "DaoTransaction.h"
#include "FormButtons.h"
#include "FormControls.h"
#include "FormTrap.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "PropertyStore.h"
#include "StoredValue.h"
#include "Styling.h"
#include "VbRuntime.h"
#include "cApl.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFrmCtrl.h"
#include "frmMsgbox.h"
#include "mdlMain.h"

#include <QKeyEvent>

#include <stdexcept>

namespace
{

const QString kObject = QStringLiteral("frmDataDetail");

const FormTrap trap(kObject);

} // namespace

frmDataDetail::frmDataDetail(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDataDetail"));
    setWindowTitle(QStringLiteral("新規物件登録"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    trap("Form_Load", [this] { Form_Load(); });
}

frmDataDetail::~frmDataDetail()
{
    Form_Unload();
}

void frmDataDetail::buildControls()
{
    setFixedSize(twipsToPixelsX(6720), twipsToPixelsY(3360));
    using namespace FormControls;
    label(this, QStringLiteral("labName"), QStringLiteral("物件名"), 240, 240, 1500);
    m_txtName = text(this, QStringLiteral("txtName"), 30, 1800, 240, 4560);

    const QString area = QStringLiteral("####0.00"), money = QStringLiteral("###,##0"), rate = QStringLiteral("##0.00");
    label(this, QStringLiteral("labSikiti"), QStringLiteral("敷地面積"), 240, 690, 1500);
    m_numSikiti = number(this, QStringLiteral("numSikiti"), 99999.99, area, area, 1800, 690, 1500);
    label(this, QString(), QStringLiteral("㎡"), 3360, 690, 600);

    label(this, QStringLiteral("labHyoka"), QStringLiteral("評価額"), 240, 1140, 1500);
    m_numHyoka = number(this, QStringLiteral("numHyoka"), 999999, money, money, 1800, 1140, 1500);
    label(this, QString(), QStringLiteral("千円"), 3360, 1140, 600);
    label(this, QString(), QStringLiteral("１㎡あたり"), 4020, 1140, 1200);

    label(this, QStringLiteral("labKotei"), QStringLiteral("固定資産税税率"), 240, 1590, 1500);
    m_numKotei = number(this, QStringLiteral("numKotei"), 100, rate, rate, 1800, 1590, 1500);
    label(this, QString(), QStringLiteral("％"), 3360, 1590, 600);

    label(this, QStringLiteral("labTosi"), QStringLiteral("都市計画税税率"), 240, 2040, 1500);
    m_numTosi = number(this, QStringLiteral("numTosi"), 100, rate, rate, 1800, 2040, 1500);
    label(this, QString(), QStringLiteral("％"), 3360, 2040, 600);

    m_lbutAdd = FormButtons::create(this, QStringLiteral("lbutAdd"), QStringLiteral("登　録"));
    m_lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    place(m_lbutAdd, 3840, 2640, 1215, 420);
    place(m_lbutClose, 5145, 2640, 1215, 420);
    FormButtons::onClick(m_lbutAdd, this, [this] { trap("lbutAdd_Click", [this] { lbutAdd_Click(); }); });
    FormButtons::onClick(m_lbutClose, this, [this] { trap("lbutClose_Click", [this] { lbutClose_Click(); }); });
}

void frmDataDetail::Form_Load()
{
    m_ctrl = new cFrmCtrl(this);
    m_ctrl->ControlForm(this);
    m_ctrl->DataClear();
    trap("Init", [this] { Init(); });
    m_ctrl->FlagClear();
    m_ctrl->GetDataDefault();
    SetInputCtrlStyle(this);
    trap("SetControlsColor", [this] { SetControlsColor(); });
}

void frmDataDetail::Init()
{
    m_numKotei->setValue(gBase().CvtDbl(IniValue(QStringLiteral("CONST"), QStringLiteral("固定資産税"))));
    m_numTosi->setValue(gBase().CvtDbl(IniValue(QStringLiteral("CONST"), QStringLiteral("都市計画税"))));
}

void frmDataDetail::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutAdd, cApl::New);
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
    for (QWidget *box : std::initializer_list<QWidget *>{m_txtName, m_numSikiti, m_numHyoka})
        if (cCtrls *c = m_ctrl->ControlItem(box))
            c->setStyle(4);
    for (QWidget *box : std::initializer_list<QWidget *>{m_numKotei, m_numTosi})
        if (cCtrls *c = m_ctrl->ControlItem(box))
            c->setStyle(2);
}

void frmDataDetail::lbutAdd_Click()
{
    if (!m_ctrl || !m_ctrl->DataChanged()) {
        accept();
        return;
    }
    bool valid = false;
    trap("CheckInputValue", [this, &valid] { CheckInputValue(valid); });
    if (!valid)
        return;
    bool saved = false;
    trap("SaveRecord", [this, &saved] { SaveRecord(saved); });
    if (!saved) {
        // Whatever failed, the input stays in the dialog for a correction or a retry.
        MsgBox::show(QStringLiteral("物件データの登録に失敗しました。"), MsgBox::Critical, QStringLiteral("SaveRecord"),
                     this);
        return;
    }
    if (gBase().CvtLng(gApl().DialogBox()) == 0) {
        frmMsgbox notice;
        notice.exec();
    }
    accept();
}

void frmDataDetail::CheckInputValue(bool &result)
{
    result = false;
    QString message;
    QWidget *first = nullptr;
    // A name of blanks only would be stored as no name at all.
    if (m_txtName->Text().trimmed().isEmpty()) {
        message += QStringLiteral(" [ 物件名 ] ");
        first = m_txtName;
    }
    if (gBase().CvtDbl(m_numSikiti->Value()) == 0) {
        message += QStringLiteral(" [ 敷地面積 ] ");
        if (!first)
            first = m_numSikiti;
    }
    if (gBase().CvtDbl(m_numHyoka->Value()) == 0) {
        message += QStringLiteral(" [ 評価額 ] ");
        if (!first)
            first = m_numHyoka;
    }
    if (!first) {
        result = true;
        return;
    }
    MsgBox::show(message + QStringLiteral("を入力して下さい。"), MsgBox::Exclamation, QStringLiteral("確認"), this);
    first->setFocus();
}

// Every failure throws: the caller reports it; the transaction, once begun, has
// been rolled back as the error left it.
void frmDataDetail::SaveRecord(bool &result)
{
    result = false;
    cDao &dao = gDao();
    const cBase &base = gBase();
    // A look-up that failed found nothing out: taking 1 would reuse a number or fail later for
    // another reason than the real one.
    const QVariant greatest = dao.lookupOrThrow(QStringLiteral("D_物件"), QStringLiteral("MAX(ID1)"));
    int id1 = 1;
    if (!vb::isNull(greatest)) {
        const int n = base.CvtLng(greatest);
        if (n == 0)
            throw std::runtime_error("物件番号 0 の物件があるため、次の番号を決められません。");
        id1 = PropertyStore::nextId1(n);
    }
    DaoTransaction trans(dao);
    const QString sql = QStringLiteral("INSERT INTO ") + QStringLiteral("D_物件") +
                        QStringLiteral("(ID1,物件名,敷地面積,評価額,固定資産税税率,都市計画税税率)") +
                        QStringLiteral("Values") + QStringLiteral("(?,?,?,?,?,?)");
    const int count = dao.exec(
        sql, {id1, storedValue(m_txtName->Text(), cBase::SqlText), storedValue(m_numSikiti->Value(), cBase::SqlDouble),
              storedValue(m_numHyoka->Value(), cBase::SqlLong), storedValue(m_numKotei->Value(), cBase::SqlDouble),
              storedValue(m_numTosi->Value(), cBase::SqlDouble)});
    if (count == 0)
        throw DaoError(QStringLiteral("D_物件 に行を追加できませんでした。"));
    trans.commit();
    result = true;
    m_registered = id1;
}

void frmDataDetail::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDataDetail::lbutClose_Click()
{
    if (m_ctrl && m_ctrl->DataChanged()) {
        const int answer =
            MsgBox::show(QStringLiteral("データが入力されていますが、破棄してよろしいですか？"),
                         MsgBox::YesNo | MsgBox::Information | MsgBox::DefaultButton2, QStringLiteral("確認"), this);
        if (answer == MsgBox::No)
            return;
    }
    reject();
}

void frmDataDetail::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
