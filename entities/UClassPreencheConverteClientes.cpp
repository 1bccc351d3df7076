#include "entities/UClassPreencheConverteClientes.h"
#include "conversion/ProgressWalk.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/RegionalFormat.h"
#include "db/SourceQuery.h"
#include "entities/Cliente.h"
#include "platform/Platform.h"

SourceQuery& TClassPreencheDadosClientes::BuscaClientesBDOrigem(SourceConnection&, SourceQuery& qryBusca)
{
    qryBusca.clearSql();
    qryBusca.setSql(QStringLiteral("SELECT ") + QLatin1String(kColunasOrigem) + QStringLiteral(" FROM ") +
                    QLatin1String(kTabelaOrigem) + QStringLiteral(" "));
    qryBusca.open();
    return qryBusca;
}

namespace {
// Source dates go to the setters as day/month/year text; NULL reads as 30/12/1899.
QString data(const SourceQuery& q, const QString& campo)
{
    return RegionalFormat::dateToStr(q.fieldDateTime(campo).date());
}
}  // namespace

void TClassPreencheDadosClientes::PreencheConverteClientes(SourceConnection& DbOrigem, TargetDatabase& DbDestino,
                                                            Gauge& Barra, ProgressLabel& lblInfo)
{
    Platform::processEvents();
    // Declared so that they are released converter first, then the query, then the lookups.
    TConversao FConversao(DbDestino);
    SourceQuery qryBusca(DbOrigem);
    TConverteCliente ConverteClientes(DbDestino);

    ConverteClientes.LimpaTabela();
    BuscaClientesBDOrigem(DbOrigem, qryBusca);

    // The values go to the setters as read: the converter does all the cleaning.
    ProgressWalk(Barra, lblInfo, QLatin1String(kPrefixo),
                 QLatin1String(kTabelaOrigem))
        .run(qryBusca, [&](SourceQuery& q) {
            ConverteClientes.SetCodCliente(q.fieldText(QStringLiteral("CONTROLE")));
            ConverteClientes.SetNome(q.fieldText(QStringLiteral("NOME")));
            ConverteClientes.SetEndereco(q.fieldText(QStringLiteral("ENDERECO")));
            ConverteClientes.SetBairro(q.fieldText(QStringLiteral("BAIRRO")));
            const QString cidade = q.fieldText(QStringLiteral("CIDADE"));
            if (!TextRules::trim(cidade).isEmpty())
                ConverteClientes.SetCodCidade(FConversao.FCidade(cidade, q.fieldText(QStringLiteral("ESTADO"))));
            ConverteClientes.SetEstado(q.fieldText(QStringLiteral("ESTADO")));
            ConverteClientes.SetCep(q.fieldText(QStringLiteral("CEP")));
            const QString telefone = q.fieldText(QStringLiteral("TELEFONE"));
            if (telefone != QLatin1String("000000000000"))
                ConverteClientes.SetFone(telefone);
            ConverteClientes.SetDT_Nascimento(data(q, QStringLiteral("DATA")));
            const QString cgc = q.fieldText(QStringLiteral("CGC"));
            if (!TextRules::trim(cgc).isEmpty())
                ConverteClientes.SetCgcCpf(cgc);
            else
                ConverteClientes.SetCgcCpf(q.fieldText(QStringLiteral("CPF")));
            ConverteClientes.SetContato(q.fieldText(QStringLiteral("RESPONSAVEL")));
            ConverteClientes.SetDT_Cadastro(data(q, QStringLiteral("DATACADASTRO")));
            ConverteClientes.SetCampoLivre1(q.fieldText(QStringLiteral("IDENTIDADE")));
            ConverteClientes.SetCampoLivre2(q.fieldText(QStringLiteral("ESTADOCIVIL")));
            ConverteClientes.SetCampoLivre3(q.fieldText(QStringLiteral("PAI")));
            ConverteClientes.SetCampoLivre4(q.fieldText(QStringLiteral("MAE")));
            ConverteClientes.SetFax(q.fieldText(QStringLiteral("FAX")));
            ConverteClientes.SetObsercacao(q.fieldText(QStringLiteral("OBSERVACAO")));
            ConverteClientes.SetCampoLivre5(q.fieldText(QStringLiteral("EMPRESATRABALHO")));
            ConverteClientes.SetLimiteCredito(q.fieldFloat(QStringLiteral("LIMITECREDITO")));
            ConverteClientes.SetPessoa_FJ(q.fieldText(QStringLiteral("PESSOA")));
            ConverteClientes.SetCampoLivre6(q.fieldText(QStringLiteral("REFERENCIA")));
            ConverteClientes.SetAtivo(q.fieldText(QStringLiteral("ATIVO")));
            ConverteClientes.ExecutaSql(1);
        });
}
