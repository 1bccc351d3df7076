#pragma once
#include "db/FbHandle.h"
#include "db/TargetRow.h"
#include <QHash>
#include <QString>
#include <deque>
#include <vector>

class TargetDatabase;

// A prepared statement with what was learnt of it when it was prepared.
struct Prepared {
    FbHandle<Firebird::IStatement> stmt;
    QString text;             // the text it was prepared from
    unsigned generation = 0;  // of the attachment it belongs to
    FbHandle<Firebird::IMessageMetadata> inMeta;
    FbHandle<Firebird::IMessageMetadata> outMeta;
    std::vector<TargetRow::Column> columns;
    QHash<QString, int> columnIndex;
};

// The statement a query runs now and the few it prepared before, newest first: the lookups
// switch one query between a few texts for every source row, and preparing them again each
// time costs more than running them.
class StatementCache {
public:
    explicit StatementCache(TargetDatabase& db) : m_db(db) {}
    ~StatementCache() { freeAll(); }
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    Prepared cur;

    // Prepared on the attachment that is open now.
    bool usable(const Prepared& p) const;
    // The current statement goes to the front of the kept ones; the oldest beyond the limit is freed.
    void park();
    // Makes a kept statement of this text the current one; false when there is none.
    bool unpark(const QString& text);
    // Frees a statement on the server, or only our handle when its attachment is gone.
    void release(Prepared& p);
    void freeStatement() { release(cur); }
    void freeAll();

private:
    static constexpr size_t kKept = 8;
    TargetDatabase& m_db;
    std::deque<Prepared> m_kept;
};
