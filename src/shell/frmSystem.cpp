#include "frmSystem.h"

#include "FormButtons.h"
#include "FormSurface.h"
#include "FormTrap.h"
#include "Globals.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "Styling.h"
#include "VbColor.h"
#include "VbControl.h"
#include "cApl.h"
#include "cBase.h"
#include "cFileDlg.h"
#include "cFrmCtrl.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace
{

const QString kObject = QStringLiteral("frmSystem");
const QString kConst = QStringLiteral("CONST");
const QString kSetting = QStringLiteral("SETTING");
const QString kDefault = QStringLiteral("DEFAULT");

const FormTrap trap(kObject);

const char *const kStructures[] = {"木造",
                                   "木骨モルタル造",
                                   "金属造(骨格材の肉厚３㎜以下)",
                                   "金属造(骨格材の肉厚３㎜超４㎜以下)",
                                   "金属造(骨格材の肉厚４㎜超)",
                                   "鉄骨鉄筋コンクリート"};

ImNumber *numberBox(QWidget *parent, const QString &name, bool decimals)
{
    auto *box = new ImNumber(parent);
    box->setObjectName(name);
    box->setMinValue(0);
    box->setMaxValue(decimals ? 999.99 : 999);
    box->setDisplayFormat(decimals ? QStringLiteral("##0.00") : QStringLiteral("##0"));
    box->setFormat(decimals ? QStringLiteral("##0.00;;0.00") : QStringLiteral("##0;;0"));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(twipsToPixelsX(900));
    return box;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

} // namespace

frmSystem::frmSystem(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSystem"));
    setWindowTitle(QStringLiteral("システム設定"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    trap(QStringLiteral("Form_Load"), [this] { Form_Load(); });
    // Laid out once the boxes have their fonts.
    m_surface->setLayoutSize(m_surface->surface()->sizeHint());
}

frmSystem::~frmSystem()
{
    Form_Unload();
}

void frmSystem::buildControls()
{
    m_surface = new FormSurface(this);
    QWidget *surface = m_surface->surface();
    auto *root = new QVBoxLayout(surface);
    // The margins the dialog's own layout had, so it keeps its size where the screen holds it.
    const QStyle *look = style();
    root->setContentsMargins(look->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this),
                             look->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, this),
                             look->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, this),
                             look->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, this));
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    root->addLayout(columns);

    // Left: tax, extra depreciation, useful lives.
    auto *tax = new QGroupBox(QStringLiteral("税"), surface);
    auto *taxGrid = new QGridLayout(tax);
    m_numTax = numberBox(tax, QStringLiteral("numTax"), true);
    m_numKotei = numberBox(tax, QStringLiteral("numKotei"), true);
    m_numTosi = numberBox(tax, QStringLiteral("numTosi"), true);
    const std::pair<const char *, ImNumber *> taxes[] = {
        {"消費税", m_numTax}, {"固定資産税", m_numKotei}, {"都市計画税", m_numTosi}};
    int row = 0;
    for (const auto &[text, box] : taxes) {
        taxGrid->addWidget(caption(tax, QStringLiteral("lab") + box->objectName().mid(3), QString::fromUtf8(text)), row,
                           0);
        taxGrid->addWidget(box, row, 1);
        taxGrid->addWidget(caption(tax, QString(), QStringLiteral("％")), row, 2);
        ++row;
    }
    taxGrid->setColumnStretch(3, 1);
    left->addWidget(tax);

    auto *extra = new QGroupBox(QStringLiteral("割増償却"), surface);
    auto *extraGrid = new QGridLayout(extra);
    m_numWKikan = numberBox(extra, QStringLiteral("numWKikan"), false);
    m_numWKijun = numberBox(extra, QStringLiteral("numWKijun"), false);
    m_numWBai1 = numberBox(extra, QStringLiteral("numWBai1"), true);
    m_numWBai2 = numberBox(extra, QStringLiteral("numWBai2"), true);
    const std::pair<const char *, ImNumber *> extras[] = {{"償却可能期間", m_numWKikan},
                                                          {"基準年", m_numWKijun},
                                                          {"耐用年数が基準年未満時の倍率", m_numWBai1},
                                                          {"耐用年数が基準年以上時の倍率", m_numWBai2}};
    row = 0;
    for (const auto &[text, box] : extras) {
        extraGrid->addWidget(caption(extra, QStringLiteral("lab") + box->objectName().mid(3), QString::fromUtf8(text)),
                             row, 0);
        extraGrid->addWidget(box, row, 1);
        ++row;
    }
    extraGrid->setColumnStretch(2, 1);
    left->addWidget(extra);

    auto *life = new QGroupBox(QStringLiteral("耐用年数"), surface);
    auto *lifeGrid = new QGridLayout(life);
    for (int i = 0; i < 6; ++i) {
        ImNumber *box = numberBox(life, QStringLiteral("numTaiyo%1").arg(i + 1), false);
        m_numTaiyo << box;
        lifeGrid->addWidget(caption(life, QStringLiteral("labTaiyo%1").arg(i + 1), QString::fromUtf8(kStructures[i])),
                            i, 0);
        lifeGrid->addWidget(box, i, 1);
    }
    lifeGrid->setColumnStretch(2, 1);
    left->addWidget(life);
    left->addStretch(1);

    // Right: the default choices and the row dialogs' modes.
    auto addGroup = [this, surface](Group &group, const QString &title, const QStringList &captions) {
        auto *frame = new QGroupBox(title, surface);
        auto *box = new QVBoxLayout(frame);
        for (int i = 0; i < captions.size(); ++i) {
            auto *option = new QRadioButton(captions.at(i), frame);
            option->setObjectName(QString::fromLatin1(group.name));
            option->setProperty("index", i);
            option->setAutoFillBackground(true);
            option->installEventFilter(this);
            group.options << option;
            box->addWidget(option);
        }
        return frame;
    };
    QStringList kozo;
    for (const char *s : kStructures)
        kozo << QStringLiteral("「") + QString::fromUtf8(s) + QStringLiteral("」を初期値にする");
    right->addWidget(addGroup(m_optKozo, QStringLiteral("構造"), kozo));
    auto *pairs1 = new QHBoxLayout;
    pairs1->addWidget(
        addGroup(m_optGenka, QStringLiteral("減価方法"),
                 {QStringLiteral("「定率法」を初期値にする"), QStringLiteral("「定額法」を初期値にする")}));
    pairs1->addWidget(
        addGroup(m_optWari, QStringLiteral("割増償却"),
                 {QStringLiteral("「行う」を初期値にする"), QStringLiteral("「行わない」を初期値にする")}));
    right->addLayout(pairs1);
    auto *pairs2 = new QHBoxLayout;
    pairs2->addWidget(
        addGroup(m_optHensai, QStringLiteral("返済方式"),
                 {QStringLiteral("「元利均等」を初期値にする"), QStringLiteral("「元金均等」を初期値にする")}));
    pairs2->addWidget(
        addGroup(m_optYatin, QStringLiteral("家賃設定"), {QStringLiteral("１件ずつ入力"), QStringLiteral("連続入力")}));
    pairs2->addWidget(addGroup(m_optKariire, QStringLiteral("借入金設定"),
                               {QStringLiteral("１件ずつ入力"), QStringLiteral("連続入力")}));
    right->addLayout(pairs2);
    right->addStretch(1);

    // Pictures of the workspace background and of the two plan types.
    auto *pictures = new QGroupBox(QStringLiteral("画像設定"), surface);
    auto *picGrid = new QGridLayout(pictures);
    auto pathBox = [pictures](const char *name) {
        auto *box = new ImText(pictures);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumWidth(twipsToPixelsX(3000));
        return box;
    };
    auto picker = [this, pictures](const char *name, ImText *box, bool icon) {
        auto *button = new QPushButton(QStringLiteral("..."), pictures);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedWidth(twipsToPixelsX(450));
        const QString procedure = button->objectName() + QStringLiteral("_Click");
        connect(button, &QPushButton::clicked, this,
                [this, box, icon, procedure] { trap(procedure, [this, box, icon] { pickPicture(box, icon); }); });
        return button;
    };
    m_txtHaikei = pathBox("txtHaikei");
    m_txtData1 = pathBox("txtData1");
    m_txtData2 = pathBox("txtData2");
    m_txtIcon1 = pathBox("txtIcon1");
    m_txtIcon2 = pathBox("txtIcon2");
    picGrid->addWidget(caption(pictures, QStringLiteral("labHaikei"), QStringLiteral("背景")), 0, 0);
    picGrid->addWidget(m_txtHaikei, 0, 1, 1, 4);
    picGrid->addWidget(picker("butHaikei", m_txtHaikei, false), 0, 5);
    picGrid->addWidget(caption(pictures, QString(), QStringLiteral("識別画像")), 1, 1, Qt::AlignCenter);
    picGrid->addWidget(caption(pictures, QString(), QStringLiteral("アイコン")), 1, 3, Qt::AlignCenter);
    picGrid->addWidget(caption(pictures, QString(), QStringLiteral("駐車場")), 2, 0);
    picGrid->addWidget(m_txtData1, 2, 1);
    picGrid->addWidget(picker("butData1", m_txtData1, false), 2, 2);
    picGrid->addWidget(m_txtIcon1, 2, 3);
    picGrid->addWidget(picker("butIcon1", m_txtIcon1, true), 2, 4);
    picGrid->addWidget(caption(pictures, QString(), QStringLiteral("賃貸マンション")), 3, 0);
    picGrid->addWidget(m_txtData2, 3, 1);
    picGrid->addWidget(picker("butData2", m_txtData2, false), 3, 2);
    picGrid->addWidget(m_txtIcon2, 3, 3);
    picGrid->addWidget(picker("butIcon2", m_txtIcon2, true), 3, 4);
    root->addWidget(pictures);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_lbutAdd = FormButtons::create(surface, QStringLiteral("lbutAdd"), QStringLiteral("設　定"));
    m_lbutClose = FormButtons::create(surface, QStringLiteral("lbutClose"), QStringLiteral("キャンセル"));
    for (QWidget *b : {m_lbutAdd, m_lbutClose}) {
        b->setFixedSize(twipsToPixelsX(1215), twipsToPixelsY(420));
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    FormButtons::onClick(m_lbutAdd, this, [this] {
        trap(QStringLiteral("lbutAdd_Click"), [this] {
            bool saved = false;
            trap(QStringLiteral("SaveData"), [this, &saved] { saved = SaveData(); });
            if (!saved) {
                // The user's values stay in the dialog to try again or cancel.
                MsgBox::show(QStringLiteral("設定の保存に失敗しました。\r\n設定ファイル %1 に書き込めません。")
                                 .arg(QDir::toNativeSeparators(IniPath())),
                             MsgBox::Critical, QStringLiteral("SaveData"), this);
                return;
            }
            accept();
        });
    });
    FormButtons::onClick(m_lbutClose, this, [this] { trap(QStringLiteral("lbutClose_Click"), [this] { reject(); }); });
}

void frmSystem::Form_Load()
{
    m_ctrl = new cFrmCtrl(this);
    m_ctrl->ControlForm(this);
    m_ctrl->setAllowCaptionColor(true);
    m_ctrl->DataClear();
    SetInputCtrlStyle(this);
    trap(QStringLiteral("SetControlsColor"), [this] { SetControlsColor(); });
    trap(QStringLiteral("Init"), [this] { Init(); });
}

void frmSystem::SetControlsColor()
{
    gApl().SetButLineColor(m_lbutAdd, cApl::New);
    gApl().SetButLineColor(m_lbutClose, cApl::Exit);
}

void frmSystem::select(Group &group, int index)
{
    // A hand-edited index outside the group chooses the first option.
    if (index < 0 || index >= group.options.size())
        index = 0;
    group.options.at(index)->setChecked(true);
}

int frmSystem::selectedIndex(const Group &group, bool firstFiveThenLast)
{
    if (firstFiveThenLast) {
        for (int i = 0; i < 5; ++i)
            if (group.options.at(i)->isChecked())
                return i;
        return 5;
    }
    return group.options.at(0)->isChecked() ? 0 : 1;
}

void frmSystem::Init()
{
    cIni &ini = gIni();
    const cBase &base = gBase();
    const QString path = IniPath();
    ini.setPro_IniPath(path);
    m_loaded.clear();
    // A file that is there but cannot be read shows the defaults; saving them would
    // replace the user's values (the pictures above all) with empty ones.
    QFile file(path);
    const bool readable = !file.exists() || (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly));
    file.close();
    auto read = [&ini, readable, this](const QString &section, const QString &key, const char *def) {
        const QString value = ini.GetSetIniStr(section, key, QString::fromUtf8(def));
        if (readable)
            m_loaded.insert(key);
        return value;
    };
    m_numTax->setValue(base.CvtDbl(read(kConst, QStringLiteral("消費税"), "5")));
    m_numKotei->setValue(base.CvtDbl(read(kConst, QStringLiteral("固定資産税"), "1.4")));
    m_numTosi->setValue(base.CvtDbl(read(kConst, QStringLiteral("都市計画税"), "0.3")));
    m_numWKikan->setValue(base.CvtDbl(read(kConst, QStringLiteral("有効期間"), "5")));
    m_numWKijun->setValue(base.CvtDbl(read(kConst, QStringLiteral("基準年"), "35")));
    m_numWBai1->setValue(base.CvtDbl(read(kConst, QStringLiteral("割増率1"), "1.3")));
    m_numWBai2->setValue(base.CvtDbl(read(kConst, QStringLiteral("割増率2"), "1.4")));
    for (int i = 0; i < 6; ++i)
        m_numTaiyo.at(i)->setValue(int(base.CvtInt(read(kConst, QStringLiteral("耐用年数%1").arg(i), "1"))));
    select(m_optYatin, base.CvtInt(read(kSetting, QStringLiteral("家賃"), "0")));
    select(m_optKariire, base.CvtInt(read(kSetting, QStringLiteral("借入金"), "0")));
    select(m_optKozo, base.CvtInt(read(kDefault, QStringLiteral("構造"), "0")));
    select(m_optGenka, base.CvtInt(read(kDefault, QStringLiteral("減価方法"), "0")));
    select(m_optWari, base.CvtInt(read(kDefault, QStringLiteral("割増償却"), "0")));
    select(m_optHensai, base.CvtInt(read(kDefault, QStringLiteral("返済方式"), "0")));
    m_txtHaikei->setText(base.CvtStr(read(kSetting, QStringLiteral("背景"), "")));
    m_txtData1->setText(base.CvtStr(read(kSetting, QStringLiteral("画像1"), "")));
    m_txtData2->setText(base.CvtStr(read(kSetting, QStringLiteral("画像2"), "")));
    m_txtIcon1->setText(base.CvtStr(read(kSetting, QStringLiteral("アイコン1"), "")));
    m_txtIcon2->setText(base.CvtStr(read(kSetting, QStringLiteral("アイコン2"), "")));
}

bool frmSystem::SaveData()
{
    cIni &ini = gIni();
    ini.setPro_IniPath(IniPath());
    // One write for every key: a failure leaves the file and the module settings as they were.
    // A key the dialog never managed to read is left as the user has it.
    QList<cIni::Value> values;
    auto write = [&values, this](const QString &section, const QString &key, const QVariant &value) {
        if (m_loaded.contains(key))
            values.append({section, key, value});
    };
    write(kConst, QStringLiteral("消費税"), m_numTax->Value());
    write(kConst, QStringLiteral("固定資産税"), m_numKotei->Value());
    write(kConst, QStringLiteral("都市計画税"), m_numTosi->Value());
    write(kConst, QStringLiteral("有効期間"), m_numWKikan->Value());
    write(kConst, QStringLiteral("基準年"), m_numWKijun->Value());
    write(kConst, QStringLiteral("割増率1"), m_numWBai1->Value());
    write(kConst, QStringLiteral("割増率2"), m_numWBai2->Value());
    for (int i = 0; i < 6; ++i)
        write(kConst, QStringLiteral("耐用年数%1").arg(i), m_numTaiyo.at(i)->Value());
    write(kDefault, QStringLiteral("構造"), selectedIndex(m_optKozo, true));
    write(kDefault, QStringLiteral("減価方法"), selectedIndex(m_optGenka, false));
    write(kDefault, QStringLiteral("割増償却"), selectedIndex(m_optWari, false));
    write(kDefault, QStringLiteral("返済方式"), selectedIndex(m_optHensai, false));
    write(kSetting, QStringLiteral("家賃"), selectedIndex(m_optYatin, false));
    write(kSetting, QStringLiteral("借入金"), selectedIndex(m_optKariire, false));
    const std::pair<const char *, std::pair<ImText *, QString *>> paths[] = {{"背景", {m_txtHaikei, &gBackImage}},
                                                                             {"画像1", {m_txtData1, &gImage1}},
                                                                             {"画像2", {m_txtData2, &gImage2}},
                                                                             {"アイコン1", {m_txtIcon1, &gIcon1}},
                                                                             {"アイコン2", {m_txtIcon2, &gIcon2}}};
    for (const auto &[key, target] : paths)
        write(kSetting, QString::fromUtf8(key), target.first->Text().trimmed());
    // A file that could not be read is not saved over.
    if (values.isEmpty() || !ini.SetIniValues(values))
        return false;

    if (m_loaded.contains(QStringLiteral("消費税")))
        gTaxRate = gBase().CvtDbl(m_numTax->Value());
    for (const auto &[key, target] : paths)
        if (m_loaded.contains(QString::fromUtf8(key)))
            *target.second = target.first->Text().trimmed();
    return true;
}

void frmSystem::pickPicture(ImText *box, bool icon)
{
    cFileDlg dialog;
    const QVariantList pairs = icon ? QVariantList{QStringLiteral("Windows ｱｲｺﾝﾌｧｲﾙ"), QStringLiteral("ico")}
                                    : QVariantList{QStringLiteral("Windows BMPﾌｧｲﾙ"), QStringLiteral("bmp"),
                                                   QStringLiteral("Jpegﾌｧｲﾙ"), QStringLiteral("jpg")};
    const QString filter = dialog.CreateFilters(pairs);
    dialog.OpenFileDialog(this, QString(), filter, QStringLiteral("画像ﾌｧｲﾙの選択"), 4);
    // A cancelled or failed picker leaves the path as it was.
    if (gBase().StrLen(dialog.FileName()) > 0)
        box->setText(dialog.FileName());
}

bool frmSystem::eventFilter(QObject *watched, QEvent *event)
{
    auto *option = qobject_cast<QRadioButton *>(watched);
    if (!option)
        return QDialog::eventFilter(watched, event);
    const QString procedure = option->objectName();
    switch (event->type()) {
    case QEvent::FocusIn:
        trap(procedure + QStringLiteral("_GotFocus"), [option] {
            VbControl::setBackColor(option, VbColor::Highlight);
            VbControl::setForeColor(option, 0xFFFFFF);
        });
        break;
    case QEvent::FocusOut:
        trap(procedure + QStringLiteral("_LostFocus"), [option] {
            VbControl::setBackColor(option, VbColor::ButtonFace);
            VbControl::setForeColor(option, 0x000000);
        });
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            break;
        const bool back = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        trap(procedure + QStringLiteral("_KeyDown"), [this, back] { focusNextPrevChild(!back); });
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSystem::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    trap(QStringLiteral("Form_Unload"), [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
