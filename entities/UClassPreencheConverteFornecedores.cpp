#include "entities/UClassPreencheConverteFornecedores.h"
#include "db/AppError.h"

void TClassPreencheDadosFornecedores::PreencheConverteFornecedores(SourceConnection&, TargetDatabase&, Gauge&, ProgressLabel&)
{
    throw AppError(QStringLiteral("Conversão deste grupo ainda não disponível."));
}
