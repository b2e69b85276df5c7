#pragma once

#include <QString>

/// Writes to the property table D_物件 and to every plan table of a property.
class PropertyStore
{
public:
    /// The plan and result tables that carry a property's rows, then D_物件 itself,
    /// in the order they are emptied.
    static const QStringList &deleteTables();

    /// The number of a new property after the greatest stored one: greatest + 1, as
    /// a 32-bit value; past 2147483647 it throws the overflow error, never wrapping.
    static int nextId1(int greatest);

    /// Deletes a property and all its plans in one transaction. On failure
    /// everything is rolled back and a DaoError names the table and gives the
    /// engine's text.
    static void deleteProperty(int id1);
};
