#pragma once
#include <QString>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

class TargetDatabase;

// What the target file's system tables say of its user tables. Each call reads in a transaction
// of its own, so it sees what is committed; names come trimmed of their padding.
namespace TargetCatalog {

struct Key {  // a primary or unique constraint
    QString table, name;
    QStringList columns;  // in the key's order
};
struct TextColumn {
    QString table, column;
    int length;  // in characters
    bool fixed;  // CHAR: padded with blanks
};
struct Constraint {
    QString table, name;
};

// Every column of the given tables, by table; a table the file lacks is absent.
std::map<QString, std::set<QString>> columns(TargetDatabase& db, const QStringList& tables);
// The primary and unique keys of the given tables, ordered by table, then constraint name.
std::vector<Key> uniqueKeys(TargetDatabase& db, const QStringList& tables);
// The CHAR and VARCHAR columns of the given tables.
std::vector<TextColumn> textColumns(TargetDatabase& db, const QStringList& tables);
// Every foreign key of the file, ordered by table.
std::vector<Constraint> foreignKeys(TargetDatabase& db);
// The indices of the given tables that are not the system's own.
QStringList userIndices(TargetDatabase& db, const QStringList& tables);

}  // namespace TargetCatalog
