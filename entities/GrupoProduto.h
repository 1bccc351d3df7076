#pragma once
#include "conversion/classConversao.h"
#include <QString>

// One product group (GRUPROD row): the code is the last three characters of the source key,
// zero-filled, the same rule by which products name their group.
class TConverteGruposProd : public TConversao {
public:
    explicit TConverteGruposProd(TargetDatabase& cBanco);
    ~TConverteGruposProd() override;

    const QString& Codigo() const { return FCodigo; }
    const QString& Descricao() const { return FDescricao; }
    int DiasEstoqueMaximo() const { return FDiasEstoqueMaximo; }
    int DiasEstoqueMinimo() const { return FDiasEstoqueMinimo; }

    void SetCodigo(const QString& Value);
    void SetDescricao(const QString& Value);
    void SetDiasEstoqueMaximo(int Value) { FDiasEstoqueMaximo = Value; }
    void SetDiasEstoqueMinimo(int Value) { FDiasEstoqueMinimo = Value; }

    void LimpaVariavel();
    // Empties GRUPROD and commits (the group's commit point, before its first row).
    void LimpaTabela();
    // Inserts the record and resets it; a rejected insert raises and leaves the record as it was.
    bool ExecutaSql();

private:
    QString FCodigo;
    QString FDescricao;
    int FDiasEstoqueMaximo = 0;
    int FDiasEstoqueMinimo = 0;
};
