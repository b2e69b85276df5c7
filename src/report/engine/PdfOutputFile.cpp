#include "PdfOutputFile.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace
{

// A new empty file beside target, made with the rights a new file of the user gets;
// empty when the folder takes none.
QString createBeside(const QString &target)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QString name = info.dir().filePath(
            QStringLiteral(".%1.%2").arg(info.fileName(), QString::number(QRandomGenerator::global()->generate(), 36)));
        const int fd =
            ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return QString();
}

// Whether the file, synced to the disk, ends as a PDF writer ends a whole one: the
// trailer's "startxref", the offset of the cross-reference table and "%%EOF", and whether
// that table lies at that offset (a write lost on the way moves what follows it).
bool syncedWholePdf(const QString &path)
{
    QString error;
    QFile file;
    if (!RegularFile::open(file, path, O_RDONLY, &error) || !RegularFile::sync(file.handle(), &error))
        return false;
    const qint64 size = file.size();
    if (!file.seek(std::max<qint64>(0, size - 1024)))
        return false;
    const QByteArray tail = file.readAll().trimmed();
    const QByteArray start("startxref"), end("%%EOF");
    const qsizetype at = tail.lastIndexOf(start);
    if (at < 0 || !tail.endsWith(end))
        return false;
    bool number = false;
    const qint64 table =
        tail.mid(at + start.size(), tail.size() - end.size() - at - start.size()).trimmed().toLongLong(&number);
    return number && table >= 0 && table < size && file.seek(table) && file.read(4) == "xref";
}

} // namespace

bool PdfOutputFile::canWrite(const QString &path)
{
    const QString file = RegularFile::linkedFile(path);
    QString why;
    int fd = RegularFile::open(file, O_WRONLY | O_APPEND, &why);
    bool made = false;
    if (fd < 0 && why.isEmpty()) {
        // Nothing there yet: a file made for the test alone, never one that appeared meanwhile.
        fd = RegularFile::open(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, &why);
        made = fd >= 0;
    }
    if (fd < 0)
        return false;
    ::close(fd);
    if (made)
        ::unlink(QFile::encodeName(file).constData());
    return true;
}

PdfOutputFile::PdfOutputFile(const QString &path)
{
    // A link keeps pointing at the file it names; that file is what is written or replaced.
    m_target = RegularFile::linkedFile(path);
    m_targetExisted = QFileInfo::exists(m_target);
    // Only a regular file is replaced: anything else is written as it is.
    if (!m_targetExisted || QFileInfo(m_target).isFile())
        m_writing = createBeside(m_target);
    if (m_writing.isEmpty())
        m_writing = m_target;
}

PdfOutputFile::~PdfOutputFile()
{
    discard();
}

void PdfOutputFile::discard() const
{
    if (m_committed)
        return;
    // A file written in place is left when it was there before: what it held is gone either way.
    if (m_writing != m_target || !m_targetExisted)
        QFile::remove(m_writing);
}

bool PdfOutputFile::commit()
{
    if (!syncedWholePdf(m_writing))
        return false;
    if (m_writing != m_target) {
        if (m_targetExisted)
            QFile::setPermissions(m_writing, QFile::permissions(m_target));
        if (::rename(QFile::encodeName(m_writing).constData(), QFile::encodeName(m_target).constData()) != 0)
            return false;
        RegularFile::syncFolder(m_target, &m_folderError);
    }
    m_committed = true;
    return true;
}
