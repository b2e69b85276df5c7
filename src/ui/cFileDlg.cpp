#include "cFileDlg.h"

#include "VbRuntime.h"
#include "cFile.h"

#include <QFileDialog>
#include <QMetaType>

namespace
{

cFileDlg::Chooser s_chooser;

constexpr int32_t kOverwritePrompt = 0x2;
constexpr int kSaveBufferLength = 257;

} // namespace

cFileDlg::ChooserResult cFileDlg::fileDialog(const ChooserRequest &request)
{
    QFileDialog dialog(request.owner, request.title, request.initialPath);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The descriptions already show their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (request.save && !(request.options & kOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList nameFilters;
    for (const auto &[description, pattern] : request.filters)
        nameFilters.append(description + QStringLiteral(" (") +
                           QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.value(request.filterIndex - 1, nameFilters.first()));
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);

    ChooserResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.path = dialog.selectedFiles().first();
    result.filterIndex = std::max<int>(1, int(nameFilters.indexOf(dialog.selectedNameFilter())) + 1);
    return result;
}

void cFileDlg::setChooser(Chooser chooser)
{
    s_chooser = std::move(chooser);
}

cFileDlg::cFileDlg()
{
    InitOpenFileName();
}

QString cFileDlg::FileName() const
{
    const int nul = int(m_file.indexOf(QChar(0)));
    return nul < 0 ? m_file : m_file.left(nul);
}

void cFileDlg::setFileName(const QString &name)
{
    m_file = padded(name, m_maxFileLen);
}

void cFileDlg::setMaxFileLen(int32_t length)
{
    m_maxFileLen = length;
    m_file = padded(m_file, length); // the buffer never gets shorter than its size says
}

void cFileDlg::setFileTitle(const QString &title)
{
    m_fileTitle = padded(title, m_maxFileTitleLen);
}

void cFileDlg::setMaxFileTitleLen(int32_t length)
{
    m_maxFileTitleLen = length;
    m_fileTitle = padded(m_fileTitle, length);
}

QString cFileDlg::OpenFileDialog(QWidget *owner, const QString &initialPath, const QString &filter,
                                 const QString &title, int32_t options)
{
    ClearFileName();
    m_owner = owner;
    m_filter = filter;
    m_initialPath = initialPath;
    m_title = title;
    m_options = options;
    return runChooser(false) ? FileName() : QString();
}

QString cFileDlg::SaveFileDialog(QWidget *owner, const QString &initialPath, const QString &filter,
                                 const QString &title, int32_t options, const QString &defaultName)
{
    ClearFileName();
    m_owner = owner;
    m_filter = filter;
    m_filterIndex = 1;
    m_maxFileLen = int32_t(m_file.size()) - 1;
    m_fileTitle = m_file;
    m_maxFileTitleLen = m_maxFileLen;
    m_initialPath = initialPath;
    m_title = title;
    m_options = options;
    m_file = padded(defaultName, kSaveBufferLength);
    if (!runChooser(true))
        return QString();

    QString name = FileName();
    const QString filterExt = GetFilterExt(m_filter, m_filterIndex);
    // A filter such as "*.*" names no extension to add.
    const bool addable =
        !filterExt.isEmpty() && !filterExt.contains(QLatin1Char('*')) && !filterExt.contains(QLatin1Char('?'));
    if (addable && QString::compare(GetFileExt(name), filterExt, Qt::CaseInsensitive) != 0)
        name += QLatin1Char('.') + filterExt;
    return name;
}

QString cFileDlg::CreateFilters(const QVariantList &list) const
{
    if (list.isEmpty() || list.size() % 2 != 0)
        return QString();
    QStringList texts;
    for (const QVariant &v : list) {
        if (vb::isEmpty(v) || vb::isNull(v)) {
            texts.append(QString());
            continue;
        }
        const int type = v.metaType().id();
        if (type == QMetaType::QVariantList || type == QMetaType::QStringList || type == QMetaType::QVariantMap ||
            type == QMetaType::QVariantHash || !v.canConvert<QString>())
            return QString();
        texts.append(vb::cstr(v));
    }
    QString filter;
    const QChar nul(0);
    for (int i = 0; i < texts.size(); i += 2) {
        const QString pattern = QStringLiteral("*.") + texts.at(i + 1);
        filter += texts.at(i) + QLatin1Char('(') + pattern + QLatin1Char(')') + nul + pattern + nul;
    }
    return filter;
}

void cFileDlg::ClearFileName()
{
    m_file = QString(m_maxFileLen, QChar(0));
    m_fileTitle = QString(m_maxFileTitleLen, QChar(0));
}

void cFileDlg::InitOpenFileName()
{
    m_owner = nullptr;
    m_filter.clear();
    m_filterIndex = 1;
    m_maxFileLen = 256;
    m_maxFileTitleLen = 256;
    m_initialPath.clear();
    m_title.clear();
    m_options = 0;
    ClearFileName();
}

// The pattern of the 1-based pair, without its "*.".
QString cFileDlg::GetFilterExt(const QString &filter, int index) const
{
    const QStringList parts = filter.split(QChar(0));
    const int at = 2 * index - 1;
    if (index < 1 || at >= parts.size())
        return QString();
    return parts.at(at).mid(2);
}

QString cFileDlg::GetFileExt(const QString &path) const
{
    QString folder, name, extension;
    ParseFileExt(path, folder, name, extension);
    return extension;
}

bool cFileDlg::ParseFileExt(QString path, QString &folder, QString &name, QString &extension) const
{
    return cFile().SplitPath(path, folder, name, extension);
}

// Asks the chooser; on acceptance the chosen path, its name and the filter index
// land in the record. A path longer than the file buffer holds fails.
bool cFileDlg::runChooser(bool save)
{
    ChooserRequest request;
    request.owner = m_owner;
    request.save = save;
    request.initialPath = m_initialPath;
    const QStringList parts = m_filter.split(QChar(0));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty() && parts.at(i + 1).isEmpty())
            break;
        request.filters.append({parts.at(i), parts.at(i + 1)});
    }
    request.filterIndex = m_filterIndex;
    request.title = m_title;
    request.options = m_options;
    if (save)
        request.fileName = FileName();

    const ChooserResult result = s_chooser ? s_chooser(request) : ChooserResult();
    if (!result.accepted || result.path.isEmpty() || result.path.size() >= m_maxFileLen)
        return false;
    m_file = padded(result.path, m_maxFileLen);
    const int sep =
        int(std::max(result.path.lastIndexOf(QLatin1Char('/')), result.path.lastIndexOf(QLatin1Char('\\'))));
    m_fileTitle = padded(result.path.mid(sep + 1), m_maxFileTitleLen);
    m_filterIndex = result.filterIndex;
    return true;
}

QString cFileDlg::padded(const QString &text, int length)
{
    return text.size() >= length ? text : text + QString(length - text.size(), QChar(0));
}
