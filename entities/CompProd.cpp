#include "entities/CompProd.h"
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
    const QStringList valores = {
        TextRules::quoted(FCodProd),
        TextRules::quoted(FCodEmpresa),
        TextRules::quoted(FCodGrade),
        TextRules::numberLiteral(FEstoque),
        TextRules::numberLiteral(FEstoqueDisp),
        TextRules::numberLiteral(FEstMinimo),
        TextRules::numberLiteral(FEstMaximo),
        TextRules::numberLiteral(FPrecoMedio),
        TextRules::numberLiteral(FPrecoCusto),
        TextRules::numberLiteral(FPrecoNF),
    };
    return QStringLiteral(
               " Insert Into compprod ( compprod.codprod, compprod.codempresa, compprod.codgrade, "
               "compprod.estoque, compprod.estoqueDisponivel, compprod.estminimo, "
               "compprod.estmaximo, compprod.precomedio, compprod.precocusto, compprod.preconf) ") +
           QStringLiteral("Values ( ") + valores.join(QStringLiteral(", ")) + QStringLiteral(") ");
}

bool TConverteCompProd::ExecutaSql()
{
    QDestino->setSql(MontaSql());
    QDestino->execSql();
    return true;
}
