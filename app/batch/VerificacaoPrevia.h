#pragma once
#include "db/TargetCatalog.h"
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
        QString lado;       // "origem", "destino", or "ensaio" for the trial run as a whole
        QString tabela;
        QString campo;
        QString problema;
        QString controle;   // the source row's key, when the finding is about one row
        QString valor;      // whole; shortened only where it is shown
        QString tipo;       // the kind the terminal groups by; empty for a finding of its own
        QString onde;       // lado, table and field, as the terminal shows them
    };

    explicit VerificacaoPrevia(OpcoesLote opcoes) : m_opcoes(std::move(opcoes)) {}
    // 0 when nothing would fail; 1 otherwise. Writes the report file when one was asked for.
    int executar(std::FILE* out);
    const std::vector<Achado>& achados() const { return m_achados; }
    // Every finding, one line each, as CSV (UTF-8, header row, RFC 4180 quoting).
    static QByteArray relatorioCsv(const std::vector<Achado>& achados);
    // The findings grouped by kind, the first few of each with the count of the rest.
    static void imprime(std::FILE* out, const std::vector<Achado>& achados);

private:
    bool verificaOrigem(SourceConnection& origem);  // false when a table or column is missing
    bool verificaDestino(TargetDatabase& destino);
    void avisosDaOrigem(SourceConnection& origem);
    // The trial run on the scratch copy, which it alters freely, in its steps: the copy loses
    // what would stop the trial at the first problem and learns the source row of every row
    // written; the conversion runs on it; then its overlong values and shared codes are read.
    void ensaio(const QString& copia);
    void preparaCopia(TargetDatabase& db, const QStringList& tabelas, const std::vector<TargetCatalog::Key>& chaves,
                      const std::vector<TargetCatalog::TextColumn>& textos);
    void rodaEnsaio(TargetDatabase& db);
    void valoresLongos(TargetDatabase& db, const std::vector<TargetCatalog::TextColumn>& textos);
    void codigosRepetidos(TargetDatabase& db, const std::vector<TargetCatalog::Key>& chaves);
    // lado, then "TABELA" or "TABELA.CAMPO" or nothing.
    void achado(bool erro, const QString& lado, const QString& onde, const QString& problema);
    void achado(bool erro, const QString& lado, const QString& problema);
    void achado(Achado a);

    OpcoesLote m_opcoes;
    std::vector<Achado> m_achados;
    std::map<QString, qint64> m_linhasOrigem;  // by group key, when the source could be read
};
