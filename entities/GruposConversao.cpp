#include "entities/GruposConversao.h"
#include "entities/UClassPreencheClassificacaoFiscal.h"
#include "entities/UClassPreencheConverteClientes.h"
#include "entities/UClassPreencheConverteFornecedores.h"
#include "entities/UClassPreencheConverteGruposProdutos.h"
#include "entities/UClassPreencheConverteProdutos.h"

namespace {
template <typename P>
GruposConversao::Grupo grupo(const char* chave, const char* nome, QStringList destino, QStringList referencia)
{
    return {QLatin1String(chave),
            QLatin1String(nome),
            QLatin1String(P::kPrefixo),
            QLatin1String(P::kTabelaOrigem),
            QString::fromLatin1(P::kColunasOrigem).split(QStringLiteral(", ")),
            std::move(destino),
            std::move(referencia),
            []() -> std::unique_ptr<Preenchedor> { return std::make_unique<P>(); }};
}
}  // namespace

const std::vector<GruposConversao::Grupo>& GruposConversao::todos()
{
    static const std::vector<Grupo> g = [] {
        std::vector<Grupo> v;
        v.push_back(grupo<TClassPreencheDadosClientes>("CLIENTES", "Clientes", {QStringLiteral("CLIENTE")}, {QStringLiteral("CIDADES")}));
        v.push_back(grupo<TClassPreencheDadosFornecedores>("FORNECEDORES", "Fornecedores", {QStringLiteral("FORNECE")},
                                                           {QStringLiteral("CIDADES")}));
        v.push_back(grupo<TClassPreencheDadosGruposProdutos>("GRUPOSPRODUTOS", "Grupos de produtos", {QStringLiteral("GRUPROD")}, {}));
        v.push_back(grupo<TClassPreencheDadosClassificacaoFiscal>("CLASSIFICACAOFISCAL", "Classificacao Fiscal", {QStringLiteral("CLASFISC")}, {}));
        v.push_back(grupo<TClassPreencheDadosProdutos>(
            "PRODUTOS", "Produtos", {QStringLiteral("PRODUTO"), QStringLiteral("COMPPROD")},
            {QStringLiteral("CADFABR"), QStringLiteral("CLASFISC"), QStringLiteral("GRUPROD")}));
        return v;
    }();
    return g;
}

const GruposConversao::Grupo* GruposConversao::busca(const QString& chave)
{
    for (const Grupo& g : todos())
        if (g.chave == chave)
            return &g;
    return nullptr;
}

QStringList GruposConversao::linhasParametros()
{
    QStringList l;
    for (const Grupo& g : todos())
        l.append(g.chave);
    return l << QStringLiteral("CAMINHO BD DESTINO") << QStringLiteral("CAMINHO BD ORIGEM");
}
