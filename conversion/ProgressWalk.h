#pragma once
#include <QString>
#include <functional>

class Gauge;
class ProgressLabel;
class SourceQuery;

// The walk over one group's source rows, as every filler shows it: gauge maximum = row count,
// for each row the label "<prefix><n> de <count>", pending events processed once, the row
// converted, the gauge advanced; afterwards the label emptied and the gauge set to 0 / 0.
// A failure leaves at once and keeps the label on the failed row. When the source table is
// given, an AppError raised while a row is converted leaves with the table and the row's
// CONTROLE added to its message, so the operator can find the row that stopped the run.
// In a trial run (a label that is also a ColetorEnsaio) a failed row is handed to the label
// and the walk goes on with the next one.
class ProgressWalk {
public:
    ProgressWalk(Gauge& barra, ProgressLabel& label, QString prefix, QString sourceTable = QString());
    // " (tabela T, CONTROLE k)" for the query's current row.
    static QString rowContext(const QString& sourceTable, const SourceQuery& query);
    // A source key as a message shows it: quoted when blanks or control characters would hide
    // it, shortened when very long.
    static QString chaveLegivel(QString key);
    // The row's CONTROLE as read, or empty when the query has none.
    static QString chave(const SourceQuery& query);
    // query must be open; convertRow reads the current row.
    void run(SourceQuery& query, const std::function<void(SourceQuery&)>& convertRow);

private:
    Gauge& m_barra;
    ProgressLabel& m_label;
    QString m_prefix;
    QString m_sourceTable;
};
