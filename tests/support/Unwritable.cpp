#include "Unwritable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace
{

bool chattr(const QString &flag, const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("chattr"), {flag, path});
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

Unwritable::Unwritable(const QString &path) : m_path(path)
{
    const QFileInfo fi(path);
    QFile::setPermissions(path, fi.isDir() ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
    if (blocks()) {
        m_active = true;
        return;
    }
    // Write bits do not hold for root.
    m_immutable = chattr(QStringLiteral("+i"), path);
    m_active = m_immutable && blocks();
    if (!m_active)
        m_reason = QStringLiteral("neither permissions nor chattr +i make %1 unwritable here").arg(path);
}

Unwritable::~Unwritable()
{
    if (m_immutable)
        chattr(QStringLiteral("-i"), m_path);
    QFile::setPermissions(m_path, QFileInfo(m_path).isDir() ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                            : QFile::ReadOwner | QFile::WriteOwner);
}

// Tries what the path is meant to refuse.
bool Unwritable::blocks() const
{
    if (QFileInfo(m_path).isDir()) {
        QFile probe(QDir(m_path).filePath(QStringLiteral(".unwritable-probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            return false;
        }
        return true;
    }
    QFile file(m_path);
    if (file.open(QIODevice::ReadWrite)) // never truncates
        return false;
    return true;
}
