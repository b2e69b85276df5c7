#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

/// The browse-for-folder dialog. The selection of the last dialog is kept, and
/// PathName turns it into a path text; with the browse-for-computers option
/// (0x1000) PathName is the dialog's display name instead.
///
/// The browse-for-printers option (0x2000) lists the installed printers, and
/// PathName is then the chosen printer's name. A numeric root (such as 18, the
/// network neighbourhood) has no meaning here: it is accepted and ignored, and the
/// dialog starts in the root path when one is given.
class cFoldDlg
{
public:
    enum Option : int32_t { BrowseForComputer = 0x1000, BrowseForPrinter = 0x2000 };

    struct ChooserRequest {
        QWidget *owner = nullptr;
        int32_t root = 0;
        QString rootPath;
        QString title; // without its trailing NUL
        int32_t options = 0;
    };
    /// path is "" for an item that is no folder (a printer); displayName is the
    /// item's name as the dialog shows it.
    struct ChooserResult {
        bool accepted = false;
        QString path;
        QString displayName;
    };
    using Chooser = std::function<ChooserResult(const ChooserRequest &)>;
    /// Who shows the modal dialog: the program installs folderDialog at start-up, a test
    /// may answer in its place. Without one every dialog is cancelled.
    static void setChooser(Chooser chooser);
    /// The toolkit's folder dialog, or its list of the installed printers for the
    /// browse-for-printers option.
    static ChooserResult folderDialog(const ChooserRequest &request);

    cFoldDlg();

    QWidget *hWndOwner() const { return m_owner; }
    void setHWndOwner(QWidget *owner) { m_owner = owner; }
    int32_t Root() const { return m_root; }
    void setRoot(int32_t root);
    /// The browse tree starts at this folder.
    void RootName(const QString &path) { m_rootPath = path; }
    QString PathName() const;
    /// The display-name buffer becomes the text.
    void setPathName(const QString &text) { m_displayName = text; }
    /// The stored title, with its trailing NUL.
    QString Title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title + QChar(0); }
    int32_t Options() const { return m_options; }
    void setOptions(int32_t options) { m_options = options; }

    /// The PathName of the new selection; "" when cancelled.
    QString SelectFolderDialog(QWidget *owner, int32_t root, const QString &title, int32_t options,
                               const QString &rootPath);
    void ClearPathName();

private:
    void InitBrowseInfo();
    static QString untilNul(const QString &text);

    struct Selection {
        bool valid = false;
        QString path;
        QString displayName;
    };

    QWidget *m_owner = nullptr;
    int32_t m_root = 0;
    QString m_rootPath;
    QString m_displayName;
    QString m_title;
    int32_t m_options = 0;
    Selection m_selection;
};
