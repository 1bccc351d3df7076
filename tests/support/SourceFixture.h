#pragma once
#include "db/SourceConnection.h"
#include <QString>
#include <QStringList>

// A database of its own on the sandbox MariaDB server, holding the source tables of
// tests/fixtures/source, dropped again at the end.
class SourceFixture {
public:
    SourceFixture();
    ~SourceFixture();
    SourceFixture(const SourceFixture&) = delete;
    SourceFixture& operator=(const SourceFixture&) = delete;

    // Settings that reach this database (the sandbox's socket, root, no password).
    SourceSettings settings() const;
    const QString& database() const { return m_database; }
    void exec(const QString& sql);  // raises std::runtime_error with the server's message
    // The sandbox server's socket: $OSTREVO_MYSQL_SOCKET, or a sandbox started on first use
    // under the build folder (scripts/test starts and stops one for the whole suite).
    static QString socket();

private:
    QString m_database;
    struct st_mysql* m_handle = nullptr;
};
