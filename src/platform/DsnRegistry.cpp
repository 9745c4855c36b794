#include "DsnRegistry.h"

#include <odbcinst.h>

namespace platform {
namespace {
constexpr int kValueSize = 4096;

QString readValue(const QString& name, const char* key)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    char value[kValueSize] = {};
    const QByteArray section = name.toUtf8();
    SQLGetPrivateProfileString(section.constData(), key, "", value, kValueSize, "odbc.ini");
    return QString::fromUtf8(value);
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
    return SQLWritePrivateProfileString(section.constData(), "Database", file.constData(),
                                        "odbc.ini");
}

bool removeDsn(const QString& name)
{
    SQLSetConfigMode(ODBC_USER_DSN);
    const QByteArray section = name.toUtf8();
    return SQLRemoveDSNFromIni(section.constData());
}

} // namespace platform
