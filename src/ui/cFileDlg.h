#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <functional>
#include <utility>

class QWidget;

/// The Open and Save file dialogs with one record kept for the object's life, so
/// settings made through the properties stay from one dialog to the next.
///
/// Filters are texts of NUL-separated pairs "description", "pattern" as
/// CreateFilters builds them ("Jpegﾌｧｲﾙ(*.jpg)\0*.jpg\0"). The file buffer
/// (FileName) and the file-title buffer (FileTitle) are NUL-padded to their sizes
/// (MaxFileLen, MaxFileTitleLen); a chosen path that does not fit the file buffer
/// fails like a cancel.
class cFileDlg
{
public:
    /// What the modal chooser is asked and what it answers.
    struct ChooserRequest {
        QWidget *owner = nullptr;
        bool save = false;
        QString initialPath;
        QList<std::pair<QString, QString>> filters; // (description, pattern) pairs
        int filterIndex = 1;                        // 1-based
        QString title;
        int32_t options = 0;
        QString fileName; // the name the save dialog starts with
    };
    struct ChooserResult {
        bool accepted = false;
        QString path;
        int filterIndex = 1;
    };
    using Chooser = std::function<ChooserResult(const ChooserRequest &)>;
    /// Who shows the modal dialog: the program installs fileDialog at start-up, a test
    /// may answer in its place. Without one every dialog is cancelled.
    static void setChooser(Chooser chooser);
    /// The toolkit's Open or Save dialog.
    static ChooserResult fileDialog(const ChooserRequest &request);

    cFileDlg();

    QWidget *hWndOwner() const { return m_owner; }
    void setHWndOwner(QWidget *owner) { m_owner = owner; }
    QString Filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    int32_t FilterIndex() const { return m_filterIndex; }
    void setFilterIndex(int32_t index) { m_filterIndex = index; }
    /// The file buffer up to its first NUL.
    QString FileName() const;
    void setFileName(const QString &name);
    int32_t MaxFileLen() const { return m_maxFileLen; }
    void setMaxFileLen(int32_t length);
    /// The whole file-title buffer, trailing NULs included.
    QString FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString &title);
    int32_t MaxFileTitleLen() const { return m_maxFileTitleLen; }
    void setMaxFileTitleLen(int32_t length);
    QString InitialPath() const { return m_initialPath; }
    void setInitialPath(const QString &path) { m_initialPath = path; }
    QString Title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    int32_t Options() const { return m_options; }
    void setOptions(int32_t options) { m_options = options; }

    /// The chosen path, or "" when cancelled.
    QString OpenFileDialog(QWidget *owner, const QString &initialPath, const QString &filter, const QString &title,
                           int32_t options);
    /// The chosen path; the selected filter's extension is added when the name has
    /// another. "" when cancelled.
    QString SaveFileDialog(QWidget *owner, const QString &initialPath, const QString &filter, const QString &title,
                           int32_t options, const QString &defaultName);
    /// Pairs (description, extension without dot) into a filter text; "" for an
    /// empty list, an odd count or a value without a text form.
    QString CreateFilters(const QVariantList &list) const;
    void ClearFileName();

private:
    void InitOpenFileName();
    QString GetFilterExt(const QString &filter, int index) const;
    QString GetFileExt(const QString &path) const;
    bool ParseFileExt(QString path, QString &folder, QString &name, QString &extension) const;
    bool runChooser(bool save);
    static QString padded(const QString &text, int length);

    QWidget *m_owner = nullptr;
    QString m_filter;
    int32_t m_filterIndex = 1;
    QString m_file;
    int32_t m_maxFileLen = 256;
    QString m_fileTitle;
    int32_t m_maxFileTitleLen = 256;
    QString m_initialPath;
    QString m_title;
    int32_t m_options = 0;
};
