#include "SourceFixture.h"
#include "db/SqlScript.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUuid>
#include <mysql.h>
#include <stdexcept>

QString SourceFixture::socket()
{
    static QString cached;
    if (!cached.isEmpty())
        return cached;
    const QByteArray env = qgetenv("OSTREVO_MYSQL_SOCKET");
    if (!env.isEmpty())
        return cached = QString::fromLocal8Bit(env);
    QProcess p;
    p.start(QStringLiteral(OSTREVO_SOURCE_DIR "/scripts/mariadb-sandbox"),
            {QStringLiteral("start"), QStringLiteral(OSTREVO_BINARY_DIR "/mariadb-sandbox")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        throw std::runtime_error("cannot start the MariaDB sandbox: " + p.readAllStandardError().toStdString());
    return cached = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

SourceFixture::SourceFixture()
{
    m_database = QStringLiteral("pelbrix_t") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    m_handle = mysql_init(nullptr);
    const QByteArray sock = socket().toUtf8();
    if (!mysql_real_connect(m_handle, "localhost", "root", "", nullptr, 0, sock.constData(), 0))
        throw std::runtime_error(std::string("sandbox connection: ") + mysql_error(m_handle));
    mysql_set_character_set(m_handle, "utf8mb4");
    exec(QStringLiteral("CREATE DATABASE ") + m_database + QStringLiteral(" CHARACTER SET utf8mb4"));
    exec(QStringLiteral("USE ") + m_database);
    for (const QString& file : SqlScript::filesIn(QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/source"))) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read " + file.toStdString());
        for (const QString& stmt : SqlScript::statements(QString::fromUtf8(f.readAll())))
            exec(stmt);
    }
}

SourceFixture::~SourceFixture()
{
    if (m_handle) {
        const QByteArray drop = ("DROP DATABASE IF EXISTS " + m_database).toUtf8();
        mysql_real_query(m_handle, drop.constData(), static_cast<unsigned long>(drop.size()));
        mysql_close(m_handle);
    }
}

SourceSettings SourceFixture::settings() const
{
    SourceSettings s;
    s.socket = socket();
    s.database = m_database;
    return s;
}

void SourceFixture::exec(const QString& sql)
{
    const QByteArray bytes = sql.toUtf8();
    if (mysql_real_query(m_handle, bytes.constData(), static_cast<unsigned long>(bytes.size())))
        throw std::runtime_error(std::string(mysql_error(m_handle)) + "\n" + bytes.toStdString());
    if (MYSQL_RES* r = mysql_store_result(m_handle))
        mysql_free_result(r);
}
