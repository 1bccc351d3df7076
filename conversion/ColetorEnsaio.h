#pragma once
#include <QString>

// Implemented by the progress object of a trial run (the pre-flight check). The walk over the
// source rows tells it which row is being converted, and hands it a row that fails instead of
// stopping there, so that one trial names every row a run would stop at. A real run's progress
// objects do not implement it: a real run still stops at its first failure.
class ColetorEnsaio {
public:
    virtual ~ColetorEnsaio() = default;
    virtual void inicioDaLinha(const QString& tabela, const QString& controle) = 0;
    virtual void falhaDaLinha(const QString& tabela, const QString& controle, const QString& mensagem) = 0;
};
