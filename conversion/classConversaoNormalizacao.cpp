// Value normalization of TConversao (pure text functions).
#include "conversion/classConversao.h"
#include "db/AppError.h"

static QString pendente() { throw AppError(QStringLiteral("função ainda não disponível")); }

QString TConversao::StrZero(const QString&, int) const { return pendente(); }
QString TConversao::TiraMascara(const QString&) const { return pendente(); }
QString TConversao::FValidaData(QString&) const { return pendente(); }
QString TConversao::FValidaTelefone(const QString&) const { return pendente(); }
QString TConversao::FVirgulaPonto(const QString&) const { return pendente(); }
QString TConversao::FRemoveCaracter(const QString&) const { return pendente(); }
QString TConversao::FRetiraAcento(const QString&) const { return pendente(); }
QString TConversao::FRetiraTraco(const QString&) const { return pendente(); }
QString TConversao::FRetornaFJ(const QString&) const { return pendente(); }
QString TConversao::FNormalizaNCM(const QString&) const { return pendente(); }
