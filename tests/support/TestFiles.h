#pragma once

// Whole files read and written in one call, for tests that look at bytes on disk.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testfiles {

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace testfiles
