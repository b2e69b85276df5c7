#include "cFoldDlg.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPrinterInfo>

namespace
{

cFoldDlg::Chooser s_chooser;

constexpr int kDisplayNameLength = 260;

} // namespace

cFoldDlg::ChooserResult cFoldDlg::folderDialog(const ChooserRequest &request)
{
    ChooserResult result;
    if (request.options & BrowseForPrinter) {
        const QStringList printers = QPrinterInfo::availablePrinterNames();
        bool ok = false;
        const QString name =
            QInputDialog::getItem(request.owner, request.title, request.title, printers,
                                  int(printers.indexOf(QPrinterInfo::defaultPrinterName())), false, &ok);
        if (ok && !name.isEmpty()) {
            result.accepted = true;
            result.displayName = name;
        }
        return result;
    }
    const QString path = QFileDialog::getExistingDirectory(request.owner, request.title, request.rootPath);
    if (!path.isEmpty()) {
        result.accepted = true;
        result.path = path;
        result.displayName = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    }
    return result;
}

void cFoldDlg::setChooser(Chooser chooser)
{
    s_chooser = std::move(chooser);
}

cFoldDlg::cFoldDlg()
{
    InitBrowseInfo();
}

void cFoldDlg::setRoot(int32_t root)
{
    m_root = root;
    m_rootPath.clear();
}

QString cFoldDlg::PathName() const
{
    if (m_options & BrowseForComputer)
        return untilNul(m_displayName);
    if (!m_selection.valid)
        return QString();
    if (!m_selection.path.isEmpty())
        return m_selection.path;
    // A printer has no path: its name is what the caller asked for.
    if (m_options & BrowseForPrinter)
        return m_selection.displayName;
    return QString();
}

QString cFoldDlg::SelectFolderDialog(QWidget *owner, int32_t root, const QString &title, int32_t options,
                                     const QString &rootPath)
{
    ClearPathName();
    m_owner = owner;
    if (!rootPath.isEmpty()) {
        m_rootPath = rootPath;
    } else {
        m_root = root;
        m_rootPath.clear();
    }
    setTitle(title);
    m_options = options;

    ChooserRequest request;
    request.owner = m_owner;
    request.root = m_root;
    request.rootPath = m_rootPath;
    request.title = title;
    request.options = m_options;
    const ChooserResult result = s_chooser ? s_chooser(request) : ChooserResult();
    m_selection = Selection();
    if (result.accepted) {
        m_selection = {true, result.path, result.displayName};
        m_displayName = result.displayName +
                        QString(std::max<int>(0, kDisplayNameLength - int(result.displayName.size())), QChar(0));
    }
    return PathName();
}

void cFoldDlg::ClearPathName()
{
    m_displayName = QString(kDisplayNameLength, QChar(0));
}

void cFoldDlg::InitBrowseInfo()
{
    m_owner = nullptr;
    m_root = 0;
    m_rootPath.clear();
    m_title.clear();
    m_options = 0;
    m_selection = Selection();
    ClearPathName();
}

QString cFoldDlg::untilNul(const QString &text)
{
    const int nul = int(text.indexOf(QChar(0)));
    return nul < 0 ? text : text.left(nul);
}
