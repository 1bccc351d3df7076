#pragma once
#include "conversion/classConversao.h"
#include <QString>

// The stock complement of a product: one COMPPROD row per product, company and grade.
// Unlike the product record, the fields keep their values from one insert to the next.
class TConverteCompProd : public TConversao {
public:
    explicit TConverteCompProd(TargetDatabase& cBanco);
    ~TConverteCompProd() override;

    void LimpaVariavel();
    void LimpaTabela();  // empties COMPPROD and commits
    QString MontaSql() const;
    bool ExecutaSql();

    QString CodProd() const { return FCodProd; }
    QString CodEmpresa() const { return FCodEmpresa; }
    QString CodGrade() const { return FCodGrade; }
    double Estoque() const { return FEstoque; }
    double EstMaximo() const { return FEstMaximo; }
    double EstMinimo() const { return FEstMinimo; }
    double PrecoCusto() const { return FPrecoCusto; }
    double PrecoMedio() const { return FPrecoMedio; }
    double EstoquDisp() const { return FEstoqueDisp; }
    double PrecoNF() const { return FPrecoNF; }

    // Zero-filled to 6, neither trimmed nor cut: the filler passes the product's code.
    void SetCodProd(const QString& Value);
    void SetCodEmpresa(const QString& Value) { FCodEmpresa = Value; }
    void SetCodGrade(const QString& Value) { FCodGrade = Value; }
    void SetEstoque(double Value) { FEstoque = Value; }
    void setEstoqueDisp(double Value) { FEstoqueDisp = Value; }
    void SetEstMaximo(double Value) { FEstMaximo = Value; }
    void SetEstMinimo(double Value) { FEstMinimo = Value; }
    void SetPrecoCusto(double Value) { FPrecoCusto = Value; }
    void setPrecoMedio(double Value) { FPrecoMedio = Value; }
    void setPrecoNf(double Value) { FPrecoNF = Value; }

private:
    QString FCodProd;
    QString FCodEmpresa;
    QString FCodGrade;
    double FEstoque = 0;
    double FEstMaximo = 0;
    double FEstMinimo = 0;
    double FPrecoCusto = 0;
    double FPrecoMedio = 0;
    double FEstoqueDisp = 0;
    double FPrecoNF = 0;
};
