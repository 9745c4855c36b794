#pragma once

#include "ServerDatabases.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testkit {

// A PostgreSQL server of one test's own (tests/pgserver), so that stopping it troubles no other
// test; settings are further server settings ("wal_level=logical"). With becomeTestServer the
// cases' TestEnv uses it (TARVOLEN_TEST_PG_STATE) until it is gone.
class OwnServer {
public:
    explicit OwnServer(const QStringList& settings = {}, bool becomeTestServer = true);
    ~OwnServer();
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    bool started() const { return m_started; }
    // pause (a server lost in mid-shift), resume.
    bool script(const QString& action, const QStringList& settings = {}) const;
    QString url() const;     // postgresql://postgres@127.0.0.1:PORT
    QString dataDir() const; // its data folder (pg_hba.conf)
    admin::ServerAddress address() const;

private:
    QTemporaryDir m_dir;
    QString m_state;
    QByteArray m_previous;
    bool m_becameTestServer = false;
    bool m_started = false;
};

} // namespace testkit
