#pragma once
#include "conversion/Preenchedor.h"
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The five groups a run can convert, in the order they run: the one place that ties a group's
// run-parameter key to its filler, its source table and the columns the filler reads, the label
// prefix of its walk, the target tables it empties and fills and the reference tables its
// lookups write. The controller, the window, the runner and the pre-flight check all read it.
// To add a group: write its filler (with its kTabelaOrigem, kColunasOrigem and kPrefixo) and add
// one line here.
class GruposConversao {
public:
    struct Grupo {
        QString chave;                // key in the run parameters
        QString nome;                 // as the runner's progress names it
        QString prefixo;              // label prefix of the group's walk
        QString tabelaOrigem;
        QStringList colunasOrigem;    // what the filler's select reads
        QStringList tabelasDestino;   // emptied, then filled
        QStringList tabelasReferencia;  // written by the lookups (find or create)
        std::unique_ptr<Preenchedor> (*cria)();
    };

    static const std::vector<Grupo>& todos();
    // nullptr for a key that names no group.
    static const Grupo* busca(const QString& chave);
    // The run parameters' lines, as the window starts its list: the groups, then the paths.
    static QStringList linhasParametros();
};
