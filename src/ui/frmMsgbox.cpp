#include "frmMsgbox.h"

#include "ErrorTrap.h"
#include "Globals.h"
#include "VbFont.h"
#include "cApl.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmMsgbox::frmMsgbox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMsgbox"));
    setWindowTitle(QStringLiteral("注意"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(36, 36);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(36, 36));
    Label1 = new QLabel(QStringLiteral("新規物件を登録しました。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("物件データの変更は出来ませんので、"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(QStringLiteral("変更したい場合は一度削除してから新規入力して下さい。"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Check1 = new QCheckBox(QStringLiteral("次回から表示しない"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command1->setMinimumWidth(90);

    auto *text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addSpacing(6);
    text->addWidget(Label2);
    text->addWidget(Label3);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(text, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Check1);
    bottom->addStretch(1);
    bottom->addWidget(Command1);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(16, 16, 16, 12);
    all->addLayout(top);
    all->addSpacing(14);
    all->addLayout(bottom);
    setFixedSize(sizeHint());

    connect(Command1, &QPushButton::clicked, this, &frmMsgbox::Command1_Click);
}

void frmMsgbox::Command1_Click()
{
    trapErrors(QStringLiteral("frmMsgbox"), QStringLiteral("Command1_Click"), [this] {
        if (Check1->checkState() == Qt::Checked) {
            gApl().setDialogBox(QString::number(1));
            gApl().SaveRegDialogBox();
        }
    });
    accept();
}
