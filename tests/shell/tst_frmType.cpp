#include "frmType.h"

#include "FormButtons.h"
#include "MsgBox.h"
#include "ShellHooks.h"
#include "mdlMain.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

struct Opened {
    int type = 0;
    int id1 = 0;
    int id2 = 0;
};
QList<Opened> g_opened;

class FakeEntryForm : public PlanEntryForm
{
public:
    FakeEntryForm(int type, bool state) : m_type(type), m_state(state) {}
    void setPro_ID1(const QVariant &id1) override { m_id1 = id1.toInt(); }
    void setPro_ID2(const QVariant &id2) override { m_id2 = id2.toInt(); }
    void showModal() override { g_opened.append({m_type, m_id1, m_id2}); }
    bool Pro_State() const override { return m_state; }

private:
    int m_type;
    bool m_state;
    int m_id1 = 0;
    int m_id2 = 0;
};

} // namespace

// The plan-type chooser opens the entry form of the chosen type and hands on its result.
class tst_frmType : public QObject
{
    Q_OBJECT

private:
    static QPushButton *typeButton(frmType &t, int index)
    {
        for (QPushButton *b : t.findChildren<QPushButton *>(QStringLiteral("butType")))
            if (b->property("index").toInt() == index)
                return b;
        return nullptr;
    }
    static QLabel *image(frmType &t, int index)
    {
        for (QLabel *l : t.findChildren<QLabel *>(QStringLiteral("Image1")))
            if (l->property("index").toInt() == index)
                return l;
        return nullptr;
    }
    static void registerForms(bool state)
    {
        for (PlanType type : {PlanType::Parking, PlanType::Apartment})
            ShellHooks::setEntryFormFactory(type, [type, state](QWidget *) {
                return std::make_unique<FakeEntryForm>(planTypeNumber(type), state);
            });
    }

private Q_SLOTS:
    void init()
    {
        MsgBox::setAutoAnswer(true);
        g_opened.clear();
        ShellHooks::reset();
        gImage1.clear();
        gImage2.clear();
    }

    void choosingATypeOpensItsEntryForm_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<int>("state");
        QTest::newRow("parking registered") << 1 << true << -1;
        QTest::newRow("apartment registered") << 2 << true << -1;
        QTest::newRow("apartment closed without registering") << 2 << false << 0;
    }
    void choosingATypeOpensItsEntryForm()
    {
        QFETCH(int, type);
        QFETCH(bool, registered);
        registerForms(registered);
        frmType t;
        t.setPro_ID1(12);
        t.setPro_ID2(4);
        typeButton(t, type)->click();
        QCOMPARE(g_opened.size(), 1);
        QCOMPARE(g_opened.at(0).type, type);
        QCOMPARE(g_opened.at(0).id1, 12);
        QCOMPARE(g_opened.at(0).id2, 4);
        QTEST(t.Pro_State(), "state");
        QCOMPARE(t.Pro_Type(), type);
        QCOMPARE(t.result(), int(QDialog::Accepted));
    }

    void clickingAPictureChoosesLikeItsButton()
    {
        registerForms(true);
        frmType t;
        t.show();
        QTest::mouseClick(image(t, 2), Qt::LeftButton);
        QCOMPARE(g_opened.size(), 1);
        QCOMPARE(g_opened.at(0).type, 2);
    }

    void cancelReportsNothing()
    {
        registerForms(true);
        frmType t;
        FormButtons::click(t.findChild<QWidget *>(QStringLiteral("lbutCancel")));
        QCOMPARE(t.Pro_State(), 0);
        QCOMPARE(t.Pro_Type(), 0);
        QVERIFY(g_opened.isEmpty());
    }

    void missingEntryFormKeepsTheChooserOpen()
    {
        frmType t;
        t.show();
        typeButton(t, 1)->click();
        QVERIFY(t.isVisible());
        QCOMPARE(t.Pro_State(), 0);
    }

    void picturesThatCannotBeReadStayBlank()
    {
        QTemporaryDir dir;
        QImage green(10, 10, QImage::Format_RGB32);
        green.fill(Qt::green);
        gImage1 = dir.filePath(QStringLiteral("park.png"));
        QVERIFY(green.save(gImage1));
        gImage2 = dir.filePath(QStringLiteral("missing.jpg"));
        frmType t;
        QVERIFY(!image(t, 1)->pixmap().isNull());
        QVERIFY(image(t, 2)->pixmap().isNull());
        QCOMPARE(typeButton(t, 1)->text(), QStringLiteral("駐車場"));
        QCOMPARE(typeButton(t, 2)->text(), QStringLiteral("賃貸マンション"));
        QCOMPARE(t.windowTitle(), QStringLiteral("タイプ選択"));
    }
};

QTEST_MAIN(tst_frmType)
#include "tst_frmType.moc"
