#pragma once

#include "TestEnv.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <unistd.h>

// Runs the real tarvolen-admin, as an installer does, with what it reads on standard input.
namespace admintest {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

inline Run runProgram(const QString& program, const QStringList& arguments,
                      const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline Run runAdmin(const QStringList& arguments, const QByteArray& input = {})
{
    return runProgram(testkit::toolPath("tarvolen-admin"), arguments, input);
}

// The tool run by someone whom file permissions bind. Root writes any file whatever its mode,
// so under root the tool runs as nobody, with everything under folder opened to all first.
inline Run runAdminUnprivileged(const QString& folder, const QStringList& arguments,
                                const QByteArray& input = {})
{
    if (geteuid() != 0)
        return runAdmin(arguments, input);
    const auto openToAll = [](const QString& path) {
        QFile::setPermissions(
            path, QFile::permissions(path) | QFile::ReadOther |
                      (QFileInfo(path).isDir() ? QFile::ExeOther : QFile::Permissions()));
    };
    openToAll(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        openToAll(it.next());
    return runProgram("setpriv",
                      QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                  testkit::toolPath("tarvolen-admin")} +
                          arguments,
                      input);
}

// Every file under a folder with a digest of its bytes: equal maps mean nothing was touched.
inline QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(),
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

inline bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace admintest
