#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

// The column/value pairs of one insert or update the converters build, in the order they are
// added, each value written as the target's literal of its kind. The statement's own words
// around them stay in the converter, exactly as it writes them.
class ColunasComando {
public:
    // Column names are kept by pointer, not copied: pass literals (or names that outlive the
    // statement's text).
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
    // Every value goes into one buffer, and a statement's text is written once at its full
    // size: a product statement has over a hundred columns, and a text per name and per
    // value cost more than the rest of building it.
    struct Coluna {
        QLatin1StringView nome;
        qsizetype inicio;  // where the value starts in m_valores; it ends where the next starts
    };
    void abre(const char* coluna);
    QStringView valor(size_t i) const;

    std::vector<Coluna> m_colunas;
    QString m_valores;
    qsizetype m_tamanhoNomes = 0;
};
