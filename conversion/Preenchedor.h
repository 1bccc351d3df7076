#pragma once

class SourceConnection;
class TargetDatabase;
class Gauge;
class ProgressLabel;

// What the controller asks of every group's filler: convert the whole group, follow the
// progress contract (ProgressWalk), raise AppError on the first failure, never commit,
// roll back or report the outcome.
class Preenchedor {
public:
    virtual ~Preenchedor() = default;
    virtual void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                          ProgressLabel& lblInfo) = 0;
};
