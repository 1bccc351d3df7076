#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"

void ColunasComando::abre(const char* coluna)
{
    if (m_colunas.empty()) {
        m_colunas.reserve(128);
        m_valores.reserve(2048);
    }
    const QLatin1StringView nome(coluna);
    m_colunas.push_back({nome, m_valores.size()});
    m_tamanhoNomes += nome.size();
}

QStringView ColunasComando::valor(size_t i) const
{
    const qsizetype fim = i + 1 < m_colunas.size() ? m_colunas[i + 1].inicio : m_valores.size();
    return QStringView(m_valores).mid(m_colunas[i].inicio, fim - m_colunas[i].inicio);
}

void ColunasComando::texto(const char* coluna, const QString& v)
{
    abre(coluna);
    TextRules::appendQuoted(m_valores, v);
}

void ColunasComando::numero(const char* coluna, double v) { add(coluna, TextRules::numberLiteral(v)); }
void ColunasComando::inteiro(const char* coluna, int v) { add(coluna, QString::number(v)); }
void ColunasComando::data(const char* coluna, const QDateTime& v) { add(coluna, TextRules::dateLiteral(v.date())); }

void ColunasComando::add(const char* coluna, const QString& literal)
{
    abre(coluna);
    m_valores += literal;
}

QString ColunasComando::insercao(QStringView inicio, QStringView meio, QStringView fim) const
{
    const qsizetype separadores = m_colunas.empty() ? 0 : 2 * static_cast<qsizetype>(m_colunas.size() - 1);
    QString sql;
    sql.reserve(inicio.size() + m_tamanhoNomes + meio.size() + m_valores.size() + 2 * separadores + fim.size());
    sql += inicio;
    for (size_t i = 0; i < m_colunas.size(); ++i) {
        if (i > 0)
            sql += QLatin1StringView(", ");
        sql += m_colunas[i].nome;
    }
    sql += meio;
    for (size_t i = 0; i < m_colunas.size(); ++i) {
        if (i > 0)
            sql += QLatin1StringView(", ");
        sql += valor(i);
    }
    sql += fim;
    return sql;
}

QString ColunasComando::atribuicoes() const
{
    const qsizetype n = static_cast<qsizetype>(m_colunas.size());
    QString sql;
    sql.reserve(m_tamanhoNomes + m_valores.size() + 3 * n + 2 * (n > 0 ? n - 1 : 0));
    for (size_t i = 0; i < m_colunas.size(); ++i) {
        if (i > 0)
            sql += QLatin1StringView(", ");
        sql += m_colunas[i].nome;
        sql += QLatin1StringView(" = ");
        sql += valor(i);
    }
    return sql;
}
