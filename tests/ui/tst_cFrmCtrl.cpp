#include "cFrmCtrl.h"

#include "EntryTestForm.h"
#include "MsgBox.h"
#include "RealMessageBoxes.h"
#include "ShownBoxes.h"
#include "TypeText.h"
#include "VbColor.h"
#include "VbKeys.h"
#include "cCtrls.h"

#include <QApplication>
#include <QGroupBox>
#include <QtTest>

#include <memory>
#include <stdexcept>

// The form controller and its wrappers driven through a real form with real keys.
class tst_cFrmCtrl : public QObject
{
    Q_OBJECT

private:
    struct Fixture {
        std::unique_ptr<EntryTestForm> form;
        cFrmCtrl *ctrl = nullptr;
    };

    /// A shown, active form bound to a controller, loaded the way forms load.
    static Fixture open(bool keyPreview)
    {
        Fixture f;
        f.form = std::make_unique<EntryTestForm>(keyPreview);
        f.ctrl = new cFrmCtrl(f.form.get());
        f.ctrl->ControlForm(f.form.get());
        f.ctrl->DataClear();
        f.ctrl->FlagClear();
        f.ctrl->GetDataDefault();
        f.ctrl->ControlItem(f.form->numKey)->setStyle(3);
        f.form->show();
        QApplication::setActiveWindow(f.form.get());
        [&] { QVERIFY2(QTest::qWaitForWindowActive(f.form.get()), "form not active"); }();
        return f;
    }

    static QWidget *byKey(EntryTestForm *form, const QString &key)
    {
        for (QWidget *w : VbControl::formControls(form))
            if (VbControl::key(w) == key)
                return w;
        return nullptr;
    }

    static QString focusedKey(EntryTestForm *form) { return VbControl::key(VbControl::activeControl(form)); }

    static void focusOn(QWidget *w)
    {
        w->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    static void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
        QApplication::processEvents();
    }

private Q_SLOTS:
    void init() { clearShownBoxes(); }

    void registration()
    {
        Fixture f = open(true);
        // Wrapped: number x4, text, combo, command button, check box, two options, plain text.
        QCOMPARE(f.ctrl->Count(), 11);
        QCOMPARE(f.ctrl->Item(0)->Control(), f.form->numSikiti);
        QCOMPARE(f.ctrl->Item(QStringLiteral("numSikiti"))->Control(), f.form->numSikiti);
        QCOMPARE(f.ctrl->Item(QStringLiteral("optDirect_0"))->Control(), f.form->optDirect0);
        QCOMPARE(f.ctrl->ControlItem(f.form->optDirect3)->Control(), f.form->optDirect3);
        QCOMPARE(f.ctrl->ControlItem(f.form->lbutAdd), nullptr); // line buttons are not wrapped
        QCOMPARE(f.ctrl->ControlItem(f.form->labName), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, f.ctrl->Item(QStringLiteral("numNothing")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, f.ctrl->Item(11));

        f.ctrl->ControlForm(f.form.get()); // a second binding adds nothing
        QCOMPARE(f.ctrl->Count(), 11);
        f.ctrl->RemoveControl(f.form->txtPlain);
        QCOMPARE(f.ctrl->ControlItem(f.form->txtPlain), nullptr);
        QCOMPARE(f.ctrl->Count(), 10);
        f.ctrl->TerminateControls();
        QCOMPARE(f.ctrl->Count(), 0);
        QCOMPARE(f.ctrl->DataChanged(), false);
    }

    void captionPairing()
    {
        Fixture f = open(true);
        QCOMPARE(f.ctrl->ControlItem(f.form->cmbPort)->Caption(), f.form->labPort);
        QCOMPARE(f.ctrl->ControlItem(f.form->butPort)->Caption(), nullptr);
        QCOMPARE(f.ctrl->ControlItem(f.form->numSikiti)->Caption(), f.form->labSikiti);
        // The first member of the option array takes the shared label.
        QCOMPARE(f.ctrl->ControlItem(f.form->optDirect0)->Caption(), f.form->labDirect);
        QCOMPARE(f.ctrl->ControlItem(f.form->optDirect3)->Caption(), nullptr);
        f.ctrl->RestCaptionControl();
        f.ctrl->RestCaptionControl();
        QCOMPARE(f.ctrl->FormCaptions(), QList<QLabel *>{f.form->Label12});
    }

    void focusMoves_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Enter in number box") << "numSikiti" << int(Qt::Key_Return) << 0 << "txtName";
        QTest::newRow("Down in text box") << "txtName" << int(Qt::Key_Down) << 0 << "cmbPort";
        QTest::newRow("Up in combo box") << "cmbPort" << int(Qt::Key_Up) << 0 << "txtName";
        QTest::newRow("Down in combo box") << "cmbPort" << int(Qt::Key_Down) << 0 << "butPort";
        QTest::newRow("Shift+Enter also forward")
            << "txtName" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "cmbPort";
        QTest::newRow("Shift+Up stays") << "txtName" << int(Qt::Key_Up) << int(Qt::ShiftModifier) << "txtName";
        QTest::newRow("Enter in check box") << "chkFlag" << int(Qt::Key_Return) << 0 << "optDirect_0";
        QTest::newRow("Up in check box") << "chkFlag" << int(Qt::Key_Up) << 0 << "butPort";
        QTest::newRow("Down from option skips hidden and disabled")
            << "optDirect_0" << int(Qt::Key_Down) << 0 << "txtPlain";
        QTest::newRow("Enter skips display-only") << "txtPlain" << int(Qt::Key_Return) << 0 << "lbutAdd";
        QTest::newRow("Up in text box moves once") << "txtName" << int(Qt::Key_Up) << 0 << "numSikiti";
        QTest::newRow("Up from first field wraps") << "numSikiti" << int(Qt::Key_Up) << 0 << "lbutAdd";
        QTest::newRow("Down on last field wraps") << "lbutAdd" << int(Qt::Key_Down) << 0 << "numSikiti";
    }

    void focusMoves()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        Fixture f = open(true);
        f.form->cmbPort->setCurrentIndex(1);
        focusOn(byKey(f.form.get(), start));
        QCOMPARE(focusedKey(f.form.get()), start);
        press(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(focusedKey(f.form.get()), expected);
        QCOMPARE(f.form->cmbPort->currentIndex(), 1); // the arrows moved the focus, not the choice
    }

    void upInNumberBoxWithoutPreviewMovesOnce()
    {
        Fixture f = open(false);
        focusOn(f.form->numSikiti);
        press(Qt::Key_Down);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
        focusOn(f.form->txtName);
        press(Qt::Key_Up);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("numSikiti"));
    }

    void comboWithoutPreviewKeepsArrows()
    {
        Fixture f = open(false);
        f.form->cmbPort->setCurrentIndex(0);
        focusOn(f.form->cmbPort);
        press(Qt::Key_Down);
        QCOMPARE(f.form->cmbPort->currentIndex(), 1);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("cmbPort"));
        press(Qt::Key_Return);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("butPort"));
    }

    void boxWithOwnKeysMovesOnce_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("form previews keys") << true;
        QTest::newRow("form without preview") << false;
    }

    void boxWithOwnKeysMovesOnce()
    {
        QFETCH(bool, preview);
        Fixture f = open(preview);
        f.form->numSikiti->setNextCtrl(QStringLiteral("{Enter},{Down}"));
        f.form->numSikiti->setPrevCtrl(QStringLiteral("+{Enter},{Up}"));
        focusOn(f.form->numSikiti);
        press(Qt::Key_Return);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
        focusOn(f.form->numSikiti);
        press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("lbutAdd"));
    }

    void enterOnLineButtonClicks()
    {
        Fixture f = open(true);
        int clicks = 0;
        connect(f.form->lbutAdd, &LineButton::Click, this, [&clicks] { ++clicks; });
        focusOn(f.form->lbutAdd);
        press(Qt::Key_Return);
        QCOMPARE(clicks, 1);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("lbutAdd"));
    }

    void changeFlag_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("loaded");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("backspaces");
        QTest::addColumn<bool>("changed");
        QTest::newRow("text typed") << "txtName" << QVariant(QStringLiteral("東京")) << false << "都" << 0 << true;
        QTest::newRow("text typed and deleted")
            << "txtName" << QVariant(QStringLiteral("東京")) << false << "都" << 1 << false;
        QTest::newRow("number typed into empty box") << "numSikiti" << QVariant() << false << "5" << 0 << true;
        QTest::newRow("number typed and deleted") << "numSikiti" << QVariant() << false << "5" << 1 << false;
        QTest::newRow("number emptied") << "numSikiti" << QVariant(12.5) << true << "" << 1 << true;
        QTest::newRow("number retyped as loaded") << "numSikiti" << QVariant(12.5) << true << "12.5" << 0 << false;
        QTest::newRow("number changed") << "numSikiti" << QVariant(12.5) << true << "12.6" << 0 << true;
        QTest::newRow("plain text typed")
            << "txtPlain" << QVariant(QStringLiteral("2LDK")) << false << "S" << 0 << true;
    }

    void changeFlag()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, loaded);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(int, backspaces);
        QFETCH(bool, changed);
        Fixture f = open(true);
        QWidget *w = byKey(f.form.get(), field);
        auto *edit = qobject_cast<QLineEdit *>(w);
        if (auto *box = qobject_cast<ImNumber *>(w))
            box->setValue(loaded);
        else
            edit->setText(loaded.toString());
        QCOMPARE(f.ctrl->DataChanged(), loaded.isValid()); // loading raised change events
        f.ctrl->FlagClear();
        f.ctrl->GetDataDefault();
        QCOMPARE(f.ctrl->DataChanged(), false);

        focusOn(w);
        if (selectAll)
            edit->selectAll();
        else
            edit->end(false);
        typeText(w, typed);
        for (int i = 0; i < backspaces; ++i)
            QTest::keyClick(w, Qt::Key_Backspace);
        QCOMPARE(f.ctrl->ControlItem(w)->DataChanged, changed);
        QCOMPARE(f.ctrl->DataChanged(), changed);
    }

    void changeFlagOfChoices()
    {
        Fixture f = open(true);
        f.ctrl->FlagClear();
        f.ctrl->GetDataDefault();
        f.form->chkFlag->click();
        QVERIFY(f.ctrl->DataChanged());
        f.form->chkFlag->click();
        QCOMPARE(f.ctrl->DataChanged(), false);
        // Choosing another option and back leaves both options unchanged: the option
        // switched off judges its flag too.
        auto *frame = new QGroupBox(f.form.get());
        auto *optA = new QRadioButton(QStringLiteral("定率法"), frame);
        optA->setObjectName(QStringLiteral("optA"));
        auto *optB = new QRadioButton(QStringLiteral("定額法"), frame);
        optB->setObjectName(QStringLiteral("optB"));
        optA->setChecked(true);
        f.ctrl->AddControl(optA);
        f.ctrl->AddControl(optB);
        f.ctrl->GetDataDefault();
        optB->click();
        QVERIFY(f.ctrl->ControlItem(optA)->DataChanged);
        QVERIFY(f.ctrl->ControlItem(optB)->DataChanged);
        optA->click();
        QCOMPARE(f.ctrl->DataChanged(), false);
        // Members of a control array keep no change flag.
        f.form->optDirect3->click();
        QCOMPARE(f.ctrl->DataChanged(), false);
        f.form->cmbPort->setCurrentIndex(2); // set by the program: counts as a change
        QVERIFY(f.ctrl->DataChanged());
        f.ctrl->DataDefault();
        QCOMPARE(f.ctrl->DataChanged(), false);
    }

    void clearKey_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("focused");
        QTest::newRow("form previews keys") << true << true << "cmbPort";
        QTest::newRow("form without preview") << false << false << "txtPlain";
    }

    void clearKey()
    {
        QFETCH(bool, preview);
        QFETCH(bool, cleared);
        QFETCH(QString, focused);
        Fixture f = open(preview);
        f.form->txtName->setText(QStringLiteral("東京"));
        f.form->numSikiti->setValue(12.5);
        f.form->numKey->setValue(7); // display-only: the record being edited
        f.form->chkFlag->setChecked(true);
        f.form->cmbPort->setCurrentIndex(2);
        f.form->txtPlain->setText(QStringLiteral("2LDK"));
        focusOn(byKey(f.form.get(), focused));
        press(Qt::Key_F4);
        QCOMPARE(f.form->txtName->text(), cleared ? QString() : QStringLiteral("東京"));
        QCOMPARE(f.form->numSikiti->isNull(), cleared);
        QCOMPARE(f.form->chkFlag->isChecked(), !cleared);
        QCOMPARE(f.form->txtPlain->text(), cleared ? QString() : QStringLiteral("2LDK"));
        QCOMPARE(f.form->numKey->Value(), QVariant(7.0));
        QCOMPARE(f.form->cmbPort->currentIndex(), 2); // a drop-down list keeps its choice
        QCOMPARE(focusedKey(f.form.get()), focused);  // F4 did not drop the list down
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    void rangeFilter_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("-100..0 holding 50") << -100.0 << 0.0 << QVariant(50.0) << QVariant(-50.0);
        QTest::newRow("-100..0 holding 500") << -100.0 << 0.0 << QVariant(500.0) << QVariant(-100.0);
        QTest::newRow("0..100 holding -500") << 0.0 << 100.0 << QVariant(-500.0) << QVariant(100.0);
        QTest::newRow("0..100 holding -5") << 0.0 << 100.0 << QVariant(-5.0) << QVariant(5.0);
        QTest::newRow("5..5 holding 7") << 5.0 << 5.0 << QVariant(7.0) << QVariant(5.0);
        QTest::newRow("10..20 holding 3") << 10.0 << 20.0 << QVariant(3.0) << QVariant(10.0);
        QTest::newRow("10..20 holding 25") << 10.0 << 20.0 << QVariant(25.0) << QVariant(20.0);
        QTest::newRow("in range") << 0.0 << 9999.0 << QVariant(42.0) << QVariant(42.0);
        QTest::newRow("empty stays empty") << 0.0 << 9999.0 << QVariant() << QVariant();
    }

    void rangeFilter()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        cFrmCtrl ctrl;
        ImNumber box;
        box.setMinValue(min);
        box.setMaxValue(max);
        box.setValue(value);
        ctrl.NumberRangeFilter(&box);
        QCOMPARE(box.isNull(), !expected.isValid());
        if (expected.isValid())
            QCOMPARE(box.Value().toDouble(), expected.toDouble());
    }

    void typedValueOutOfRangeIsPulledIn()
    {
        Fixture f = open(true);
        f.form->numSikiti->setMinValue(-100);
        f.form->numSikiti->setMaxValue(0);
        focusOn(f.form->numSikiti);
        QTest::keyClicks(f.form->numSikiti, QStringLiteral("500"));
        press(Qt::Key_Return);
        QCOMPARE(f.form->numSikiti->Value(), QVariant(-100.0));
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
        QVERIFY(shownBoxes().isEmpty());
    }

    void keysAfterAMessageClosedWithEnter_data()
    {
        QTest::addColumn<bool>("keyPreview");
        QTest::addColumn<QString>("before"); // typed into numSikiti before the message
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QVariant>("sikiti");
        const QList<int> minusFiveEnter = {Qt::Key_Minus, Qt::Key_5, Qt::Key_Return};
        QTest::newRow("form previews keys") << true << ""
                                            << "numSikiti" << minusFiveEnter << "txtName" << QVariant(5.0);
        QTest::newRow("box passes keys on") << false << ""
                                            << "numSikiti" << minusFiveEnter << "txtName" << QVariant(5.0);
        QTest::newRow("form previews a combo box's Up")
            << true << ""
            << "cmbPort" << QList<int>{Qt::Key_Up} << "txtName" << QVariant();
        QTest::newRow("typed before, the program moves on") << true << "-5"
                                                            << "txtName" << QList<int>() << "txtName" << QVariant(5.0);
    }
    void keysAfterAMessageClosedWithEnter()
    {
        QFETCH(bool, keyPreview);
        QFETCH(QString, before);
        QFETCH(QString, start);
        QFETCH(QList<int>, keys);
        QFETCH(QVariant, sikiti);
        Fixture f = open(keyPreview);
        if (!before.isEmpty()) {
            focusOn(f.form->numSikiti);
            QTest::keyClicks(f.form->numSikiti, before);
        }
        {
            const RealMessageBoxes boxes;
            MsgBox::show(QStringLiteral("確認"), MsgBox::Exclamation, QString(), f.form.get());
        }
        // The form's window gets the keys although the closed box left it inactive.
        byKey(f.form.get(), start)->setFocus();
        for (int key : keys)
            QTest::keyClick(f.form->windowHandle(), Qt::Key(key));
        QTEST(VbControl::key(f.form->focusWidget()), "focus");
        if (sikiti.isValid())
            QCOMPARE(f.form->numSikiti->TypedValue(), sikiti);
    }

    void readValueIsWithinTheRange()
    {
        Fixture f = open(true);
        focusOn(f.form->numSikiti);
        QTest::keyClicks(f.form->numSikiti, QStringLiteral("123456"));
        // Typed past the maximum and not yet left: what the program reads is in range.
        QCOMPARE(f.form->numSikiti->text(), QStringLiteral("123456"));
        QCOMPARE(f.form->numSikiti->Value(), QVariant(99999.99));
    }

    void rangeErrorMessage_data()
    {
        QTest::addColumn<QString>("dataField");
        QTest::addColumn<QString>("message");
        QTest::newRow("with field name") << " 敷地面積 "
                                         << "敷地面積は[0]～[9,999]の範囲で入力して下さい。";
        QTest::newRow("without field name") << "  "
                                            << "[0]～[9,999]の範囲で値を入力して下さい。";
    }

    void rangeErrorMessage()
    {
        QFETCH(QString, dataField);
        QFETCH(QString, message);
        Fixture f = open(true);
        f.ctrl->setAllowCaptionColor(true);
        f.ctrl->AllowRangeError(true);
        f.ctrl->AllowRangeFilter(false);
        f.form->numSikiti->setMaxValue(9999);
        f.form->numSikiti->setDisplayFormat(QStringLiteral("###,##0"));
        f.form->numSikiti->setDataField(dataField);
        focusOn(f.form->numSikiti);
        QTest::keyClicks(f.form->numSikiti, QStringLiteral("12345"));
        MsgBox::setNextAnswer(MsgBox::OK);
        press(Qt::Key_Return);
        QCOMPARE(shownBoxes().size(), 1);
        QCOMPARE(shownBoxes().at(0).prompt, message);
        QCOMPARE(shownBoxes().at(0).title, QStringLiteral("入力範囲エラー"));
        QCOMPARE(shownBoxes().at(0).style, 48);
        QCOMPARE(f.form->numSikiti->Value(), QVariant(12345.0)); // kept for the user to correct
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("numSikiti"));
        QCOMPARE(VbControl::foreColor(f.form->labSikiti), quint32(0x000000FF)); // caption in error
    }

    void stylesOfWholeForm()
    {
        Fixture f = open(true);
        f.ctrl->FormControlsStyle(3);
        QVERIFY(f.form->numSikiti->isReadOnly());
        QCOMPARE(VbControl::tabStop(f.form->numSikiti), false);
        QCOMPARE(VbControl::backColor(f.form->numSikiti), quint32(0x80000010));
        QCOMPARE(VbControl::foreColor(f.form->numSikiti), quint32(0x80000005));
        QVERIFY(f.form->txtPlain->isReadOnly());
        QCOMPARE(f.form->chkFlag->isEnabled(), false);
        QCOMPARE(VbControl::backColor(f.form->chkFlag), VbControl::backColor(f.form.get())); // like its form
        QCOMPARE(f.form->butPort->isEnabled(), false);

        f.ctrl->FormControlsStyle(0);
        QCOMPARE(f.form->numSikiti->isReadOnly(), false);
        QVERIFY(VbControl::tabStop(f.form->numSikiti));
        QCOMPARE(VbControl::backColor(f.form->numSikiti), quint32(0x80000005));
        QCOMPARE(f.form->txtPlain->isReadOnly(), false);
        QVERIFY(f.form->chkFlag->isEnabled());
        QVERIFY(f.form->butPort->isEnabled());
        QCOMPARE(f.form->numDisabled->isEnabled(), false); // design-time state comes back

        f.ctrl->ControlsStyle(QStringLiteral("TextBox"), 4);
        QCOMPARE(VbControl::backColor(f.form->txtPlain), quint32(0x0081FFFF));
        QCOMPARE(VbControl::backColor(f.form->txtName), quint32(0x80000005));
        QCOMPARE(VbControl::backColor(f.form->numSikiti), quint32(0x80000005));

        f.ctrl->setFormCheckBoxColor(2);
        f.ctrl->ControlItem(f.form->chkFlag)->setStyle(4);
        QCOMPARE(VbControl::backColor(f.form->chkFlag), quint32(0x0081FFFF));

        cCtrls *name = f.ctrl->ControlItem(f.form->txtName);
        name->DefaultStyle = 3;
        name->setStyle(0);
        QVERIFY(f.form->txtName->isReadOnly());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, name->setStyle(5));
    }

    void styleTwoKeepsInputWithoutTabStop()
    {
        Fixture f = open(true);
        f.ctrl->ControlItem(f.form->txtName)->setStyle(2);
        QCOMPARE(f.form->txtName->isReadOnly(), false);
        QCOMPARE(VbControl::backColor(f.form->txtName), quint32(0x80000016));
        focusOn(f.form->numSikiti);
        press(Qt::Key_Return);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("cmbPort"));
    }

    void captionColoursFollowFocus()
    {
        Fixture f = open(true);
        const quint32 designed = VbControl::foreColor(f.form->labName);
        focusOn(f.form->txtName);
        QCOMPARE(VbControl::foreColor(f.form->labName), designed); // colouring is off by default

        f.ctrl->setAllowCaptionColor(true);
        focusOn(f.form->numSikiti);
        QCOMPARE(VbControl::foreColor(f.form->labSikiti), quint32(0x00008000));
        QCOMPARE(VbControl::backColor(f.form->labSikiti), quint32(0x8000000F));
        QCOMPARE(f.form->numSikiti->Caption().ForeColor, quint32(0x00008000));
        press(Qt::Key_Return);
        QCOMPARE(VbControl::foreColor(f.form->labSikiti), quint32(0x80000008));
        QCOMPARE(VbControl::foreColor(f.form->labName), quint32(0x00008000));

        // A check box without a caption label shows the focus colour on itself.
        focusOn(f.form->chkFlag);
        QCOMPARE(VbControl::foreColor(f.form->chkFlag), quint32(0x00008000));
        focusOn(f.form->txtPlain);
        QCOMPARE(VbControl::foreColor(f.form->chkFlag), VbControl::foreColor(f.form.get()));

        f.ctrl->RestCaptionControl();
        f.ctrl->FormCaptionsColor(2);
        QCOMPARE(VbControl::foreColor(f.form->Label12), quint32(0x00008000));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, f.ctrl->FormCaptionsColor(4));
    }

    void captionFontsByState()
    {
        cFrmCtrl ctrl;
        ctrl.CaptionFoucusFont.setPointSize(12);
        QCOMPARE(ctrl.CaptionFont(1), ctrl.CaptionNormalFont);
        QCOMPARE(ctrl.CaptionFont(2), ctrl.CaptionFoucusFont);
        QCOMPARE(ctrl.CaptionFont(3), ctrl.CaptionFoucusFont);
        QCOMPARE(ctrl.CaptionFont(7), ctrl.CaptionNormalFont);
        QCOMPARE(ctrl.CaptionNormalFont.pointSize(), 9);
        QVERIFY(ctrl.CaptionNormalFont.bold());
    }

    void captionClickMovesFocus()
    {
        Fixture f = open(true);
        f.ctrl->setCaptionClickSetFocus(true);
        focusOn(f.form->numSikiti);
        QTest::mouseClick(f.form->labName, Qt::LeftButton);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
        QTest::mouseClick(f.form->labDirect, Qt::LeftButton); // a plain label of an option array
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("optDirect_0"));
        // A label that is itself an array member is attached, but its clicks go nowhere.
        f.form->Label12->setProperty("index", 1);
        f.ctrl->ControlItem(f.form->chkFlag)->setCaption(f.form->Label12);
        QCOMPARE(f.ctrl->ControlItem(f.form->chkFlag)->Caption(), f.form->Label12);
        QTest::mouseClick(f.form->Label12, Qt::LeftButton);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("optDirect_0"));
    }

    void snapshotWrittenBack()
    {
        Fixture f = open(true);
        f.form->txtName->setText(QStringLiteral("大阪"));
        f.form->numSikiti->setValue(300);
        f.form->chkFlag->setChecked(true);
        f.form->optDirect3->setChecked(true);
        f.ctrl->FlagClear();
        f.ctrl->GetDataDefault();
        f.ctrl->DataClear();
        QVERIFY(f.ctrl->DataChanged());
        QCOMPARE(f.form->optDirect3->isChecked(), false);
        f.ctrl->DataDefault();
        QCOMPARE(f.ctrl->DataChanged(), false);
        QCOMPARE(f.form->txtName->text(), QStringLiteral("大阪"));
        QCOMPARE(f.form->numSikiti->Value(), QVariant(300.0));
        QVERIFY(f.form->chkFlag->isChecked());
        QVERIFY(f.form->optDirect3->isChecked());

        cCtrls *check = f.ctrl->ControlItem(f.form->chkFlag);
        check->DefaultValue = 3; // not a check box value: not written back
        f.form->chkFlag->setChecked(false);
        check->DataDefault();
        QCOMPARE(f.form->chkFlag->isChecked(), false);
    }

    void topControlAndTabFocus()
    {
        Fixture f = open(true);
        focusOn(f.form->txtPlain);
        f.ctrl->SetForcusTopControl();
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("numSikiti"));
        f.form->numSikiti->setEnabled(false);
        f.ctrl->SetForcusTopControl();
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));

        focusOn(f.form->lbutAdd);
        f.ctrl->TabFocus(0); // forward from the last wraps to the first
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
        f.ctrl->TabFocus(1);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("lbutAdd"));
        f.ctrl->TabFocus(2);
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
    }

    void renderedForm()
    {
        Fixture f = open(true);
        f.ctrl->setAllowCaptionColor(true);
        f.ctrl->RestCaptionControl();
        f.ctrl->FormCaptionsColor(1);
        f.ctrl->ControlItem(f.form->txtName)->setStyle(4);
        f.ctrl->ControlItem(f.form->cmbPort)->setStyle(2);
        f.form->numSikiti->setValue(1234.5);
        f.form->numKey->setValue(7);
        f.form->txtName->setText(QStringLiteral("駅前の土地"));
        focusOn(f.form->numSikiti);
        press(Qt::Key_Return); // the name box takes the focus; its caption turns green
        QApplication::processEvents();
        const QImage image = f.form->grab().toImage();
        const QString dir = qEnvironmentVariable("VANREK_SHOT_DIR");
        if (!dir.isEmpty())
            image.save(QDir(dir).filePath(QStringLiteral("EntryTestForm.png")));

        auto count = [&image](const QRect &area, auto test) {
            int n = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    n += test(image.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        auto green = [](const QColor &c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
        auto dark = [](const QColor &c) { return c.lightness() < 90; };
        QVERIFY(count(f.form->labName->geometry(), green) > 10);  // focused caption drawn green
        QCOMPARE(count(f.form->labSikiti->geometry(), green), 0); // the one left is normal again
        QVERIFY(count(f.form->labSikiti->geometry(), dark) > 10); // and its Japanese text is drawn
        const QRect name = f.form->txtName->geometry();
        QCOMPARE(image.pixelColor(name.right() - 6, name.center().y()), QColor(255, 255, 129)); // style 4
        QCOMPARE(f.form->numSikiti->text(), QStringLiteral("1,234.50"));
    }

    void displayOnlyComboKeepsItsChoice()
    {
        Fixture f = open(false);
        f.form->cmbPort->setCurrentIndex(0);
        f.ctrl->ControlItem(f.form->cmbPort)->setStyle(3);
        QCOMPARE(VbControl::tabStop(f.form->cmbPort), false);
        focusOn(f.form->cmbPort);
        press(Qt::Key_Down);
        press(Qt::Key_F4);
        QCOMPARE(f.form->cmbPort->currentIndex(), 0);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        f.ctrl->ControlItem(f.form->cmbPort)->setStyle(1);
        press(Qt::Key_Down);
        QCOMPARE(f.form->cmbPort->currentIndex(), 1);
    }

    void restoreKeyWhenAFormSetsOne()
    {
        Fixture f = open(true);
        QCOMPARE(f.ctrl->DefaultKey, 0); // no restore key unless a form asks for one
        f.form->txtName->setText(QStringLiteral("東京"));
        f.ctrl->FlagClear();
        f.ctrl->GetDataDefault();
        f.form->txtName->setText(QStringLiteral("大阪"));
        focusOn(f.form->txtName);
        press(Qt::Key_F5);
        QCOMPARE(f.form->txtName->text(), QStringLiteral("大阪"));
        f.ctrl->DefaultKey = VbKeys::F4 + 1;
        press(Qt::Key_F5);
        QCOMPARE(f.form->txtName->text(), QStringLiteral("東京"));
        QCOMPARE(f.ctrl->DataChanged(), false);
    }

    void allowKeyActionOff()
    {
        Fixture f = open(true);
        f.ctrl->AllowKeyAction = false;
        f.form->txtName->setText(QStringLiteral("東京"));
        focusOn(f.form->txtName);
        press(Qt::Key_F4);
        press(Qt::Key_Down);
        QCOMPARE(f.form->txtName->text(), QStringLiteral("東京"));
        QCOMPARE(focusedKey(f.form.get()), QStringLiteral("txtName"));
    }
};

QTEST_MAIN(tst_cFrmCtrl)
#include "tst_cFrmCtrl.moc"
