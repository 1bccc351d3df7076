#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

// The column/value pairs of one insert or update the converters build, in the order they are
// added, each value written as the target's literal of its kind. The statement's own words
// around them stay in the converter, exactly as it writes them.
class ColunasComando {
public:
    void texto(const char* coluna, const QString& v);
    void numero(const char* coluna, double v);
    void inteiro(const char* coluna, int v);
    void data(const char* coluna, const QDateTime& v);
    void add(const char* coluna, const QString& literal);

    // "inicio" names ", "-joined, "meio", values ", "-joined, "fim".
    QString insercao(QStringView inicio, QStringView meio, QStringView fim) const;
    // "C1 = V1, C2 = V2, ..."
    QString atribuicoes() const;

private:
    QStringList m_nomes;
    QStringList m_valores;
};
