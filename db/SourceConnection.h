#pragma once
#include <QString>

struct st_mysql;

// Where the legacy database lives. Defaults: localhost, database pelbrix, root, empty password.
struct SourceSettings {
    QString host = QStringLiteral("localhost");
    unsigned port = 0;     // 0: the client's default
    QString socket;        // empty: the client's default (MYSQL_UNIX_PORT or the built-in path)
    QString user = QStringLiteral("root");
    QString password;
    QString database = QStringLiteral("pelbrix");
    unsigned connectTimeout = 60;  // seconds
};

// The source connection: connects by itself when the first query opens and stays connected.
class SourceConnection {
public:
    SourceConnection() = default;
    explicit SourceConnection(SourceSettings settings) : m_settings(std::move(settings)) {}
    ~SourceConnection();
    SourceConnection(const SourceConnection&) = delete;
    SourceConnection& operator=(const SourceConnection&) = delete;

    SourceSettings& settings() { return m_settings; }
    const SourceSettings& settings() const { return m_settings; }

    void connect();  // raises AppError with the server's message; a no-op when connected
    void disconnect();
    bool connected() const { return m_handle != nullptr; }
    st_mysql* handle();  // connects first when needed

    // After an error: when it says the server went away, the next use connects again, so a
    // run after a restarted server works with the same connection object.
    void noteError();

private:
    SourceSettings m_settings;
    st_mysql* m_handle = nullptr;
    bool m_lost = false;
};
