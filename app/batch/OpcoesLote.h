#pragma once
#include "db/SourceConnection.h"
#include <QString>
#include <QStringList>

// The batch runner's command line.
struct OpcoesLote {
    QString destino;               // target .FB file
    QString usuarioDestino = QStringLiteral("SYSDBA");
    QString senhaDestino = QStringLiteral("velorquin");
    SourceSettings origem;
    QStringList grupos;            // run-parameter keys, in the order given
    bool verificar = false;        // --check: report what would fail, write nothing
    QString relatorio;             // --relatorio: the check's findings written as CSV
    // The copy of the target taken before a run, and what happens to it.
    QString pastaCopia;            // --pasta-copia: where the copy goes (default: beside the target)
    bool semCopia = false;         // --sem-copia: no copy, so a failure keeps what it wrote
    bool mantemParcial = false;    // --mantem-parcial: a failed run is not restored
    bool restaura = false;         // --restaura: put back the copy of an interrupted run, then stop
    bool mantemAtual = false;      // --mantem-atual: forget an interrupted run, keep the file as it is
    bool ajuda = false;
    QString resumoJson;            // --resumo-json: the summary written as JSON for scripts
    // For the benchmark: every statement sent to the target goes to this file; and the
    // window's event processing once per row.
    QString registroComandos;
    bool eventosQt = false;

    // Raises AppError with a readable reason for a malformed command line.
    static OpcoesLote ler(const QStringList& argumentos);
    static QString uso();
};
