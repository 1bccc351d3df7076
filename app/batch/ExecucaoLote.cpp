#include "app/batch/ExecucaoLote.h"
#include "app/ConversaoProtegida.h"
#include "app/CopiaDestino.h"
#include "app/EstruturaConversao.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "app/batch/ProgressoTerminal.h"
#include "app/batch/RegistroComandos.h"
#include "platform/InstalacaoPlataforma.h"
#include "common/AppError.h"
#include "entities/GruposConversao.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include "platform/QtEventPump.h"
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <optional>
#include <sys/resource.h>

namespace {
// Row count of a target table in a transaction of its own, so it sees exactly what is committed.
qint64 contaDestino(TargetDatabase& db, const QString& tabela)
{
    TargetTransaction t(&db);
    qint64 n = -1;
    {
        TargetQuery q(db, t);
        q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM ") + tabela);
        q.open();
        n = q.fieldInteger(QStringLiteral("N"));
    }
    t.commit();
    return n;
}

// A run that did not commit: 130 when the operator interrupted it, 1 otherwise.
int codigoDeFalha(TConversaoProtegida::Desfecho d)
{
    return d == TConversaoProtegida::Desfecho::Interrompida ? 130 : 1;
}

// Times one group's filler and notes the reference rows it created.
class PreenchedorMedido : public Preenchedor {
public:
    PreenchedorMedido(std::unique_ptr<Preenchedor> real, ExecucaoLote::ResumoGrupo& resumo,
                      ProgressoTerminal& progresso, QString nome)
        : m_real(std::move(real)), m_resumo(resumo), m_progresso(progresso), m_nome(std::move(nome)) {}
    void preenche(SourceConnection& o, TargetDatabase& d, Gauge& b, ProgressLabel& l) override
    {
        QElapsedTimer clock;
        clock.start();
        m_resumo.executado = true;
        m_progresso.iniciaGrupo(m_nome);
        struct Fim {
            ProgressoTerminal& p;
            ~Fim() { p.terminaGrupo(); }
        } fim{m_progresso};
        try {
            m_real->preenche(o, d, b, l);
        } catch (...) {
            m_resumo.segundos = clock.elapsed() / 1000.0;
            m_resumo.falhou = true;
            // The gauge has advanced once per row written; it stops on the failed row.
            m_resumo.linhasConvertidas = b.position();
            throw;
        }
        m_resumo.linhasConvertidas = -1;
        m_resumo.segundos = clock.elapsed() / 1000.0;
    }

private:
    std::unique_ptr<Preenchedor> m_real;
    ExecucaoLote::ResumoGrupo& m_resumo;
    ProgressoTerminal& m_progresso;
    QString m_nome;
};
}  // namespace

int ExecucaoLote::executar(std::FILE* out, bool terminal)
{
    ProgressoTerminal progresso(out, terminal);
    // With --eventos-qt the window's own event processing runs once per row as well.
    struct EventosQt : QtEventPump {
        EventPump* proximo;
        explicit EventosQt(EventPump* p) : proximo(p) {}
        void processEvents() override { QtEventPump::processEvents(); proximo->processEvents(); }
    } eventosQt(&progresso);
    InstalacaoPlataforma plataforma(&progresso,
                                    m_opcoes.eventosQt ? static_cast<EventPump*>(&eventosQt) : &progresso);
    std::optional<RegistroComandos> registro;
    if (!m_opcoes.registroComandos.isEmpty())
        registro.emplace(m_opcoes.registroComandos);

    if (const std::optional<int> saida = resolvePendente(progresso))
        return *saida;

    TargetDatabase destino;
    if (registro)
        destino.setRecorder(&*registro);
    TargetTransaction transacao(&destino);
    if (!abreDestino(destino, transacao, progresso))
        return 2;
    SourceConnection origem(m_opcoes.origem);

    ListaParametros params = parametros();
    TClassesConversaoController controller([&](const QString& chave) -> std::unique_ptr<Preenchedor> {
        for (ResumoGrupo& r : m_resumo)
            if (r.chave == chave)
                return std::make_unique<PreenchedorMedido>(TClassesConversaoController::preenchedorReal(chave), r,
                                                           progresso, GruposConversao::busca(chave)->nome);
        return TClassesConversaoController::preenchedorReal(chave);
    }, true);
    // What the lookups insert during this run, whatever the tables held before.
    destino.zeraInsercoes();
    TConversaoProtegida::Opcoes protecao;
    protecao.pastaCopia = m_opcoes.pastaCopia;
    protecao.semCopia = m_opcoes.semCopia;
    protecao.mantemParcial = m_opcoes.mantemParcial;
    protecao.informa = [&](const QString& t) { progresso.information(t); };
    if (m_opcoes.semCopia)
        progresso.warning(QStringLiteral("Conversão sem cópia do destino: se ela falhar, o que o destino continha "
                                         "nas tabelas dos grupos escolhidos se perde."));
    TConversaoProtegida protegida(controller, protecao);
    bool ok = false;
    QElapsedTimer relogio;
    relogio.start();
    try {
        ok = protegida.FEfetuaConversao(params, origem, destino, transacao, progresso, progresso);
    } catch (const AppError& e) {
        progresso.error(e.message());
        return codigoDeFalha(protegida.desfecho());
    }
    m_desfecho = protegida.desfecho();
    m_copia = protegida.copia();
    leDeVolta(destino, origem);
    return relata(out, relogio.elapsed() / 1000.0, ok, protegida, progresso);
}

std::optional<int> ExecucaoLote::resolvePendente(ProgressoTerminal& progresso)
{
    // A run of this file that did not end: nothing goes on without the operator's word.
    if (const auto marca = CopiaDestino::leMarca(m_opcoes.destino)) {
        if (m_opcoes.restaura) {
            try {
                CopiaDestino::restaura(m_opcoes.destino, marca->copia);
                CopiaDestino::removeMarca(m_opcoes.destino);
            } catch (const AppError& e) {
                progresso.error(QStringLiteral("O destino não foi restaurado: ") + e.message());
                return 1;
            }
            progresso.information(QStringLiteral("O destino foi restaurado a partir de %1 e contém o que continha "
                                                 "antes da conversão interrompida.").arg(marca->copia));
            return 0;
        }
        if (!m_opcoes.mantemAtual) {
            progresso.error(TConversaoProtegida::textoMarca(m_opcoes.destino, *marca) + QChar(13) +
                            QStringLiteral("Use --restaura para pôr o arquivo de volta como estava, ou --mantem-atual "
                                           "para seguir com ele como está."));
            return 2;
        }
        try {
            CopiaDestino::removeMarca(m_opcoes.destino);
        } catch (const AppError& e) {
            progresso.error(e.message());
            return 2;
        }
        progresso.information(QStringLiteral("O destino segue como está; a cópia de antes da conversão interrompida "
                                             "continua em %1.").arg(marca->copia));
    } else if (m_opcoes.restaura) {
        progresso.error(QStringLiteral("Não há conversão interrompida deste destino para restaurar (não existe %1).")
                            .arg(CopiaDestino::caminhoMarca(m_opcoes.destino)));
        return 2;
    }
    return std::nullopt;
}

bool ExecucaoLote::abreDestino(TargetDatabase& destino, TargetTransaction& transacao, ProgressoTerminal& progresso)
{
    destino.setDatabaseName(m_opcoes.destino);
    destino.setUserName(m_opcoes.usuarioDestino);
    destino.setPassword(m_opcoes.senhaDestino);
    try {
        destino.connect();
        if (!destino.testConnected())
            throw AppError(QStringLiteral("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é válido! "));
        transacao.start();
    } catch (const AppError& e) {
        progresso.error(e.message());
        return false;
    }
    return true;
}

ListaParametros ExecucaoLote::parametros()
{
    ListaParametros params;
    for (const QString& linha : GruposConversao::linhasParametros())
        params.add(linha);
    m_resumo.clear();
    for (const auto& g : TClassesConversaoController::grupos()) {
        if (!m_opcoes.grupos.contains(g.chave))
            continue;
        params.setValue(g.chave, QStringLiteral("S"));
        ResumoGrupo r;
        r.chave = g.chave;
        r.tabelaOrigem = EstruturaConversao::tabelaOrigem(g.chave);
        m_resumo.push_back(r);
    }
    return params;
}

void ExecucaoLote::leDeVolta(TargetDatabase& destino, SourceConnection& origem)
{
    // Read back what the target now holds, table by table: one that cannot be read (a missing
    // table) does not hide the others.
    for (ResumoGrupo& r : m_resumo) {
        for (const QString& t : EstruturaConversao::tabelasDestino(r.chave)) {
            qint64 n = -1;
            try {
                n = contaDestino(destino, t);
            } catch (const AppError&) {
            }
            r.linhasDestino.emplace_back(t, n);
        }
        try {
            r.linhasOrigem = EstruturaConversao::contaOrigem(origem, r.tabelaOrigem);
        } catch (const AppError&) {
            r.linhasOrigem = -1;
        }
    }
    m_referencias = {destino.insercoes(QStringLiteral("CIDADES")), destino.insercoes(QStringLiteral("CADFABR")),
                     destino.insercoes(QStringLiteral("CLASFISC"))};
}

int ExecucaoLote::relata(std::FILE* out, double segundos, bool ok, const TConversaoProtegida& protegida,
                         ProgressoTerminal& progresso)
{
    imprimeResumo(out, m_resumo, m_referencias);
    if (protegida.restaurado())
        std::fprintf(out, "o destino foi restaurado: as linhas lidas são as de antes da conversão, e as referências "
                          "criadas foram desfeitas com ela\n");
    std::fprintf(out, "tempo da conversão: %.2f s\n", segundos);
    if (!m_copia.isEmpty())
        std::fprintf(out, "tempo da cópia do destino: %.2f s\n", protegida.segundosCopia());
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const double memoria = uso.ru_maxrss / 1024.0;
    std::fprintf(out, "memória máxima: %.1f MB\n", memoria);
    const int saida = ok ? 0 : codigoDeFalha(m_desfecho);
    if (!m_opcoes.resumoJson.isEmpty())
        gravaResumoJson(m_opcoes.resumoJson, segundos, memoria, saida, ok ? QString() : progresso.ultimoErro(),
                        protegida.restaurado(), progresso);
    return saida;
}

void ExecucaoLote::gravaResumoJson(const QString& arquivo, double segundos, double memoria, int saida,
                                   const QString& falha, bool restaurado, MessageBoxes& mensagens) const
{
    QJsonArray grupos;
    for (const ResumoGrupo& r : m_resumo) {
        QJsonObject destino;
        for (const auto& [t, n] : r.linhasDestino)
            destino.insert(t, n < 0 ? QJsonValue() : QJsonValue(n));
        grupos.append(QJsonObject{
            {QStringLiteral("grupo"), r.chave},
            {QStringLiteral("tabelaOrigem"), r.tabelaOrigem},
            {QStringLiteral("linhasOrigem"), r.linhasOrigem < 0 ? QJsonValue() : QJsonValue(r.linhasOrigem)},
            {QStringLiteral("linhasDestino"), destino},
            {QStringLiteral("executado"), r.executado},
            {QStringLiteral("falhou"), r.falhou},
            {QStringLiteral("linhasConvertidas"), r.linhasConvertidas},
            {QStringLiteral("segundos"), r.segundos}});
    }
    const QJsonObject resumo{
        {QStringLiteral("destino"), m_opcoes.destino},
        {QStringLiteral("grupos"), grupos},
        {QStringLiteral("referenciasCriadas"),
         QJsonObject{{QStringLiteral("cidades"), m_referencias.cidades},
                     {QStringLiteral("fabricantes"), m_referencias.fabricantes},
                     {QStringLiteral("classificacoesFiscais"), m_referencias.classes}}},
        {QStringLiteral("segundos"), segundos},
        {QStringLiteral("memoriaMaximaMB"), memoria},
        {QStringLiteral("codigoSaida"), saida},
        {QStringLiteral("mensagemFalha"), falha.isEmpty() ? QJsonValue() : QJsonValue(QString(falha).replace(QChar(13), QLatin1Char('\n')))},
        {QStringLiteral("copia"), m_copia.isEmpty() ? QJsonValue() : QJsonValue(m_copia)},
        {QStringLiteral("restaurado"), restaurado}};
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(QJsonDocument(resumo).toJson(QJsonDocument::Indented)) < 0)
        mensagens.warning(QStringLiteral("Não foi possível gravar o resumo em %1: %2").arg(arquivo, f.errorString()));
}

void ExecucaoLote::imprimeResumo(std::FILE* out, const std::vector<ResumoGrupo>& resumo,
                                 const Referencias& criadas)
{
    std::fprintf(out, "\n%-22s %-15s %10s  %-28s %8s\n", "grupo", "origem", "linhas", "destino (linhas lidas)", "segundos");
    for (const ResumoGrupo& r : resumo) {
        QString destino;
        for (const auto& [t, n] : r.linhasDestino)
            destino += (destino.isEmpty() ? QString() : QStringLiteral(", ")) + t + QLatin1Char(' ') +
                       (n < 0 ? QStringLiteral("?") : QString::number(n));
        const QString estado = !r.executado ? QStringLiteral("  (não executado)")
                               : r.falhou   ? QStringLiteral("  FALHOU no registro %1").arg(r.linhasConvertidas + 1)
                                            : QString();
        const QString origem = r.linhasOrigem < 0 ? QStringLiteral("?") : QString::number(r.linhasOrigem);
        std::fprintf(out, "%-22s %-15s %10s  %-28s %8.1f%s\n", r.chave.toUtf8().constData(),
                     r.tabelaOrigem.toUtf8().constData(), origem.toUtf8().constData(),
                     destino.toUtf8().constData(), r.segundos, estado.toUtf8().constData());
    }
    std::fprintf(out, "referências criadas nesta execução: cidades %lld, fabricantes %lld, classificações fiscais %lld\n",
                 static_cast<long long>(criadas.cidades), static_cast<long long>(criadas.fabricantes),
                 static_cast<long long>(criadas.classes));
    std::fflush(out);
}
