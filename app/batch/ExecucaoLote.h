#pragma once
#include "app/ConversaoProtegida.h"
#include "app/batch/OpcoesLote.h"
#include <QString>
#include <cstdio>
#include <optional>
#include <vector>

class TargetDatabase;
class TargetTransaction;
class SourceConnection;
class MessageBoxes;
class ProgressoTerminal;
class ListaParametros;

// One run of the batch runner: opens the target as the window does, runs the same controller
// and fillers, and reads back what was written.
class ExecucaoLote {
public:
    struct ResumoGrupo {
        QString chave;
        QString tabelaOrigem;
        qint64 linhasOrigem = -1;
        std::vector<std::pair<QString, qint64>> linhasDestino;  // target table, rows read back
        double segundos = 0;
        bool executado = false;
        bool falhou = false;
        qint64 linhasConvertidas = -1;  // rows written before the failed one; -1: no failure
    };

    // Reference rows the lookups inserted during the run.
    struct Referencias {
        qint64 cidades = 0, fabricantes = 0, classes = 0;
    };

    explicit ExecucaoLote(OpcoesLote opcoes) : m_opcoes(std::move(opcoes)) {}
    // 0 after a committed run (or a restore asked for); 1 when the run failed; 2 when the
    // target could not be opened or an interrupted run of it waits for the operator's word;
    // 130 when the operator interrupted the run.
    int executar(std::FILE* out, bool terminal);
    TConversaoProtegida::Desfecho desfecho() const { return m_desfecho; }
    const QString& copia() const { return m_copia; }
    const std::vector<ResumoGrupo>& resumo() const { return m_resumo; }
    const Referencias& referencias() const { return m_referencias; }

    static void imprimeResumo(std::FILE* out, const std::vector<ResumoGrupo>& resumo, const Referencias& criadas);

private:
    // The steps of a run, in order.
    // An earlier run of this file that did not end: restores it, forgets it or stops; the exit
    // status when the run stops here.
    std::optional<int> resolvePendente(ProgressoTerminal& progresso);
    bool abreDestino(TargetDatabase& destino, TargetTransaction& transacao, ProgressoTerminal& progresso);
    // The run parameters of the chosen groups; starts their summary lines.
    ListaParametros parametros();
    // What the target now holds and the source rows, table by table, and the references created.
    void leDeVolta(TargetDatabase& destino, SourceConnection& origem);
    // Prints the summary (and writes it as JSON when asked); the exit status.
    int relata(std::FILE* out, double segundos, bool ok, const TConversaoProtegida& protegida,
               ProgressoTerminal& progresso);
    // --resumo-json: the summary for scripts.
    void gravaResumoJson(const QString& arquivo, double segundos, double memoria, int saida, const QString& falha,
                         bool restaurado, MessageBoxes& mensagens) const;
    OpcoesLote m_opcoes;
    std::vector<ResumoGrupo> m_resumo;
    Referencias m_referencias;
    TConversaoProtegida::Desfecho m_desfecho = TConversaoProtegida::Desfecho::FalhouAntes;
    QString m_copia;
};
