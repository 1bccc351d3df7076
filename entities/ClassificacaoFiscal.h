#pragma once
#include "conversion/classConversao.h"
#include <QString>

// One fiscal classification (CLASFISC row), coded by its source key (four characters).
class TConverteClassificacaoFiscal : public TConversao {
public:
    explicit TConverteClassificacaoFiscal(TargetDatabase& cBanco);

    const QString& CodClasFis() const { return MCodClasFis; }
    const QString& CodNBM() const { return MCodNBM; }
    const QString& PisConfRetido() const { return MPisConfRetido; }
    const QString& CodigoNCM() const { return MCodigoNCM; }
    const QString& CodNatReceita() const { return MCodNatReceita; }
    int AliqIpi() const { return MAliqIpi; }

    // Raises AppError when the trimmed key has more than 4 characters: cutting it would give
    // another key's code.
    void SetCodClasFis(const QString& Value);
    // Both in the form the products' fiscal-class lookup searches (FNormalizaNCM), cut to 20
    // and to 8 characters.
    void SetCodNBM(const QString& Value);
    void SetCodigoNCM(const QString& Value);
    void SetPisConfRetido(const QString& Value);
    void SetCodNatReceita(const QString& Value);
    void SetAliqIpi(int Value) { MAliqIpi = Value; }

    void PLimpaDados();
    // Empties CLASFISC and commits (the group's commit point, before its first row).
    void LimpaTabela();
    // Inserts the record through a query of its own; the fields stay as they are.
    void GravaClassificacaoFiscal(TargetDatabase& cBanco);

private:
    QString MCodClasFis;
    QString MCodNBM;
    QString MPisConfRetido;
    QString MCodigoNCM;
    QString MCodNatReceita;
    int MAliqIpi = 0;
};
