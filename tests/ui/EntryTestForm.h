#pragma once

#include "ImNumber.h"
#include "ImText.h"
#include "LineButton.h"
#include "VbControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

/// A small entry form with one control of every wrapped kind, laid out in the
/// order a form's designer would create them (which is also the tab order):
/// number, text, combo, command button, check box, an option array (members 0 and
/// 3), a hidden and a disabled number box, a plain text box, a number box the tests
/// make display-only, and a line button. Labels pair by name; Label12 pairs with
/// nothing.
class EntryTestForm : public QDialog
{
public:
    explicit EntryTestForm(bool keyPreview)
    {
        setObjectName(QStringLiteral("frmTest"));
        setWindowTitle(QStringLiteral("入力テスト"));
        VbControl::setKeyPreview(this, keyPreview);
        auto *grid = new QGridLayout(this);
        int row = 0;
        labSikiti = label("labSikiti", "敷地面積");
        numSikiti = new ImNumber(this);
        named(numSikiti, "numSikiti");
        numSikiti->setMinValue(0);
        numSikiti->setMaxValue(99999.99);
        numSikiti->setDisplayFormat(QStringLiteral("#,##0.00"));
        numSikiti->setFormat(QStringLiteral("####0.00"));
        grid->addWidget(labSikiti, row, 0);
        grid->addWidget(numSikiti, row++, 1);

        labName = label("labName", "物件名");
        txtName = new ImText(this);
        named(txtName, "txtName");
        txtName->setMaxLength(30);
        grid->addWidget(labName, row, 0);
        grid->addWidget(txtName, row++, 1);

        labPort = label("labPort", "使用ポート");
        cmbPort = new QComboBox(this);
        named(cmbPort, "cmbPort");
        cmbPort->addItems({QStringLiteral("LPT1:"), QStringLiteral("LPT2:"), QStringLiteral("FILE:")});
        butPort = new QPushButton(QStringLiteral("..."), this);
        named(butPort, "butPort");
        grid->addWidget(labPort, row, 0);
        grid->addWidget(cmbPort, row, 1);
        grid->addWidget(butPort, row++, 2);

        chkFlag = new QCheckBox(QStringLiteral("割増償却を行う"), this);
        named(chkFlag, "chkFlag");
        grid->addWidget(chkFlag, row++, 1);

        labDirect = label("labDirect", "印刷方向");
        optDirect0 = new QRadioButton(QStringLiteral("縦"), this);
        named(optDirect0, "optDirect");
        optDirect0->setProperty("index", 0);
        optDirect3 = new QRadioButton(QStringLiteral("横"), this);
        named(optDirect3, "optDirect");
        optDirect3->setProperty("index", 3);
        optDirect0->setChecked(true);
        grid->addWidget(labDirect, row, 0);
        grid->addWidget(optDirect0, row, 1);
        grid->addWidget(optDirect3, row++, 2);

        numHidden = new ImNumber(this);
        named(numHidden, "numHidden");
        numHidden->hide();
        numDisabled = new ImNumber(this);
        named(numDisabled, "numDisabled");
        numDisabled->setEnabled(false);
        grid->addWidget(numDisabled, row++, 1);

        labPlain = label("labPlain", "間取り");
        txtPlain = new QLineEdit(this);
        named(txtPlain, "txtPlain");
        grid->addWidget(labPlain, row, 0);
        grid->addWidget(txtPlain, row++, 1);

        labKey = label("labKey", "タイプ");
        numKey = new ImNumber(this);
        named(numKey, "numKey");
        grid->addWidget(labKey, row, 0);
        grid->addWidget(numKey, row++, 1);

        lbutAdd = new LineButton(QStringLiteral("登　録"), this);
        named(lbutAdd, "lbutAdd");
        lbutAdd->setLineColor(0x0000C000);
        Label12 = label("Label12", "千円");
        grid->addWidget(Label12, 0, 2);
        grid->addWidget(lbutAdd, row++, 1);
    }

    QLabel *labSikiti, *labName, *labPort, *labDirect, *labPlain, *labKey, *Label12;
    ImNumber *numSikiti, *numHidden, *numDisabled, *numKey;
    ImText *txtName;
    QComboBox *cmbPort;
    QPushButton *butPort;
    QCheckBox *chkFlag;
    QRadioButton *optDirect0, *optDirect3;
    QLineEdit *txtPlain;
    LineButton *lbutAdd;

private:
    QLabel *label(const char *name, const char *text)
    {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        named(l, name);
        return l;
    }
    static void named(QWidget *w, const char *name) { w->setObjectName(QString::fromLatin1(name)); }
};
