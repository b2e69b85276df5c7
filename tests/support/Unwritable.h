#pragma once

#include <QString>

/// Makes a file or folder unwritable for the test's life: no writing to a file, no
/// new file in a folder. The owner's write bits are taken away, and where they mean
/// nothing (tests run as root) the file is made immutable with chattr. isActive()
/// says whether it worked; skip() gives the reason to skip a test when it did not.
/// The destructor undoes it, so the temporary folders can be removed.
class Unwritable
{
public:
    explicit Unwritable(const QString &path);
    ~Unwritable();
    Unwritable(const Unwritable &) = delete;
    Unwritable &operator=(const Unwritable &) = delete;

    bool isActive() const { return m_active; }
    QString skipReason() const { return m_reason; }

private:
    bool blocks() const;

    QString m_path;
    bool m_immutable = false;
    bool m_active = false;
    QString m_reason;
};
