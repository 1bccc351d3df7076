#include "entities/GrupoProduto.h"
#include "conversion/TextRules.h"

TConverteGruposProd::TConverteGruposProd(TargetDatabase& cBanco) : TConversao(cBanco)
{
    LimpaVariavel();
}

TConverteGruposProd::~TConverteGruposProd()
{
    QDestino.reset();
}

void TConverteGruposProd::SetCodigo(const QString& Value)
{
    // Trimmed like the product's group code, so that a padded key still names the same group.
    FCodigo = StrZero(TextRules::right(TextRules::trim(Value), 3), 3);
}

void TConverteGruposProd::SetDescricao(const QString& Value)
{
    FDescricao = TextRules::trim(Value).left(30);
}

void TConverteGruposProd::LimpaVariavel()
{
    FCodigo.clear();
    FDescricao.clear();
    FDiasEstoqueMaximo = 0;
    FDiasEstoqueMinimo = 0;
}

void TConverteGruposProd::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("Delete From GRUPROD"), QStringLiteral("Commit;"));
}

bool TConverteGruposProd::ExecutaSql()
{
    QDestino->setSql(QStringLiteral(
        "INSERT INTO GRUPROD ( CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO) "
        "VALUES (:pCODGRUPO, :pDESCRICAO, :pDIASESTMAXIMO, :pDIASESTMINIMO) "));
    QDestino->setParamText(QStringLiteral("pCODGRUPO"), FCodigo);
    QDestino->setParamText(QStringLiteral("pDESCRICAO"), FDescricao);
    QDestino->setParamInteger(QStringLiteral("pDIASESTMAXIMO"), FDiasEstoqueMaximo);
    QDestino->setParamInteger(QStringLiteral("pDIASESTMINIMO"), FDiasEstoqueMinimo);
    QDestino->execSql();
    LimpaVariavel();
    return true;
}
