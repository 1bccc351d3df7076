#include "entities/UClassPreencheConverteGruposProdutos.h"
#include "db/AppError.h"

void TClassPreencheDadosGruposProdutos::PreencheConverteGruposProdutos(SourceConnection&, TargetDatabase&, Gauge&, ProgressLabel&)
{
    throw AppError(QStringLiteral("Conversão deste grupo ainda não disponível."));
}
