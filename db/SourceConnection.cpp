#include "db/SourceConnection.h"
#include "common/AppError.h"
#include "db/MensagemServidor.h"
#include <mysql.h>

SourceConnection::~SourceConnection() { disconnect(); }

void SourceConnection::connect()
{
    if (m_handle)
        return;
    MYSQL* h = mysql_init(nullptr);
    if (!h)
        throw AppError(QStringLiteral("Sem memória para a conexão com o banco de origem."));
    const unsigned timeout = m_settings.connectTimeout;
    mysql_options(h, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    // Reads and writes are bounded by the same time, so a server that stops answering ends the
    // run instead of hanging it.
    const unsigned ioTimeout = timeout;
    mysql_options(h, MYSQL_OPT_READ_TIMEOUT, &ioTimeout);
    mysql_options(h, MYSQL_OPT_WRITE_TIMEOUT, &ioTimeout);
    mysql_options(h, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray host = m_settings.host.toUtf8();
    const QByteArray user = m_settings.user.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    const QByteArray database = m_settings.database.toUtf8();
    const QByteArray socket = m_settings.socket.toUtf8();
    if (!mysql_real_connect(h, host.constData(), user.constData(), password.constData(),
                            database.constData(), m_settings.port,
                            socket.isEmpty() ? nullptr : socket.constData(), 0)) {
        const QString message = MensagemServidor::origem(QString::fromUtf8(mysql_error(h)), mysql_errno(h));
        mysql_close(h);
        throw AppError(message);
    }
    // Rows are streamed while the target is written; give the server time to wait for us.
    mysql_query(h, "SET SESSION net_write_timeout = 3600");
    m_handle = h;
}

void SourceConnection::disconnect()
{
    if (m_handle) {
        mysql_close(m_handle);
        m_handle = nullptr;
    }
    m_lost = false;
}

MYSQL* SourceConnection::handle()
{
    if (m_lost)
        disconnect();
    connect();
    return m_handle;
}

void SourceConnection::noteError()
{
    if (!m_handle)
        return;
    const unsigned e = mysql_errno(m_handle);
    // Server gone, connection lost, lost while reading the initial packet / extended.
    if (e == 2006 || e == 2013 || e == 2055)
        m_lost = true;
}
