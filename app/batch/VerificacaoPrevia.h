#pragma once
#include "app/batch/OpcoesLote.h"
#include <QString>
#include <cstdio>
#include <map>
#include <vector>

class TargetDatabase;
class SourceConnection;

// The pre-flight check: reports whatever would make a run fail or write something wrong,
// and writes nothing to either database. Beyond the structural checks it runs the very same
// conversion on a scratch copy of the target whose text columns are widened and whose keys are
// dropped, then reads back which values outgrew their columns and which codes repeat.
class VerificacaoPrevia {
public:
    struct Achado {
        bool erro;          // true: the run would fail or write something wrong
        QString onde;       // table or table.column
        QString problema;
    };

    explicit VerificacaoPrevia(OpcoesLote opcoes) : m_opcoes(std::move(opcoes)) {}
    // 0 when nothing would fail; 1 otherwise.
    int executar(std::FILE* out);
    const std::vector<Achado>& achados() const { return m_achados; }

private:
    bool verificaOrigem(SourceConnection& origem);  // false when a table or column is missing
    bool verificaDestino(TargetDatabase& destino);
    void avisosDaOrigem(SourceConnection& origem);
    // The trial run on the scratch copy, which it alters freely.
    void ensaio(const QString& copia);
    void achado(bool erro, const QString& onde, const QString& problema);

    OpcoesLote m_opcoes;
    std::vector<Achado> m_achados;
    std::map<QString, qint64> m_linhasOrigem;  // by group key, when the source could be read
};
