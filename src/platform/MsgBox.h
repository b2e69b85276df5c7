#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QUrl;
class QWidget;

/// The runtime's message box, taking its style codes (buttons + icon + default
/// button) and returning its answer codes. It needs no display itself: the
/// application installs the presenter that shows the box (installDesktopServices),
/// so services below the forms can ask the user without linking widgets. Tests
/// queue answers ahead of time with setNextAnswer, so no test ever waits on a
/// modal box, and may install a recorder that is told of every box asked for.
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

    using Presenter = std::function<int(const QString &prompt, int style, const QString &title, QWidget *parent)>;
    using Recorder = std::function<void(const Shown &box)>;

    static int show(const QString &prompt, int style = OKOnly, const QString &title = QString(),
                    QWidget *parent = nullptr);

    /// Who shows the boxes. With none installed a box is written to the debug
    /// output and answered with its default button.
    static void setPresenter(Presenter presenter);
    /// The answer of the box's default button (the second one with DefaultButton2).
    static int defaultAnswer(int style);

    /// The next box returns this answer at once instead of waiting for the user.
    static void setNextAnswer(int answer);
    /// Drops the answers queued by setNextAnswer that no box took.
    static void clearNextAnswers();
    /// Who is told of every box asked for, answered or not (a test keeps a list of
    /// them); the program installs none.
    static void setRecorder(Recorder recorder);
    /// When set, a box with no queued answer returns its default button instead of
    /// waiting (tests set it so a forgotten answer cannot hang them).
    static void setAutoAnswer(bool on);
};

/// The rest of what services need of the desktop, installed with the presenter:
/// the warning beep and opening a file or address with the program it belongs to.
namespace Desktop
{

void setBeeper(std::function<void()> beeper);
void beep();
void setUrlOpener(std::function<bool(const QUrl &)> opener);
/// False when nothing is installed or the desktop could not open it.
bool openUrl(const QUrl &url);

} // namespace Desktop
