#include "cApl.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>

#include <algorithm>
#include <stdexcept>

namespace
{

const char *const kLineNames[8] = {"Exit", "Query", "Print", "New", "Add", "Delete", "Detail", "Clear"};

} // namespace

const QString cApl::RegistryKey = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvik\\Vanrek");

cApl::cApl()
{
    for (int i = 0; i < 8; ++i)
        m_lineColors[i] = ParseRgbText(
            m_reg.GetRegStr(RegistryKey + QStringLiteral("\\Color\\Line\\") + QLatin1String(kLineNames[i])));
    m_databaseStr = m_reg.GetRegStr(RegistryKey + QStringLiteral("\\DataBase\\DatabaseStr"));
    m_url = m_reg.GetRegStr(RegistryKey + QStringLiteral("\\Info\\URL"));
    m_mail = m_reg.GetRegStr(RegistryKey + QStringLiteral("\\Info\\Mail"));
    m_dialogBox = m_reg.GetRegStr(RegistryKey + QStringLiteral("\\Info\\Dialogbox"));
}

void cApl::SaveRegDialogBox()
{
    m_reg.SetReg(RegistryKey + QStringLiteral("\\Info\\DialogBox"), m_dialogBox);
}

void cApl::SetButLineColor(QObject *button, int index)
{
    const quint32 colour = LineColor(index);
    if (!button || button->metaObject()->indexOfProperty("LineColor") < 0)
        throw std::invalid_argument("オブジェクトは、このプロパティまたはメソッドをサポートしていません。");
    button->setProperty("LineColor", QVariant::fromValue(colour));
}

quint32 cApl::LineColor(int index) const
{
    checkIndex(index);
    return m_lineColors[index];
}

void cApl::setLineColor(int index, quint32 colour)
{
    checkIndex(index);
    m_lineColors[index] = colour;
}

// Three digits each for red, green and blue; a missing or non-numeric group is 0,
// a negative one counts as 0 and one above 255 as 255.
quint32 cApl::ParseRgbText(const QString &text) const
{
    quint32 colour = 0;
    for (int part = 0; part < 3; ++part) {
        const int value = std::clamp<int>(m_base.CvtInt(text.mid(part * 3, 3)), 0, 255);
        colour |= quint32(value) << (8 * part);
    }
    return colour;
}

void cApl::checkIndex(int index)
{
    if (index < 0 || index > 7)
        throw std::out_of_range("インデックスが有効範囲にありません。");
}
