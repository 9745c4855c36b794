#pragma once

#include "LocalUsers.h"
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

// Runs the real tarvolen-admin, as an installer does, with what it reads on standard input.
namespace admintest {

struct Run {
    int exitCode = -1; // -1: it did not end by itself within two minutes, or crashed
    QString out;
    QString err;
    // The lines of standard output that start with prefix, without it.
    QStringList lines(const QString& prefix) const
    {
        QStringList found;
        for (const QString& line : out.split('\n'))
            if (line.startsWith(prefix))
                found << line.mid(prefix.size());
        return found;
    }
};

inline Run runProgram(const QString& program, const QStringList& arguments,
                      const QByteArray& input = {},
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                      const QString& folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline Run runAdmin(const QStringList& arguments, const QByteArray& input = {},
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    return runProgram(testkit::toolPath("tarvolen-admin"), arguments, input, env);
}

// The tool run by a user of this computer, whom file permissions bind (see testkit::LocalUsers).
inline Run runAdminAs(const QString& user, const QStringList& arguments,
                      const QByteArray& input = {})
{
    const QStringList words = testkit::LocalUsers::runAs(user);
    return runProgram(words.value(0),
                      words.mid(1) + QStringList{testkit::toolPath("tarvolen-admin")} + arguments,
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
