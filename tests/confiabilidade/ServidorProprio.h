#pragma once
// A MariaDB server of the test's own (never the suite's shared one), which the test may stop and
// start again, with the source tables of tests/fixtures/source in a database `pelbrix`.
#include "db/SourceConnection.h"
#include "db/SqlScript.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <mysql.h>
#include <stdexcept>
#include <string>

class ServidorProprio {
public:
    ServidorProprio()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder for the private server");
        inicia();
        executa("CREATE DATABASE pelbrix CHARACTER SET utf8mb4", false);
        for (const QString& file : SqlScript::filesIn(QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/source"))) {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly))
                throw std::runtime_error("cannot read " + file.toStdString());
            for (const QString& stmt : SqlScript::statements(QString::fromUtf8(f.readAll())))
                executa(stmt.toStdString());
        }
    }
    ~ServidorProprio() { para(); }
    ServidorProprio(const ServidorProprio&) = delete;
    ServidorProprio& operator=(const ServidorProprio&) = delete;

    void inicia() { m_socket = script(QStringLiteral("start")); }
    // Stops the server as an operator would (it ends its connections and shuts down).
    void para() { script(QStringLiteral("stop")); }

    const QString& socket() const { return m_socket; }
    QString pasta() const { return m_dir.path() + QStringLiteral("/mariadb"); }
    SourceSettings settings() const
    {
        SourceSettings s;
        s.socket = m_socket;
        s.database = QStringLiteral("pelbrix");
        s.connectTimeout = 5;
        return s;
    }

    // One statement on its own connection; raises std::runtime_error with the server's message.
    void executa(const std::string& sql, bool noBanco = true)
    {
        MYSQL* h = mysql_init(nullptr);
        const QByteArray sock = m_socket.toUtf8();
        if (!mysql_real_connect(h, "localhost", "root", "", noBanco ? "pelbrix" : nullptr, 0, sock.constData(), 0)) {
            const std::string e = mysql_error(h);
            mysql_close(h);
            throw std::runtime_error("private server: " + e);
        }
        mysql_set_character_set(h, "utf8mb4");
        const bool falhou = mysql_real_query(h, sql.data(), static_cast<unsigned long>(sql.size())) != 0;
        const std::string e = falhou ? mysql_error(h) : std::string();
        if (MYSQL_RES* r = mysql_store_result(h))
            mysql_free_result(r);
        mysql_close(h);
        if (falhou)
            throw std::runtime_error(e + "\n" + sql.substr(0, 300));
    }

private:
    QString script(const QString& comando)
    {
        QProcess p;
        p.start(QStringLiteral(OSTREVO_SOURCE_DIR "/scripts/mariadb-sandbox"), {comando, pasta()});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            throw std::runtime_error("mariadb-sandbox " + comando.toStdString() + ": " +
                                     p.readAllStandardError().toStdString());
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir m_dir;
    QString m_socket;
};
