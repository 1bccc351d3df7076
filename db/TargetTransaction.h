#pragma once
#include <QString>
#include <memory>

namespace Firebird { class ITransaction; }
class TargetDatabase;
class TargetQuery;

// The run's target transaction. Commit and rollback of an inactive transaction are errors.
class TargetTransaction {
public:
    explicit TargetTransaction(TargetDatabase* database = nullptr);
    ~TargetTransaction();
    TargetTransaction(const TargetTransaction&) = delete;
    TargetTransaction& operator=(const TargetTransaction&) = delete;

    void setDatabase(TargetDatabase* database);
    TargetDatabase* database() const { return m_database; }

    bool active() const { return m_handle != nullptr; }
    void start();
    void commit();
    void rollback();
    // Ends the server transaction without raising (used when the attachment goes away).
    void forceRollback();

    Firebird::ITransaction* handle() const { return m_handle; }

private:
    friend class TargetQuery;
    friend class TargetDatabase;
    void registerQuery(TargetQuery* q);
    void unregisterQuery(TargetQuery* q);
    void closeCursors();

    TargetDatabase* m_database = nullptr;
    Firebird::ITransaction* m_handle = nullptr;
    struct Queries;
    std::unique_ptr<Queries> m_queries;
};
