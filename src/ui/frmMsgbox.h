#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

/// The notice "注意" shown after a new property is registered: the property is
/// stored, and stored property data cannot be changed, only deleted and entered
/// again. Ticking "次回から表示しない" and pressing OK turns the notice off for good
/// (cApl DialogBox "1", written to the registry); closing it any other way stores
/// nothing. The caller decides from cApl::DialogBox whether to show it at all.
/// Show it modally with exec(); each showing starts with the box unticked.
class frmMsgbox : public QDialog
{
    Q_OBJECT

public:
    explicit frmMsgbox(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QCheckBox *Check1;
    QPushButton *Command1;

private:
    void Command1_Click();
};
