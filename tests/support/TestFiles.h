#pragma once

#include <QByteArray>
#include <QString>

/// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
/// Makes content the whole file; false when it cannot be written.
bool writeFileBytes(const QString &path, const QByteArray &content);
