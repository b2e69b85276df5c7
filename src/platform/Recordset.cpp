#include "Recordset.h"

void Recordset::MoveNext()
{
    if (m_pos < m_rows.count())
        ++m_pos;
}

void Recordset::MovePrevious()
{
    if (m_pos >= 0)
        --m_pos;
}
