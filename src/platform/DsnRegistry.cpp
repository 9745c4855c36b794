#include "DsnRegistry.h"

#include <QAtomicInteger>
#include <QByteArray>
#include <QList>
#include <QPair>
#include <odbcinst.h>
#include <sys/stat.h>

namespace platform {
namespace {
constexpr int kValueSize = 4096;

QString readValue(const QString& name, const char* key)
{
    // unixODBC keeps each value it reads for 20 seconds, keyed by file, section, key and
    // default, and forgets them only when it writes a value itself: not when a data source
    // is removed, nor when ODBCINI names another file. A default never used before makes
    // every read go to the file; getting that default back means there is no such value.
    static QAtomicInteger<quint64> readCount;
    const QByteArray absent = QByteArrayLiteral("\x01tarvolen-absent-") +
                              QByteArray::number(readCount.fetchAndAddRelaxed(1));
    SQLSetConfigMode(ODBC_USER_DSN);
    char value[kValueSize] = {};
    const QByteArray section = name.toUtf8();
    SQLGetPrivateProfileString(section.constData(), key, absent.constData(), value, kValueSize,
                               "odbc.ini");
    if (absent == value)
        return QString();
    return QString::fromUtf8(value);
}

// The user's odbc.ini names the installation's files and servers: readable by its user alone.
bool closedToOthers(bool written)
{
    const QByteArray named = qgetenv("ODBCINI");
    const QByteArray file = named.isEmpty() ? qgetenv("HOME") + "/.odbc.ini" : named;
    chmod(file.constData(), 0600);
    return written;
}
} // namespace

bool dsnExists(const QString& name)
{
    return !name.isEmpty() && !readValue(name, "Driver").isEmpty();
}

QString dsnDatabase(const QString& name)
{
    if (!dsnExists(name))
        return QString();
    return readValue(name, "Database");
}

bool writeDsn(const QString& name, const QString& databaseFile)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    const QByteArray section = name.toUtf8();
    const QByteArray file = databaseFile.toUtf8();
    if (!SQLWriteDSNToIni(section.constData(), kDsnDriver))
        return false;
    return closedToOthers(SQLWritePrivateProfileString(section.constData(), "Database",
                                                       file.constData(), "odbc.ini"));
}

QString dsnDriver(const QString& name)
{
    return name.isEmpty() ? QString() : readValue(name, "Driver");
}

bool isServerDriver(const QString& driver)
{
    const QString d = driver.trimmed();
    return d.compare(QLatin1String("PostgreSQL Unicode"), Qt::CaseInsensitive) == 0 ||
           d.compare(QLatin1String("PostgreSQL ANSI"), Qt::CaseInsensitive) == 0 ||
           d.contains(QLatin1String("psqlodbc"), Qt::CaseInsensitive);
}

bool isServerDsn(const QString& name)
{
    return isServerDriver(dsnDriver(name));
}

ServerSource dsnServer(const QString& name)
{
    ServerSource server;
    server.host = readValue(name, "Servername");
    bool portOk = false;
    const int port = readValue(name, "Port").toInt(&portOk);
    if (portOk && port > 0)
        server.port = port;
    server.database = readValue(name, "Database");
    server.user = readValue(name, "Username");
    server.password = readValue(name, "Password");
    return server;
}

bool writeServerDsn(const QString& name, const ServerSource& server)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    const QByteArray section = name.toUtf8();
    if (!SQLWriteDSNToIni(section.constData(), kServerDsnDriver))
        return false;
    const QList<QPair<const char*, QString>> keys = {
        {"Servername", server.host},   {"Port", QString::number(server.port)},
        {"Database", server.database}, {"Username", server.user},
        {"Password", server.password},
    };
    for (const auto& [key, value] : keys) {
        // No password is written: the server's client library finds it in the user's ~/.pgpass.
        if (value.isEmpty() && qstrcmp(key, "Password") == 0)
            continue;
        const QByteArray bytes = value.toUtf8();
        if (!SQLWritePrivateProfileString(section.constData(), key, bytes.constData(), "odbc.ini"))
            return closedToOthers(false);
    }
    return closedToOthers(true);
}

bool removeDsn(const QString& name)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    const QByteArray section = name.toUtf8();
    return SQLRemoveDSNFromIni(section.constData());
}

} // namespace platform
