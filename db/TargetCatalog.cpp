#include "db/TargetCatalog.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"

namespace TargetCatalog {
namespace {
QString quotedList(const QStringList& tables)
{
    return QStringLiteral("'") + tables.join(QStringLiteral("','")) + QStringLiteral("'");
}
}  // namespace

std::map<QString, std::set<QString>> columns(TargetDatabase& db, const QStringList& tables)
{
    std::map<QString, std::set<QString>> out;
    for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral("SELECT RDB$RELATION_NAME AS T, RDB$FIELD_NAME AS C FROM RDB$RELATION_FIELDS "
                                                        "WHERE RDB$RELATION_NAME IN ('") +
                                             tables.join(QStringLiteral("', '")) + QStringLiteral("')")))
        out[r[0]].insert(r[1]);
    return out;
}

std::vector<Key> uniqueKeys(TargetDatabase& db, const QStringList& tables)
{
    std::vector<Key> out;
    for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral(
             "SELECT C.RDB$RELATION_NAME, S.RDB$FIELD_NAME, C.RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS C "
             "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = C.RDB$INDEX_NAME "
             "WHERE C.RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'UNIQUE') AND C.RDB$RELATION_NAME IN (%1) "
             "ORDER BY C.RDB$RELATION_NAME, C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_POSITION").arg(quotedList(tables)))) {
        if (out.empty() || out.back().name != r[2] || out.back().table != r[0])
            out.push_back({r[0], r[2], {}});
        out.back().columns.append(r[1]);
    }
    return out;
}

std::vector<TextColumn> textColumns(TargetDatabase& db, const QStringList& tables)
{
    std::vector<TextColumn> out;
    for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral(
             "SELECT RF.RDB$RELATION_NAME, RF.RDB$FIELD_NAME, COALESCE(F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH), "
             "F.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
             "WHERE RF.RDB$RELATION_NAME IN (%1) AND F.RDB$FIELD_TYPE IN (14, 37)").arg(quotedList(tables))))
        out.push_back({r[0], r[1], r[2].toInt(), r[3].toInt() == 14});
    return out;
}

std::vector<Constraint> foreignKeys(TargetDatabase& db)
{
    std::vector<Constraint> out;
    for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral("SELECT RDB$RELATION_NAME, RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS "
                                                        "WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY' ORDER BY 1")))
        out.push_back({r[0], r[1]});
    return out;
}

QStringList userIndices(TargetDatabase& db, const QStringList& tables)
{
    QStringList out;
    for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral("SELECT RDB$INDEX_NAME FROM RDB$INDICES WHERE RDB$RELATION_NAME IN (%1) "
                                                        "AND RDB$SYSTEM_FLAG = 0").arg(quotedList(tables))))
        out.append(r[0]);
    return out;
}

}  // namespace TargetCatalog
