#include "VbControl.h"

#include "ImNumber.h"
#include "ImText.h"
#include "VbColor.h"
#include "VbFont.h"
#include "VbKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

// How the runtime's controls, keys, colours and fonts map onto Qt.
class tst_VbControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typeNames()
    {
        QWidget form;
        QCOMPARE(VbControl::typeName(new ImNumber(&form)), QStringLiteral("imNumber"));
        QCOMPARE(VbControl::typeName(new ImText(&form)), QStringLiteral("imText"));
        QCOMPARE(VbControl::typeName(new QLineEdit(&form)), QStringLiteral("TextBox"));
        QCOMPARE(VbControl::typeName(new QPlainTextEdit(&form)), QStringLiteral("TextBox"));
        QCOMPARE(VbControl::typeName(new QComboBox(&form)), QStringLiteral("ComboBox"));
        QCOMPARE(VbControl::typeName(new QCheckBox(&form)), QStringLiteral("CheckBox"));
        QCOMPARE(VbControl::typeName(new QRadioButton(&form)), QStringLiteral("OptionButton"));
        QCOMPARE(VbControl::typeName(new QPushButton(&form)), QStringLiteral("CommandButton"));
        QCOMPARE(VbControl::typeName(new QLabel(&form)), QStringLiteral("Label"));
        QCOMPARE(VbControl::typeName(new QTableView(&form)), QStringLiteral("TDBGrid"));
        QCOMPARE(VbControl::typeName(new QGroupBox(&form)), QStringLiteral("Frame"));
        auto *own = new QWidget(&form);
        own->setProperty("vbTypeName", QStringLiteral("LineButton"));
        QCOMPARE(VbControl::typeName(own), QStringLiteral("LineButton"));
    }

    void controlsAndKeys()
    {
        QWidget form;
        auto *frame = new QGroupBox(&form);
        frame->setObjectName(QStringLiteral("fraTax"));
        auto *inFrame = new ImNumber(frame);
        inFrame->setObjectName(QStringLiteral("numTax"));
        auto *combo = new QComboBox(&form);
        combo->setObjectName(QStringLiteral("cmbKind"));
        combo->setEditable(true); // its inner edit is no control of the form
        auto *member = new QRadioButton(&form);
        member->setObjectName(QStringLiteral("optKozo"));
        member->setProperty("index", 5);
        new QLabel(&form); // unnamed: not a control
        QCOMPARE(VbControl::formControls(&form), (QList<QWidget *>{frame, inFrame, combo, member}));
        QCOMPARE(VbControl::key(member), QStringLiteral("optKozo_5"));
        QCOMPARE(VbControl::key(combo), QStringLiteral("cmbKind"));
        QCOMPARE(VbControl::index(combo), -1);
        QCOMPARE(VbControl::tabIndex(&form, member), 3);
    }

    void tabStopKeepsClickFocus()
    {
        QLineEdit edit;
        VbControl::setTabStop(&edit, false);
        QCOMPARE(edit.focusPolicy(), Qt::ClickFocus);
        VbControl::setTabStop(&edit, true);
        QCOMPARE(edit.focusPolicy(), Qt::StrongFocus);
    }

    void keyLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("matches");
        QTest::newRow("Enter in next list") << "{Enter},{Down}" << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter") << "{Enter},{Down}" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Down in next list") << "{Enter},{Down}" << int(Qt::Key_Down) << 0 << true;
        QTest::newRow("Shift+Enter not in next list")
            << "{Enter},{Down}" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Shift+Enter in previous list")
            << "+{Enter},{Up}" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << true;
        QTest::newRow("plain Enter not in previous list") << "+{Enter},{Up}" << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("F4") << "{F4}" << int(Qt::Key_F4) << 0 << true;
        QTest::newRow("empty list") << "" << int(Qt::Key_Return) << 0 << false;
    }

    void keyLists()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, matches);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(VbKeys::inKeyList(list, &event), matches);
    }

    void keyCodes()
    {
        QCOMPARE(VbKeys::keyCode(Qt::Key_Return), 13);
        QCOMPARE(VbKeys::keyCode(Qt::Key_Up), 38);
        QCOMPARE(VbKeys::keyCode(Qt::Key_Down), 40);
        QCOMPARE(VbKeys::keyCode(Qt::Key_F4), 115);
        QCOMPARE(VbKeys::keyCode(Qt::Key_A), 65);
        QCOMPARE(VbKeys::shift(Qt::ShiftModifier | Qt::AltModifier), 5);
    }

    void colours()
    {
        QCOMPARE(VbColor::toQColor(0x0081FFFF), QColor(255, 255, 129));
        QCOMPARE(VbColor::toQColor(0x00008000), QColor(0, 128, 0));
        QCOMPARE(VbColor::toQColor(0x80000005), QApplication::palette().color(QPalette::Active, QPalette::Base));
        QCOMPARE(VbColor::fromQColor(QColor(1, 2, 3)), quint32(0x00030201));
        QWidget form;
        auto *label = new QLabel(&form);
        QCOMPARE(VbControl::backColor(label), quint32(0x8000000F));
        VbControl::setBackColor(label, 0x000000FF);
        QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
        QVERIFY(label->autoFillBackground());
        VbControl::setBackStyle(label, 0);
        QCOMPARE(label->autoFillBackground(), false); // transparent keeps the colour but shows none
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("proportional gothic") << "ＭＳ Ｐゴシック"
                                             << "IPAPGothic" << false;
        QTest::newRow("fixed gothic") << "ＭＳ ゴシック"
                                      << "IPAGothic" << true;
        QTest::newRow("half-width spelling") << "MS Gothic"
                                             << "IPAGothic" << true;
        QTest::newRow("other face") << "Arial"
                                    << "Arial" << false;
    }

    void fonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QFETCH(bool, fixed);
        const QFont font = VbFont::make(face, 9, true);
        QCOMPARE(font.family(), family);
        QCOMPARE(font.fixedPitch(), fixed);
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY(font.bold());
    }
};

QTEST_MAIN(tst_VbControl)
#include "tst_VbControl.moc"
