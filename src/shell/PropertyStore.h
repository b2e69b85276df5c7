#pragma once

#include <QString>

/// Writes to the property table D_物件 and to every plan table of a property.
class PropertyStore
{
public:
    /// The plan and result tables that carry a property's rows, then D_物件 itself,
    /// in the order they are emptied.
    static const QStringList &deleteTables();

    /// Deletes a property and all its plans in one transaction. On failure
    /// everything is rolled back and the engine's text is left in error.
    static bool deleteProperty(int id1, QString *error = nullptr);
};
