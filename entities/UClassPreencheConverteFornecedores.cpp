#include "entities/UClassPreencheConverteFornecedores.h"
#include "conversion/ProgressWalk.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "db/SourceQuery.h"
#include "entities/Fornecedor.h"

namespace {

// Twelve zeros is how the legacy system leaves a telephone unfilled.
bool telefoneInformado(const QString& tel)
{
    return tel != QStringLiteral("000000000000") && !TextRules::trim(tel).isEmpty();
}

}  // namespace

SourceQuery& TClassPreencheDadosFornecedores::BuscaFornecedoresBDOrigem(SourceQuery& qryBusca)
{
    qryBusca.clearSql();
    qryBusca.setSql(QStringLiteral("SELECT ") + QLatin1String(kColunasOrigem) + QStringLiteral(" FROM ") +
                    QLatin1String(kTabelaOrigem));
    qryBusca.open();
    return qryBusca;
}

void TClassPreencheDadosFornecedores::PreencheConverteFornecedores(SourceConnection& DbOrigem,
        TargetDatabase& DbDestino, Gauge& Barra, ProgressLabel& lblInfo)
{
    TConverteFornece ConverteFornecedores(DbDestino);
    SourceQuery qryBusca(DbOrigem);
    // The city lookup runs on an object of its own so that it never disturbs the
    // converter's auxiliary query.
    TConversao FConversao(DbDestino);

    ConverteFornecedores.LimpaTabela();
    BuscaFornecedoresBDOrigem(qryBusca);

    ProgressWalk(Barra, lblInfo, QLatin1String(kPrefixo),
                 QLatin1String(kTabelaOrigem))
        .run(qryBusca, [&](SourceQuery& q) {
            ConverteFornecedores.SetCodFornec(q.fieldText(QStringLiteral("CONTROLE")));
            ConverteFornecedores.SetNome(q.fieldText(QStringLiteral("EMPRESA")));
            ConverteFornecedores.SetEndereco(q.fieldText(QStringLiteral("ENDERECO")));
            ConverteFornecedores.SetBairro(q.fieldText(QStringLiteral("BAIRRO")));
            const QString cidade = q.fieldText(QStringLiteral("CIDADE"));
            const QString estado = q.fieldText(QStringLiteral("ESTADO"));
            // A CIDADE of blanks names no city, as for the customers.
            if (!TextRules::trim(cidade).isEmpty())
                ConverteFornecedores.SetCodCidade(FConversao.FCidade(cidade, estado));
            ConverteFornecedores.SetEstado(estado);
            ConverteFornecedores.SetCep(q.fieldText(QStringLiteral("CEP")));
            const QString telefone = q.fieldText(QStringLiteral("TELEFONE"));
            if (telefoneInformado(telefone))
                ConverteFornecedores.SetFone(telefone);
            ConverteFornecedores.SetCgcCpf(q.fieldText(QStringLiteral("CGC")));
            ConverteFornecedores.SetInscEst(q.fieldText(QStringLiteral("INSCRICAO")));
            const QString fax = q.fieldText(QStringLiteral("FAX"));
            if (telefoneInformado(fax))
                ConverteFornecedores.SetFax(fax);
            ConverteFornecedores.SetEmail(q.fieldText(QStringLiteral("EMAIL")));
            ConverteFornecedores.Setobservacao(q.fieldText(QStringLiteral("OBSERVACAO")));
            ConverteFornecedores.SetPessoa_FJ(q.fieldText(QStringLiteral("PESSOA")));
            ConverteFornecedores.SetAtivo(QStringLiteral("S"));
            ConverteFornecedores.GravaFornecedor();
        });
}
