#pragma once

#include "cBase.h"
#include "cReg.h"

#include <QString>

#include <array>
#include <cstdint>

class QObject;

/// The installation values kept in the registry under
/// HKEY_LOCAL_MACHINE\SOFTWARE\Zorvik\Vanrek: the underline colour of each kind of
/// button, the contact addresses and the flag that turns off the notice after a
/// property is registered. All are read once, at creation; only the notice flag
/// is written back (SaveRegDialogBox).
class cApl
{
public:
    /// Button kinds, the indexes of SetButLineColor and LineColor.
    enum LineKind { Exit = 0, Query = 1, Print = 2, New = 3, Add = 4, Delete = 5, Detail = 6, Clear = 7 };

    /// The program's key; colours below it are "Color\Line\<kind>" texts of nine
    /// digits RRRGGGBBB.
    static const QString RegistryKey;

    cApl();

    void SaveRegDialogBox();
    /// Gives the object's "LineColor" property the colour of the index.
    /// Throws std::out_of_range for an index outside 0..7 and std::invalid_argument
    /// for an object without such a property.
    void SetButLineColor(QObject *button, int index);

    /// Colour 0x00BBGGRR; throws std::out_of_range for an index outside 0..7.
    quint32 LineColor(int index) const;
    void setLineColor(int index, quint32 colour);

    QString Company() const { return m_company; }
    void setCompany(const QString &value) { m_company = value; }
    QString User() const { return m_user; }
    void setUser(const QString &value) { m_user = value; }
    QString URL() const { return m_url; }
    void setURL(const QString &value) { m_url = value; }
    QString Mail() const { return m_mail; }
    void setMail(const QString &value) { m_mail = value; }
    /// "1" when the notice after registering a property is turned off.
    QString DialogBox() const { return m_dialogBox; }
    void setDialogBox(const QString &value) { m_dialogBox = value; }
    QString System() const { return m_system; }
    void setSystem(const QString &value) { m_system = value; }

private:
    quint32 ParseRgbText(const QString &text) const;
    static void checkIndex(int index);

    cBase m_base;
    cReg m_reg;
    std::array<quint32, 8> m_lineColors{};
    QString m_databaseStr;
    QString m_system;
    QString m_company;
    QString m_user;
    QString m_url;
    QString m_mail;
    QString m_dialogBox;
};
