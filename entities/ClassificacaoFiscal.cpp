#include "entities/ClassificacaoFiscal.h"
#include "conversion/TextRules.h"
#include "common/AppError.h"

TConverteClassificacaoFiscal::TConverteClassificacaoFiscal(TargetDatabase& cBanco)
    : TConversao(cBanco)
{
    PLimpaDados();
}

void TConverteClassificacaoFiscal::PLimpaDados()
{
    MCodClasFis.clear();
    MCodNBM.clear();
    MPisConfRetido.clear();
    MCodigoNCM.clear();
    MCodNatReceita.clear();
    MAliqIpi = 0;
}

void TConverteClassificacaoFiscal::SetCodClasFis(const QString& Value)
{
    MCodClasFis = codigoZerado(TextRules::trim(Value), 4, QStringLiteral("Código da classificação fiscal"), Value);
}

void TConverteClassificacaoFiscal::SetCodNBM(const QString& Value)
{
    // The mask goes before the cut, so no digit is lost to punctuation; blanks inside go too,
    // so that CODIGONCM stays the first eight characters of CODNBM.
    MCodNBM = FNormalizaNCM(Value, 20);
}

void TConverteClassificacaoFiscal::SetCodigoNCM(const QString& Value)
{
    MCodigoNCM = FNormalizaNCM(Value);
}

void TConverteClassificacaoFiscal::SetPisConfRetido(const QString& Value)
{
    MPisConfRetido = Value.left(1);
}

void TConverteClassificacaoFiscal::SetCodNatReceita(const QString& Value)
{
    MCodNatReceita = Value.left(3);
}

void TConverteClassificacaoFiscal::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("DELETE FROM CLASFISC"), QStringLiteral("COMMIT"));
}

void TConverteClassificacaoFiscal::GravaClassificacaoFiscal(TargetDatabase& cBanco)
{
    TargetQuery qryClassificacaoFiscal(cBanco);
    qryClassificacaoFiscal.setSql(QStringLiteral(
        "INSERT INTO CLASFISC ( CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI ) "
        "VALUES (:CODCLASFIS, :CODNBM, :PISCONFRETIDO, :CODIGONCM, :CODNATRECEITA, :ALIQIPI ) "));
    qryClassificacaoFiscal.setParamText(QStringLiteral("CODCLASFIS"), MCodClasFis);
    qryClassificacaoFiscal.setParamText(QStringLiteral("CODNBM"), MCodNBM);
    qryClassificacaoFiscal.setParamText(QStringLiteral("PISCONFRETIDO"), MPisConfRetido);
    qryClassificacaoFiscal.setParamText(QStringLiteral("CODIGONCM"), MCodigoNCM);
    qryClassificacaoFiscal.setParamText(QStringLiteral("CODNATRECEITA"), MCodNatReceita);
    qryClassificacaoFiscal.setParamInteger(QStringLiteral("ALIQIPI"), MAliqIpi);
    qryClassificacaoFiscal.execSql();
}
