#include "app/UClassesConversaoController.h"
#include "app/ListaParametros.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "platform/Gauge.h"
#include "platform/Platform.h"

std::unique_ptr<Preenchedor> TClassesConversaoController::preenchedorReal(const QString& chave)
{
    if (const Grupo* g = GruposConversao::busca(chave))
        return g->cria();
    throw AppError(QStringLiteral("Grupo desconhecido: ") + chave);
}

TClassesConversaoController::TClassesConversaoController() : m_fabrica(&preenchedorReal) {}

TClassesConversaoController::TClassesConversaoController(FabricaPreenchedor fabrica, bool reais)
    : m_fabrica(std::move(fabrica)), m_reais(reais)
{
}

bool TClassesConversaoController::FEfetuaConversao(const ListaParametros& MParams,
                                                   SourceConnection& BDOrigem,
                                                   TargetDatabase& BDDestino,
                                                   TargetTransaction& Transacao, Gauge& Barra,
                                                   ProgressLabel& lblInfo)
{
    TConversao conversao(BDDestino);
    Barra.setPosition(0);
    // A failure to start the transaction is not the run's failure: it leaves to the caller.
    conversao.PIniciaTransacao(Transacao);

    bool resultado = false;
    try {
        // The selected groups in their fixed order.
        for (const Grupo& g : grupos())
            if (MParams.value(g.chave) == QLatin1String("S"))
                converteGrupo(g.chave, BDOrigem, BDDestino, Barra, lblInfo);
        conversao.PConfirmaTransacao(Transacao);
        Platform::messages().information(QStringLiteral("Conversão concluída com sucesso!"));
        resultado = true;
        Barra.setPosition(0);
    } catch (const std::exception& e) {
        QString motivo;
        if (auto* app = dynamic_cast<const AppError*>(&e))
            motivo = app->message();
        else
            motivo = QString::fromUtf8(e.what());
        try {
            conversao.PCancelaTransacao(Transacao);
        } catch (const std::exception& r) {
            // The rollback's own failure must not hide the cause of the run's failure.
            motivo += QChar(13) + QString::fromUtf8(r.what());
        }
        Platform::messages().error(
            QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ") + motivo);
        Barra.setPosition(0);
        Barra.setMaximum(0);
    }
    return resultado;
}

void TClassesConversaoController::converteGrupo(const QString& chave, SourceConnection& BDOrigem,
                                                TargetDatabase& BDQuelvar, Gauge& Barra,
                                                ProgressLabel& lblInfo)
{
    std::unique_ptr<Preenchedor> preenchedor = m_fabrica(chave);
    preenchedor->preenche(BDOrigem, BDQuelvar, Barra, lblInfo);
}

void TClassesConversaoController::PConverteClientes(SourceConnection& o, TargetDatabase& d,
                                                    Gauge& b, ProgressLabel& l)
{
    converteGrupo(QStringLiteral("CLIENTES"), o, d, b, l);
}

void TClassesConversaoController::PConverteFornecedores(SourceConnection& o, TargetDatabase& d,
                                                        Gauge& b, ProgressLabel& l)
{
    converteGrupo(QStringLiteral("FORNECEDORES"), o, d, b, l);
}

void TClassesConversaoController::PConverteGruposProdutos(SourceConnection& o,
                                                          TargetDatabase& d, Gauge& b,
                                                          ProgressLabel& l)
{
    converteGrupo(QStringLiteral("GRUPOSPRODUTOS"), o, d, b, l);
}

void TClassesConversaoController::PConverteClassificacaoFiscal(SourceConnection& o,
                                                               TargetDatabase& d, Gauge& b,
                                                               ProgressLabel& l)
{
    converteGrupo(QStringLiteral("CLASSIFICACAOFISCAL"), o, d, b, l);
}

void TClassesConversaoController::PConverteProdutos(SourceConnection& o, TargetDatabase& d,
                                                    Gauge& b, ProgressLabel& l)
{
    converteGrupo(QStringLiteral("PRODUTOS"), o, d, b, l);
}
