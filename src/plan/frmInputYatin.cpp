#include "frmInputYatin.h"

#include "FormControls.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "RentRecord.h"
#include "StoredValue.h"
#include "Twips.h"
#include "WorkRowStore.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFrmCtrl.h"

namespace
{
// A plan has at most five dwelling types, "A" to "E".
constexpr int kRowLimit = 5;
} // namespace

frmInputYatin::frmInputYatin(QWidget *parent)
    : RowDialog(QStringLiteral("frmInputYatin"), QStringLiteral("家賃設定"), QStringLiteral("TDBYatin"),
                QStringLiteral("家賃"), parent)
{
    buildControls();
}

void frmInputYatin::buildControls()
{
    using namespace FormControls;
    setFixedSize(twipsToPixelsX(6420), twipsToPixelsY(2940));
    constexpr int rows[] = {240, 600, 960, 1320, 1680};
    constexpr int labelWidth = 960, leftBox = 1260, rightLabel = 3240, rightBox = 4260, unit = 5460;
    const auto box = [this](const char *control, double max, const char *display, const char *format, int left, int top,
                            int width) {
        return number(this, QString::fromLatin1(control), max, QString::fromLatin1(display),
                      QString::fromLatin1(format), left, top, width);
    };
    label(this, QStringLiteral("labType"), QStringLiteral("タイプ"), 240, rows[0], labelWidth);
    m_txtType = text(this, QStringLiteral("txtType"), 1, leftBox, rows[0], 480);
    label(this, QStringLiteral("labMadori"), QStringLiteral("間取り"), 240, rows[1], labelWidth);
    // Ten full-width or twenty half-width characters of a floor plan.
    m_txtMadori = text(this, QStringLiteral("txtMadori"), 20, leftBox, rows[1], 1500);
    label(this, QStringLiteral("labSenyu"), QStringLiteral("専有面積"), 240, rows[2], labelWidth);
    m_numSenyu = box("numSenyu", 999.99, "##0.00;;0", "##0.00", leftBox, rows[2], 900);
    label(this, QStringLiteral("labSetai"), QStringLiteral("世帯数"), 240, rows[3], labelWidth);
    m_numSetai = box("numSetai", 99, "#0;;0", "#0", leftBox, rows[3], 600);
    label(this, QStringLiteral("labTyusya"), QStringLiteral("駐車台数"), 240, rows[4], labelWidth);
    m_numTyusya = box("numTyusya", 99, "#0;;0", "#0", leftBox, rows[4], 600);

    label(this, QStringLiteral("labYatin"), QStringLiteral("月家賃"), rightLabel, rows[1], labelWidth);
    m_numYatin = box("numYatin", 99999, "##,##0;;0", "##,##0", rightBox, rows[1], 1140);
    label(this, QStringLiteral("labKyoeki"), QStringLiteral("月共益費"), rightLabel, rows[2], labelWidth);
    m_numKyoeki = box("numKyoeki", 999, "##0;;0", "##,##0", rightBox, rows[2], 1140);
    label(this, QStringLiteral("labTyusyaryo"), QStringLiteral("月駐車料"), rightLabel, rows[3], labelWidth);
    m_numTyusyaryo = box("numTyusyaryo", 999, "##0;;0", "##0", rightBox, rows[3], 1140);
    label(this, QStringLiteral("labSikikin"), QStringLiteral("敷金"), rightLabel, rows[4], labelWidth);
    m_numSikikin = box("numSikikin", 99999, "##,##0;;0", "##,##0", rightBox, rows[4], 1140);
    for (int r = 1; r <= 4; ++r)
        label(this, QString(), QStringLiteral("千円"), unit, rows[r], 600);

    placeButtons(6180, 2280);
    tabOrder({m_txtType, m_txtMadori, m_numSenyu, m_numSetai, m_numTyusya, m_numYatin, m_numKyoeki, m_numTyusyaryo,
              m_numSikikin, lbutAdd(), lbutClose()});
}

void frmInputYatin::SetControlsColor()
{
    if (cCtrls *c = ctrl()->ControlItem(m_txtType))
        c->setStyle(3);
}

void frmInputYatin::Init()
{
    const cBase &base = gBase();
    for (const RentRecord &r : WorkRowStore(gDao(), id1(), id2()).readRents()) {
        if (r.type != m_type)
            continue;
        m_txtMadori->setText(base.CvtStr(r.madori));
        m_numSenyu->setValue(r.senyu);
        m_numSetai->setValue(r.setai);
        m_numTyusya->setValue(r.tyusya);
        m_numYatin->setValue(r.yatin);
        m_numKyoeki->setValue(r.kyoeki);
        m_numTyusyaryo->setValue(r.tyusyaryo);
        m_numSikikin->setValue(r.sikikin);
        break;
    }
    m_txtType->setText(m_type);
}

void frmInputYatin::SaveRecord()
{
    const auto stored = storedValue;
    RentRecord r;
    r.id1 = id1();
    r.id2 = id2();
    r.type = m_type;
    r.madori = stored(m_txtMadori->Text(), cBase::SqlText);
    r.senyu = stored(m_numSenyu->Value(), cBase::SqlDouble);
    r.setai = stored(m_numSetai->Value(), cBase::SqlLong);
    r.tyusya = stored(m_numTyusya->Value(), cBase::SqlLong);
    r.yatin = stored(m_numYatin->Value(), cBase::SqlLong);
    r.kyoeki = stored(m_numKyoeki->Value(), cBase::SqlLong);
    r.tyusyaryo = stored(m_numTyusyaryo->Value(), cBase::SqlLong);
    r.sikikin = stored(m_numSikikin->Value(), cBase::SqlLong);
    WorkRowStore(gDao(), id1(), id2()).saveRent(r);
}

int frmInputYatin::rowIndex() const
{
    return m_type.isEmpty() ? 0 : m_type.at(0).unicode() - u'A';
}

bool frmInputYatin::isLastRow(int count) const
{
    return count >= kRowLimit;
}

void frmInputYatin::nextRow()
{
    m_type = QString(QChar(u'A' + rowIndex() + 1));
}

QWidget *frmInputYatin::firstInput() const
{
    return m_txtMadori;
}
