#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"

void ColunasComando::texto(const char* coluna, const QString& v) { add(coluna, TextRules::quoted(v)); }
void ColunasComando::numero(const char* coluna, double v) { add(coluna, TextRules::numberLiteral(v)); }
void ColunasComando::inteiro(const char* coluna, int v) { add(coluna, QString::number(v)); }
void ColunasComando::data(const char* coluna, const QDateTime& v) { add(coluna, TextRules::dateLiteral(v.date())); }

void ColunasComando::add(const char* coluna, const QString& literal)
{
    m_nomes.append(QLatin1String(coluna));
    m_valores.append(literal);
}

QString ColunasComando::insercao(QStringView inicio, QStringView meio, QStringView fim) const
{
    QString sql = inicio.toString();
    sql += m_nomes.join(QStringLiteral(", "));
    sql += meio;
    sql += m_valores.join(QStringLiteral(", "));
    sql += fim;
    return sql;
}

QString ColunasComando::atribuicoes() const
{
    QStringList a;
    a.reserve(m_nomes.size());
    for (int i = 0; i < m_nomes.size(); ++i)
        a.append(m_nomes[i] + QStringLiteral(" = ") + m_valores[i]);
    return a.join(QStringLiteral(", "));
}
