#include "fDlgPrint.h"

#include "FormButtons.h"
#include "LineButton.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

// The print confirmation: buttons by style, first focus, results, and the window's
// size from its texts.
class tst_fDlgPrint : public QObject
{
    Q_OBJECT

private:
    static QList<LineButton *> shown(fDlgPrint &d)
    {
        QList<LineButton *> out;
        for (LineButton *b : d.findChildren<LineButton *>(QStringLiteral("cmdButton")))
            if (!b->isHidden())
                out << b;
        std::sort(out.begin(), out.end(), [](LineButton *a, LineButton *b) {
            return a->property("index").toInt() < b->property("index").toInt();
        });
        return out;
    }
    static QLabel *label(fDlgPrint &d, const char *name) { return d.findChild<QLabel *>(QString::fromLatin1(name)); }
    /// Shows the dialog and, once it is open, runs answer on it.
    static int showAndAnswer(fDlgPrint &d, std::function<void(fDlgPrint &)> answer)
    {
        QTimer::singleShot(0, &d, [&d, answer] {
            QVERIFY(d.isVisible());
            answer(d);
        });
        return d.DialogShow();
    }

private Q_SLOTS:
    void buttonsByStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("values");
        const QStringList all{"プレビュー", "印　刷", "キャンセル"};
        QTest::newRow("7") << 7 << all << QList<int>{4, 2, 1};
        QTest::newRow("3") << 3 << QStringList{"印　刷", "キャンセル"} << QList<int>{2, 1};
        QTest::newRow("5") << 5 << QStringList{"プレビュー", "キャンセル"} << QList<int>{4, 1};
        QTest::newRow("15") << 15 << all << QList<int>{4, 2, 1};
        QTest::newRow("63") << 63 << all << QList<int>{4, 2, 1};
    }
    void buttonsByStyle()
    {
        QFETCH(int, style);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, values);
        fDlgPrint d;
        d.setDialogStyle(style);
        d.arrange();
        const QList<LineButton *> buttons = shown(d);
        QStringList got;
        for (LineButton *b : buttons)
            got << b->Caption();
        QCOMPARE(got, captions);
        QCOMPARE(d.shownButtons(), int(captions.size()));
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(d.buttonValue(i), values[i]);
        // Each button returns its value.
        for (int i = 0; i < buttons.size(); ++i) {
            fDlgPrint again;
            again.setDialogStyle(style);
            const int result = showAndAnswer(again, [i](fDlgPrint &dlg) { FormButtons::click(shown(dlg).at(i)); });
            QCOMPARE(result, values[i]);
        }
    }

    void firstFocus_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("focused");
        QTest::newRow("7") << 0x7 << "プレビュー";
        QTest::newRow("&H107") << 0x107 << "印　刷";
        QTest::newRow("&H207") << 0x207 << "キャンセル";
        QTest::newRow("&H105, two buttons") << 0x105 << "キャンセル";
        QTest::newRow("&H203, two buttons") << 0x203 << "印　刷";
    }
    void firstFocus()
    {
        QFETCH(int, style);
        fDlgPrint d;
        d.setDialogStyle(style);
        QString focused;
        showAndAnswer(d, [&focused](fDlgPrint &dlg) {
            if (auto *b = qobject_cast<LineButton *>(dlg.focusWidget()))
                focused = b->Caption();
            dlg.close();
        });
        QTEST(focused, "focused");
    }

    void escapeAndCloseCancel()
    {
        fDlgPrint d;
        QCOMPARE(showAndAnswer(d, [](fDlgPrint &dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }), 1);
        fDlgPrint e;
        QCOMPARE(showAndAnswer(e, [](fDlgPrint &dlg) { dlg.close(); }), 1);
    }

    void titles()
    {
        fDlgPrint d;
        d.arrange();
        QCOMPARE(d.windowTitle(), QStringLiteral("Print Dialog"));
        fDlgPrint e;
        e.setDialogTitle(QString());
        e.arrange();
        QCOMPARE(e.windowTitle(), QStringLiteral("Title"));
        fDlgPrint f;
        f.setDialogTitle(QStringLiteral("経営計画ご提案書１ 印刷確認"));
        f.setDialogPrompt(QStringLiteral("「経営計画ご提案書１」を印刷します。"));
        f.arrange();
        QCOMPARE(f.windowTitle(), QStringLiteral("経営計画ご提案書１ 印刷確認"));
        QCOMPARE(label(f, "lblPrompt")->text(), QStringLiteral("「経営計画ご提案書１」を印刷します。"));
        QVERIFY(label(f, "lblPrompt")->font().bold());
        QVERIFY(label(f, "lblSubPrompt")->isHidden());
    }

    void shortPromptLayout()
    {
        fDlgPrint d;
        d.setDialogPrompt(QStringLiteral("「経営計画ご提案書１」を印刷します。"));
        d.arrange();
        const int m = d.margin();
        QLabel *icon = label(d, "ImgMark");
        QLabel *prompt = label(d, "lblPrompt");
        QCOMPARE(icon->geometry(), QRect(m, m, 32, 32));
        QCOMPARE(prompt->x(), 2 * m + 32);
        // One line, centred on the icon.
        QCOMPARE(prompt->y(), (32 - prompt->height()) / 2 + m);
        const QList<LineButton *> buttons = shown(d);
        // No second line: the buttons start 2m below the icon; they touch and are centred.
        for (LineButton *b : buttons)
            QCOMPARE(b->y(), 3 * m + 32);
        QCOMPARE(buttons[1]->x(), buttons[0]->x() + buttons[0]->width());
        QCOMPARE(buttons[2]->x(), buttons[1]->x() + buttons[1]->width());
        const int leftGap = buttons[0]->x();
        const int rightGap = d.width() - (buttons[2]->x() + buttons[2]->width());
        QVERIFY(qAbs(leftGap - rightGap) <= 1);
        const int promptRow = 3 * m + 32 + prompt->width();
        const int buttonRow = 3 * buttons[0]->width() + 2 * m;
        QCOMPARE(d.width(), std::max(promptRow, buttonRow));
        QCOMPARE(d.height(), buttons[0]->height() + 4 * m + 32);
    }

    void longPromptWraps()
    {
        fDlgPrint d;
        const QString name = QStringLiteral("とても長い帳票名").repeated(12);
        d.setDialogPrompt(QStringLiteral("「") + name + QStringLiteral("」を印刷します。"));
        d.setDialogSubPrompt(QStringLiteral("二行目"));
        d.arrange();
        const int m = d.margin();
        QLabel *prompt = label(d, "lblPrompt");
        QCOMPARE(d.width(), d.widthLimit());
        QCOMPARE(prompt->width(), d.widthLimit() - (3 * m + 32));
        // The wrapped text fits its label: every line is shown.
        const QRect needed = QFontMetrics(prompt->font())
                                 .boundingRect(QRect(0, 0, prompt->width(), 10000), Qt::TextWordWrap, prompt->text());
        QVERIFY(needed.height() <= prompt->height());
        QVERIFY(prompt->height() > 32);
        QCOMPARE(prompt->y(), m); // level with the icon's top
        QLabel *sub = label(d, "lblSubPrompt");
        QCOMPARE(sub->y(), m + prompt->height() + m);
        QCOMPARE(shown(d).at(0)->y(), 3 * m + prompt->height() + sub->height());
    }

    void wideSecondLineIsNotCut()
    {
        fDlgPrint d;
        d.setDialogPrompt(QStringLiteral("短い"));
        d.setDialogSubPrompt(QStringLiteral("印刷前に用紙の向きと給紙トレイを確かめて下さい。"));
        d.setDialogStyle(1);
        d.arrange();
        QLabel *sub = label(d, "lblSubPrompt");
        QVERIFY(sub->x() >= 0);
        QVERIFY(sub->x() + sub->width() <= d.width());
    }
};

QTEST_MAIN(tst_fDlgPrint)
#include "tst_fDlgPrint.moc"
