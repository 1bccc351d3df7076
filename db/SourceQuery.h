#pragma once
#include "db/FieldValue.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class SourceConnection;
class SourceRowReader;
struct st_mysql_res;

// A forward-only SELECT on the source database. Rows are streamed from the server and read a
// few rows ahead on a thread of their own (SourceRowReader), so a large table never sits in
// memory and the reading overlaps the work on the current row.
class SourceQuery {
public:
    explicit SourceQuery(SourceConnection& connection);
    ~SourceQuery();
    SourceQuery(const SourceQuery&) = delete;
    SourceQuery& operator=(const SourceQuery&) = delete;

    void setSql(const QString& text);  // closes the query first
    void clearSql();
    void addSql(const QString& line);
    QString sql() const { return m_lines.join(QLatin1Char('\n')); }

    void open();   // counts the rows first, then starts the stream; the first row becomes current
    void close();
    bool isOpen() const { return m_result != nullptr; }
    bool eof() const { return m_eof; }
    void next();
    // Rows the open query yields, counted by "select count(*) from" its table before the first row.
    int recordCount() const;

    FieldValue field(const QString& name) const;
    QString fieldText(const QString& name) const { return field(name).asString(); }
    // A value that cannot be read as asked raises AppError naming the field.
    qint64 fieldInteger(const QString& name) const;
    double fieldFloat(const QString& name) const;
    QDateTime fieldDateTime(const QString& name) const;
    bool fieldIsNull(const QString& name) const { return field(name).isNull(); }

    // The count statement for a select text; raises AppError for texts it cannot count.
    static QString countStatement(const QString& selectText);

private:
    void fetch();
    SourceConnection& m_connection;
    QStringList m_lines;
    st_mysql_res* m_result = nullptr;
    std::unique_ptr<SourceRowReader> m_reader;  // while the query is open
    bool m_eof = true;
    int m_count = 0;
    QHash<QString, int> m_columns;  // upper-cased name -> index
    std::vector<FieldValue> m_row;
};
