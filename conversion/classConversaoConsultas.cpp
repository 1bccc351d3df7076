// Reference lookups of TConversao: find the row or create it with the next code.
#include "conversion/classConversao.h"
#include "db/AppError.h"

static QString pendente() { throw AppError(QStringLiteral("consulta ainda não disponível")); }

QString TConversao::FCidade(const QString&, const QString&) { return pendente(); }
QString TConversao::FGrupo(const QString&) { return pendente(); }
QString TConversao::FGrupoComCodigoPredefinido(const QString&, const QString&) { return pendente(); }
QString TConversao::FSubGrupoComCodigoPredefinido(const QString&, const QString&, const QString&) { return pendente(); }
QString TConversao::FFabricante(const QString&) { return pendente(); }
QString TConversao::FPais(const QString&) { return pendente(); }
QString TConversao::FClasCli(const QString&) { return pendente(); }
QString TConversao::FLocalProd(const QString&) { return pendente(); }
QString TConversao::FUnidade(const QString&) { return pendente(); }
QString TConversao::FRetornaCodClasFis(const QString&) { return pendente(); }
