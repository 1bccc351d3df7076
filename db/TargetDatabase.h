#pragma once
#include <QString>
#include <map>
#include <memory>

namespace Firebird { class IAttachment; class IMaster; class IUtil; }
class TargetTransaction;
class StatementRecorder;

// The target database file, attached locally by its path (no server prefix).
class TargetDatabase {
public:
    TargetDatabase();
    ~TargetDatabase();
    TargetDatabase(const TargetDatabase&) = delete;
    TargetDatabase& operator=(const TargetDatabase&) = delete;

    void setDatabaseName(const QString& path) { m_databaseName = path; }
    const QString& databaseName() const { return m_databaseName; }
    void setUserName(const QString& v) { m_userName = v; }
    void setPassword(const QString& v) { m_password = v; }
    const QString& userName() const { return m_userName; }

    void connect();     // raises AppError with the server's message
    void disconnect();  // rolls back active transactions, then detaches; never raises
    bool connected() const { return m_attachment != nullptr; }
    // Open and answering a database-information request; on failure the attachment is dropped.
    bool testConnected();
    int sqlDialect() const { return m_dialect; }
    // Grows at every attachment, so prepared statements of an earlier one are never reused.
    unsigned generation() const { return m_generation; }

    // Rows the reference lookups inserted through this connection since the last reset, by
    // table: what a run created, whatever the tables held before.
    void anotaInsercao(const QString& tabela) { ++m_insercoes[tabela]; }
    qint64 insercoes(const QString& tabela) const
    {
        const auto it = m_insercoes.find(tabela);
        return it == m_insercoes.end() ? 0 : it->second;
    }
    void zeraInsercoes() { m_insercoes.clear(); }

    // Only for the pre-flight check's trial run on a scratch copy: characters the target's set
    // cannot hold are sent as "?" instead of raising, so the trial goes on and reports
    // everything else. A real run's connection never has it.
    void setSubstituiNoEnsaio(bool on) { m_substituiNoEnsaio = on; }
    bool substituiNoEnsaio() const { return m_substituiNoEnsaio; }

    // Sees every statement sent through this connection; nullptr (the default): none.
    void setRecorder(StatementRecorder* r) { m_recorder = r; }
    StatementRecorder* recorder() const { return m_recorder; }

    void setDefaultTransaction(TargetTransaction* t) { m_defaultTransaction = t; }
    TargetTransaction* defaultTransaction() const { return m_defaultTransaction; }

    // The client library answers SIGINT and SIGTERM by shutting every attachment down at once,
    // cutting a run off in the middle of a statement. From this call on those shutdowns are
    // refused and aoSinal is called instead, so the program stops where it chooses.
    static void recusaDesligamentoPorSinal(void (*aoSinal)());

    // Creates a new, empty database file of the given SQL dialect (test fixtures, demo).
    static void createDatabase(const QString& path, int dialect, const QString& user,
                               const QString& password, const QString& defaultCharset);

    Firebird::IAttachment* attachment() const { return m_attachment; }
    static Firebird::IMaster* master();

private:
    friend class TargetTransaction;
    void registerTransaction(TargetTransaction* t);
    void unregisterTransaction(TargetTransaction* t);
    void dropAttachment();

    QString m_databaseName;
    QString m_userName = QStringLiteral("SYSDBA");
    QString m_password = QStringLiteral("velorquin");
    Firebird::IAttachment* m_attachment = nullptr;
    int m_dialect = 1;
    unsigned m_generation = 0;
    TargetTransaction* m_defaultTransaction = nullptr;
    std::map<QString, qint64> m_insercoes;
    bool m_substituiNoEnsaio = false;
    StatementRecorder* m_recorder = nullptr;
    struct Transactions;
    std::unique_ptr<Transactions> m_transactions;
};
