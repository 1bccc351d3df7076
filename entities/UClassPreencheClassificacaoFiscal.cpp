#include "entities/UClassPreencheClassificacaoFiscal.h"
#include "db/AppError.h"

void TClassPreencheDadosClassificacaoFiscal::PreencheConverteClassificacaoFiscal(SourceConnection&, TargetDatabase&, Gauge&, ProgressLabel&)
{
    throw AppError(QStringLiteral("Conversão deste grupo ainda não disponível."));
}
