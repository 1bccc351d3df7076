#pragma once
#include "db/FieldValue.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TargetDatabase;
class TargetTransaction;

// Sees every statement that reaches the server, as it was sent (the benchmark replays them).
class StatementRecorder {
public:
    enum class Kind { Execute, Open, Commit };
    virtual ~StatementRecorder() = default;
    // sql is the text in the connection character set, parameters as "?"; a null entry in
    // params is a NULL parameter.
    virtual void sent(Kind kind, const QByteArray& sql, const QList<QByteArray>& params) = 0;
};

// A statement on the target database, bound to the connection's default transaction.
// Named parameters are written :NAME in the text. Executing "COMMIT" (or "Commit;") commits
// the transaction and leaves it inactive; any next statement starts it again.
class TargetQuery {
public:
    explicit TargetQuery(TargetDatabase& database);
    TargetQuery(TargetDatabase& database, TargetTransaction& transaction);
    ~TargetQuery();
    TargetQuery(const TargetQuery&) = delete;
    TargetQuery& operator=(const TargetQuery&) = delete;

    // Statement text; changing it closes the query first.
    void setSql(const QString& text);
    void clearSql();
    void addSql(const QString& line);
    QString sql() const { return m_lines.size() == 1 ? m_lines.front() : m_lines.join(QLatin1Char('\n')); }

    // Parameters, by name (case-insensitive); a name that the text lacks raises AppError.
    void setParamText(const QString& name, const QString& value);
    void setParamInteger(const QString& name, qint64 value);
    void setParamFloat(const QString& name, double value);
    void setParamDate(const QString& name, const QDate& value);
    void setParamNull(const QString& name);
    QStringList paramNames() const;

    void open();       // select statements; the first row becomes current
    void close();      // never raises
    bool isOpen() const;
    bool isEmpty() const;  // no row in the open result
    bool eof() const;
    void next();
    void execSql();    // any other statement, the commit statement included

    // Fields of the current row, by name (case-insensitive); every field is NULL on an empty result.
    FieldValue field(const QString& name) const;
    QString fieldText(const QString& name) const { return field(name).asString(); }
    qint64 fieldInteger(const QString& name) const { return field(name).asInteger(); }
    double fieldFloat(const QString& name) const { return field(name).asFloat(); }
    QDateTime fieldDateTime(const QString& name) const { return field(name).asDateTime(); }
    bool fieldIsNull(const QString& name) const { return field(name).isNull(); }
    QStringList columnNames() const;  // of the prepared select, in order
    FieldValue fieldAt(int index) const;

    // True for "COMMIT" or "Commit;" in any letter case and layout.
    static bool isCommitStatement(const QString& text);
    // Every row of a select, read in a transaction of its own so that it sees what is
    // committed; each value as text, trimmed unless trimmed is false (CHAR values come padded).
    static std::vector<QStringList> allRows(TargetDatabase& db, const QString& select, bool trimmed = true);

    struct Impl;  // opaque: the client library's statement and result

private:
    friend class TargetTransaction;
    void dropCursor();  // the transaction ends under an open result
    void forgetTransaction();
    std::unique_ptr<Impl> d;
    QStringList m_lines;
};
