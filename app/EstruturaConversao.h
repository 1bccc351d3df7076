#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class SourceConnection;
class TargetDatabase;

// What a run of the selected groups needs to find on both sides before it writes anything:
// the source tables and the columns their fillers read; a target of dialect 1 with the tables
// the converters and lookups write and the columns they name. Reading it takes a few catalog
// queries, so every run checks it first and fails before emptying any table.
class EstruturaConversao {
public:
    struct Falta {
        QString lado;      // "origem" or "destino"
        QString onde;      // table or table.column
        QString problema;  // "tabela ausente", "coluna ausente", ...
    };

    // By run-parameter key.
    static QString tabelaOrigem(const QString& chave);
    static QStringList colunasOrigem(const QString& chave);
    static QStringList tabelasDestino(const QString& chave);
    static QStringList tabelasReferencia(const QString& chave);
    // The columns a run writes into a target table (converted and reference tables).
    static QStringList colunasDestino(const QString& tabela);
    // Converted and reference tables of the groups, each once.
    static QStringList tabelasDestinoDe(const QStringList& chaves);

    // What is missing; raises AppError when a side cannot be read at all.
    static std::vector<Falta> verificaOrigem(SourceConnection& origem, const QStringList& chaves);
    static std::vector<Falta> verificaDestino(TargetDatabase& destino, const QStringList& chaves);

    // A source column whose value the conversion rules shorten to a fixed length, and how the
    // rules measure it before they cut: so the check can count the values a run will shorten.
    struct Corte {
        enum Medida {
            Inteiro,  // the value as read, without the quotes the rule drops
            Aparado,  // trimmed first
            Ultimos,  // trimmed; the last characters are kept (codes)
        };
        const char* chave;    // run-parameter key
        const char* coluna;   // source column
        const char* destino;  // target table.column the rule writes
        int largura;
        Medida medida;
        char aspas;           // the quote character the rule drops first, or 0
    };
    static const std::vector<Corte>& cortes();
    // The length the rule of c measures in the value v.
    static int medida(const Corte& c, const QString& v);

    // Rows of a source table; raises AppError when it cannot be read.
    static qint64 contaOrigem(SourceConnection& origem, const QString& tabela);

    // One line per missing piece, for a message.
    static QString descreve(const std::vector<Falta>& faltas);
};
