#pragma once
#include "conversion/Preenchedor.h"
#include "entities/GruposConversao.h"
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class ListaParametros;
class SourceConnection;
class TargetDatabase;
class TargetTransaction;
class Gauge;
class ProgressLabel;

// Runs one conversion: the selected groups in their fixed order, bracketed by the target
// transaction, and the outcome in one message box.
class TClassesConversaoController {
public:
    using Grupo = GruposConversao::Grupo;
    // The groups in the order in which they run.
    static const std::vector<Grupo>& grupos() { return GruposConversao::todos(); }

    // Creates the filler of a group by its key; the real fillers unless replaced.
    using FabricaPreenchedor = std::function<std::unique_ptr<Preenchedor>(const QString& chave)>;
    TClassesConversaoController();
    // reais: the factory's fillers read the real source tables (the runner times the real ones),
    // so a run can check their structure first.
    explicit TClassesConversaoController(FabricaPreenchedor fabrica, bool reais = false);
    bool usaPreenchedoresReais() const { return m_reais; }
    static std::unique_ptr<Preenchedor> preenchedorReal(const QString& chave);

    bool FEfetuaConversao(const ListaParametros& MParams, SourceConnection& BDOrigem,
                          TargetDatabase& BDDestino, TargetTransaction& Transacao, Gauge& Barra,
                          ProgressLabel& lblInfo);

    void PConverteClientes(SourceConnection& BDOrigem, TargetDatabase& BDQuelvar, Gauge& Barra,
                           ProgressLabel& lblInfo);
    void PConverteFornecedores(SourceConnection& BDOrigem, TargetDatabase& BDQuelvar,
                               Gauge& Barra, ProgressLabel& lblInfo);
    void PConverteGruposProdutos(SourceConnection& BDOrigem, TargetDatabase& BDQuelvar,
                                 Gauge& Barra, ProgressLabel& lblInfo);
    void PConverteClassificacaoFiscal(SourceConnection& BDOrigem, TargetDatabase& BDQuelvar,
                                      Gauge& Barra, ProgressLabel& lblInfo);
    void PConverteProdutos(SourceConnection& BDOrigem, TargetDatabase& BDQuelvar, Gauge& Barra,
                           ProgressLabel& lblInfo);

private:
    void converteGrupo(const QString& chave, SourceConnection& BDOrigem,
                       TargetDatabase& BDQuelvar, Gauge& Barra, ProgressLabel& lblInfo);
    FabricaPreenchedor m_fabrica;
    bool m_reais = true;
};
