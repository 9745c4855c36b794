#include "OwnServer.h"

#include <QFile>
#include <QProcess>

namespace testkit {

OwnServer::OwnServer(const QStringList& settings, bool becomeTestServer)
    : m_state(m_dir.path() + "/pg.state"), m_becameTestServer(becomeTestServer)
{
    m_previous = qgetenv("TARVOLEN_TEST_PG_STATE");
    m_started = script("start", settings);
    if (becomeTestServer)
        qputenv("TARVOLEN_TEST_PG_STATE", m_state.toUtf8());
}

OwnServer::~OwnServer()
{
    if (m_becameTestServer)
        qputenv("TARVOLEN_TEST_PG_STATE", m_previous);
    script("stop");
}

bool OwnServer::script(const QString& action, const QStringList& settings) const
{
    QProcess run;
    run.start(qEnvironmentVariable("TARVOLEN_PG_SCRIPT"), QStringList{action, m_state} + settings);
    return run.waitForFinished(60000) && run.exitStatus() == QProcess::NormalExit &&
           run.exitCode() == 0;
}

namespace {
QString stateLine(const QString& state, int line)
{
    QFile file(state);
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).split('\n').value(line).trimmed()
               : QString();
}
} // namespace

QString OwnServer::url() const
{
    return stateLine(m_state, 0);
}

QString OwnServer::dataDir() const
{
    return stateLine(m_state, 1) + "/data";
}

admin::ServerAddress OwnServer::address() const
{
    QString error;
    return admin::parseServerUrl(url(), &error).value_or(admin::ServerAddress{});
}

} // namespace testkit
