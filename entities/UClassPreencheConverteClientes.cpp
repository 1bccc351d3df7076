#include "entities/UClassPreencheConverteClientes.h"
#include "db/AppError.h"

void TClassPreencheDadosClientes::PreencheConverteClientes(SourceConnection&, TargetDatabase&, Gauge&, ProgressLabel&)
{
    throw AppError(QStringLiteral("Conversão deste grupo ainda não disponível."));
}
