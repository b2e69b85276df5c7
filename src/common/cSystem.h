#pragma once

#include <QString>

#include <cstdint>

/// Questions about the machine: the system version as a small code with yes/no
/// tests on it, the computer's and the user's names, and the version of the
/// program's executable.
///
/// WindowsType codes: 1 Windows 95, 2 98, 3 Me (the 95 family); 4 NT 3.51, 5 NT 4.0,
/// 6 2000, 7 XP (the NT family); 99 anything else. This system is Linux, which
/// reports code 8 (Linux): it counts as the NT family, since it has what the program
/// keeps for that family (database compaction at start-up, the NT printer
/// settings). So IsWindowsNT is true, while IsWindows9x, IsWindows95, IsWindows98,
/// IsWindowsMe and the single NT versions (IsWindowsNT351 to IsWindowsXP) are false.
class cSystem
{
public:
    enum Code : int16_t {
        Windows95 = 1,
        Windows98 = 2,
        WindowsMe = 3,
        WindowsNT351 = 4,
        WindowsNT40 = 5,
        Windows2K = 6,
        WindowsXP = 7,
        Linux = 8,
        Other = 99
    };

    /// detail: the kernel name and version numbers, e.g.
    /// "PlatformID= Linux MajorVersion= 6 MinorVersion= 1 BuildNumber= 0".
    int16_t WindowsType(QString &detail) const;
    bool IsWindows9x() const;
    bool IsWindowsNT() const;
    bool IsWindows95() const;
    bool IsWindows98() const;
    bool IsWindowsMe() const;
    bool IsWindowsNT351() const;
    bool IsWindowsNT40() const;
    bool IsWindows2K() const;
    bool IsWindowsXP() const;
    QString ComputerName() const;
    QString UserName() const;
    /// "major.minor.patch" of the version compiled into the program, for the
    /// program's own executable; "" for any other file and for a missing one.
    QString GetFileVersion(const QString &path) const;
    /// The hardware address of the first network interface that is not the
    /// loopback, as twelve upper-case hex digits; "" with ok false when there is none.
    QString GetMACAddress(bool &ok) const;
    /// Volume serial number of a floppy disk: there is no floppy drive here, so 0.
    int32_t GetFddUniqueNo() const { return 0; }

private:
    int16_t type() const;
};
