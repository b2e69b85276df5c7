#pragma once

#include <QString>
#include <QStringList>

class QWidget;

/// The runtime's message box, taking its style codes (buttons + icon + default
/// button) and returning its answer codes. Tests queue answers ahead of time with
/// setNextAnswer, so no test ever waits on a modal box; every box shown is recorded.
class MsgBox
{
public:
    enum Style {
        OKOnly = 0,
        OKCancel = 1,
        YesNoCancel = 3,
        YesNo = 4,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
        DefaultButton2 = 256
    };
    enum Answer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

    struct Shown {
        QString prompt;
        int style = 0;
        QString title;
    };

    static int show(const QString &prompt, int style = OKOnly, const QString &title = QString(),
                    QWidget *parent = nullptr);

    /// The next box returns this answer at once instead of waiting for the user.
    static void setNextAnswer(int answer);
    /// Boxes shown so far (answered or not); cleared by clearHistory.
    static const QList<Shown> &history();
    static void clearHistory();
    /// When set, a box with no queued answer returns its default button instead of
    /// waiting (tests set it so a forgotten answer cannot hang them).
    static void setAutoAnswer(bool on);
};
