#pragma once
#include <QString>
#include <functional>

class Gauge;
class ProgressLabel;
class SourceQuery;

// The walk over one group's source rows, as every filler shows it: gauge maximum = row count,
// for each row the label "<prefix><n> de <count>", pending events processed once, the row
// converted, the gauge advanced; afterwards the label emptied and the gauge set to 0 / 0.
// A failure leaves at once and keeps the label on the failed row.
class ProgressWalk {
public:
    ProgressWalk(Gauge& barra, ProgressLabel& label, QString prefix);
    // query must be open; convertRow reads the current row.
    void run(SourceQuery& query, const std::function<void(SourceQuery&)>& convertRow);

private:
    Gauge& m_barra;
    ProgressLabel& m_label;
    QString m_prefix;
};
