#include "entities/UClassPreencheConverteProdutos.h"
#include "db/AppError.h"

void TClassPreencheDadosProdutos::PreencheConverteProdutos(SourceConnection&, TargetDatabase&, Gauge&, ProgressLabel&)
{
    throw AppError(QStringLiteral("Conversão deste grupo ainda não disponível."));
}
