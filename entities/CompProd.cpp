#include "entities/CompProd.h"
#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"
#include "db/TargetQuery.h"
#include <QStringList>

TConverteCompProd::TConverteCompProd(TargetDatabase& cBanco) : TConversao(cBanco)
{
    LimpaVariavel();
}

TConverteCompProd::~TConverteCompProd() { QDestino.reset(); }

void TConverteCompProd::SetCodProd(const QString& Value) { FCodProd = StrZero(Value, 6); }

// Limits, average cost, available stock and invoice price are left as they are.
void TConverteCompProd::LimpaVariavel()
{
    SetCodProd(QString());
    SetCodEmpresa(QStringLiteral("00"));
    SetCodGrade(QStringLiteral("0000"));
    SetEstoque(0);
    SetPrecoCusto(0);
}

void TConverteCompProd::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("Delete from COMPPROD"), QStringLiteral("Commit;"));
}

QString TConverteCompProd::MontaSql() const
{
    ColunasComando c;
    c.texto("compprod.codprod", FCodProd);
    c.texto("compprod.codempresa", FCodEmpresa);
    c.texto("compprod.codgrade", FCodGrade);
    c.numero("compprod.estoque", FEstoque);
    c.numero("compprod.estoqueDisponivel", FEstoqueDisp);
    c.numero("compprod.estminimo", FEstMinimo);
    c.numero("compprod.estmaximo", FEstMaximo);
    c.numero("compprod.precomedio", FPrecoMedio);
    c.numero("compprod.precocusto", FPrecoCusto);
    c.numero("compprod.preconf", FPrecoNF);
    return c.insercao(u" Insert Into compprod ( ", u") Values ( ", u") ");
}

bool TConverteCompProd::ExecutaSql()
{
    QDestino->setSql(MontaSql());
    QDestino->execSql();
    return true;
}
