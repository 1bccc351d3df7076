// Value normalization of the converter base, the shared text rules and the number literal form.
#include "TargetFixture.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/RegionalFormat.h"
#include "db/Win1252.h"
#include <QDate>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// The value functions read no database, but the object needs a connection to exist.
class Normalization : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fx = new TargetFixture; c = new TConversao(fx->db); }
    static void TearDownTestSuite()
    {
        delete c;
        delete fx;
    }
    static TargetFixture* fx;
    static TConversao* c;
};
TargetFixture* Normalization::fx = nullptr;
TConversao* Normalization::c = nullptr;

struct Caso {
    const char* funcao;
    QString entrada;
    QString saida;
};

using Funcao = std::function<QString(const TConversao&, const QString&)>;

void confere(const TConversao& c, const Funcao& f, const std::vector<Caso>& casos)
{
    for (const Caso& k : casos)
        EXPECT_EQ(f(c, k.entrada), k.saida) << k.funcao << "(\"" << k.entrada.toStdString() << "\")";
}

QString longo(int n, const QString& unidade)
{
    QString s;
    while (s.size() < n)
        s += unidade;
    return s.left(n);
}

}  // namespace

TEST_F(Normalization, StrZeroFillsOnTheLeftAndNeverCuts)
{
    struct Z {
        QString valor;
        int qtd;
        QString saida;
    };
    const std::vector<Z> casos = {
        {"7", 3, "007"},     {"", 3, "000"},       {"12345", 3, "12345"}, {" 5", 3, "0 5"},
        {"123", 3, "123"},   {"AB", 5, "000AB"},   {"9", 0, "9"},         {"9", -2, "9"},
        {"", 0, ""},         {"12", 8, "00000012"},
    };
    for (const Z& z : casos)
        EXPECT_EQ(c->StrZero(z.valor, z.qtd), z.saida) << z.valor.toStdString() << " width " << z.qtd;
}

TEST_F(Normalization, TiraMascaraKeepsDigitsOrTheExemptionWord)
{
    confere(*c, [](const TConversao& t, const QString& v) { return t.TiraMascara(v); },
            {
                {"TiraMascara", "123.456.789-01", "12345678901"},
                {"TiraMascara", " isento ", " ISENTO "},
                {"TiraMascara", "ISENTO", "ISENTO"},
                {"TiraMascara", "\tIsento\r\n", "\tISENTO\r\n"},
                {"TiraMascara", "Isenta", ""},
                {"TiraMascara", "123 ISEN", ""},
                {"TiraMascara", "ISENTOS", ""},
                {"TiraMascara", "12.345-ABC", "12345"},
                {"TiraMascara", "", ""},
                {"TiraMascara", "abc", ""},
                {"TiraMascara", QString::fromUtf8("1²3٣4"), "134"},  // only ASCII digits count
            });
}

TEST_F(Normalization, FValidaDataRewritesTheCallersText)
{
    const std::vector<Caso> casos = {
        {"FValidaData", "15/03/2012", "15.03.2012"},
        {"FValidaData", "15-03-2012", "15.03.2012"},
        {"FValidaData", "15.03.2012", "15.03.2012"},
        {"FValidaData", "2012-03/15", "2012-03.15"},  // "/" wins, "-" is then left alone
        {"FValidaData", "41000", "01/04/2012"},
        {"FValidaData", "41000,75", "01/04/2012"},      // a fraction is a time of day
        {"FValidaData", " 41000 ", "01/04/2012"},
        {"FValidaData", "0", "30/12/1899"},
        {"FValidaData", "1E3", "26/09/1902"},
        {"FValidaData", "2958465", "31/12/9999"},       // last day of the range
        {"FValidaData", "2958465,99", "31/12/9999"},
        {"FValidaData", "2958466", ""},                 // first day beyond it
        {"FValidaData", "20120315", ""},
        {"FValidaData", "abc", ""},
        {"FValidaData", "1,2,3", ""},
        {"FValidaData", "   ", ""},
    };
    for (const Caso& k : casos) {
        QString data = k.entrada;
        const QString r = c->FValidaData(data);
        EXPECT_EQ(r, k.saida) << k.entrada.toStdString();
        EXPECT_EQ(data, k.saida) << "the argument is rewritten: " << k.entrada.toStdString();
    }
}

TEST_F(Normalization, FValidaDataEmptyBecomesToday)
{
    for (const QString& vazio : {QString(), QStringLiteral("  -   -")}) {
        const QString antes = RegionalFormat::dateToStr(QDate::currentDate());
        QString data = vazio;
        c->FValidaData(data);
        const QString depois = RegionalFormat::dateToStr(QDate::currentDate());
        EXPECT_TRUE(data == antes || data == depois) << data.toStdString();
        EXPECT_EQ(data.size(), 10);
        EXPECT_EQ(data[2], QLatin1Char('/'));
    }
    // Only the exact empty mask counts; another layout is read as text with hyphens.
    QString outra = QStringLiteral(" -  -");
    EXPECT_EQ(c->FValidaData(outra), QStringLiteral(" .  ."));
}

TEST_F(Normalization, FValidaTelefone)
{
    confere(*c, [](const TConversao& t, const QString& v) { return t.FValidaTelefone(v); },
            {
                {"FValidaTelefone", "(031) 3333-4444", "3133334444"},
                {"FValidaTelefone", "3333-4444", "3133334444"},
                {"FValidaTelefone", "0031 3333 4444", "3133334444"},
                {"FValidaTelefone", "000", "0"},
                {"FValidaTelefone", "0", ""},
                {"FValidaTelefone", "", ""},
                {"FValidaTelefone", "   ", ""},
                {"FValidaTelefone", "  (31) 9876-5432 ", "3198765432"},
                {"FValidaTelefone", "33334444", "3133334444"},
                {"FValidaTelefone", "031 9 8765-4321", "31987654321"},
                {"FValidaTelefone", "12345", "12345"},
                {"FValidaTelefone", "0000333", "333"},
                {"FValidaTelefone", "1000", "1000"},
            });
}

TEST_F(Normalization, FVirgulaPonto)
{
    const QString cauda = longo(120, QStringLiteral("9876543210"));
    confere(*c, [](const TConversao& t, const QString& v) { return t.FVirgulaPonto(v); },
            {
                {"FVirgulaPonto", "", "0.00"},
                {"FVirgulaPonto", "1.234,56", "1.234.56"},
                {"FVirgulaPonto", " 3,0 ", "3.0"},
                {"FVirgulaPonto", " 7 ", " 7 "},
                {"FVirgulaPonto", "1,2,3", "1.2.3"},
                {"FVirgulaPonto", ",", "."},
                // The rest of the text after a comma is kept whole, however long.
                {"FVirgulaPonto", "1," + cauda, "1." + cauda},
                {"FVirgulaPonto", cauda + "," + cauda + "," + cauda, cauda + "." + cauda + "." + cauda},
            });
}

TEST_F(Normalization, FRemoveCaracter)
{
    const QString cauda = longo(250, QStringLiteral("ABCDEFGHIJ"));
    confere(*c, [](const TConversao& t, const QString& v) { return t.FRemoveCaracter(v); },
            {
                {"FRemoveCaracter", " (31) 3333-4444 ", "31 33334444"},
                {"FRemoveCaracter", "D'AVILA", "DAVILA"},
                {"FRemoveCaracter", " sem sinais ", " sem sinais "},
                {"FRemoveCaracter", "3004.90.69", "30049069"},
                {"FRemoveCaracter", "12/34-5(6)'7.8", "12345678"},
                {"FRemoveCaracter", "a - b", "a  b"},    // the trim applies to the ends only
                {"FRemoveCaracter", "- a -", "a"},
                {"FRemoveCaracter", "()-./'", ""},
                {"FRemoveCaracter", "x,y;z", "x,y;z"},   // other punctuation stays
                // Nothing after a removed character is lost, however long.
                {"FRemoveCaracter", "(" + cauda + ")-" + cauda, cauda + cauda},
            });
}

TEST_F(Normalization, FRetiraAcento)
{
    confere(*c, [](const TConversao& t, const QString& v) { return t.FRetiraAcento(v); },
            {
                {"FRetiraAcento", QString::fromUtf8("São João: Ação"), "SAO JOAO. ACAO"},
                {"FRetiraAcento", QString::fromUtf8("Café; pão"), QString::fromUtf8("CAFé. PAO")},
                {"FRetiraAcento", QString::fromUtf8("ÀÁÂÃÄàáâãä"), "AAAAAAAAAA"},
                {"FRetiraAcento", QString::fromUtf8("ÈÉÊÌÍÎÒÓÔÕÖÙÚÜÇç"), "EEEIIIOOOOOUUUCC"},
                {"FRetiraAcento", QString::fromUtf8("éõËÛÑíú"), QString::fromUtf8("éõËÛÑíú")},
                {"FRetiraAcento", "a:b;c", "A.B.C"},
                {"FRetiraAcento", "", ""},
            });
}

TEST_F(Normalization, FRetiraTracoAndFRetornaFJ)
{
    confere(*c, [](const TConversao& t, const QString& v) { return t.FRetiraTraco(v); },
            {
                {"FRetiraTraco", "30.130-000", "30.130000"},
                {"FRetiraTraco", "--a-b--", "ab"},
                {"FRetiraTraco", "", ""},
            });
    confere(*c, [](const TConversao& t, const QString& v) { return t.FRetornaFJ(v); },
            {
                {"FRetornaFJ", "12345678901", "F"},
                {"FRetornaFJ", "12345678000199", "J"},
                {"FRetornaFJ", "123.456.789-01", "J"},
                {"FRetornaFJ", "", "F"},
                {"FRetornaFJ", "123456789012", "J"},
            });
}

TEST_F(Normalization, FNormalizaNCM)
{
    confere(*c, [](const TConversao& t, const QString& v) { return t.FNormalizaNCM(v); },
            {
                {"FNormalizaNCM", "30049069", "30049069"},
                {"FNormalizaNCM", "3004.90.69", "30049069"},
                {"FNormalizaNCM", "  3004.90.69  ", "30049069"},
                {"FNormalizaNCM", "3004-90/69", "30049069"},
                {"FNormalizaNCM", "3004 90 69", "30049069"},
                {"FNormalizaNCM", "3004906912345", "30049069"},
                {"FNormalizaNCM", "3004.90", "300490"},
                {"FNormalizaNCM", " . - / ", ""},
                {"FNormalizaNCM", " (3004).90-99 ", "30049099"},
                {"FNormalizaNCM", "30'04.90.99-10", "30049099"},
                {"FNormalizaNCM", "\t30 04\r90\n69", "30049069"},
                {"FNormalizaNCM", "(')", ""},
                {"FNormalizaNCM", "", ""},
            });
    // CODNBM keeps 20 characters of the same form.
    EXPECT_EQ(c->FNormalizaNCM(QStringLiteral("30'04.90.99-10"), 20), QStringLiteral("3004909910"));
    EXPECT_EQ(c->FNormalizaNCM(QStringLiteral("(1234).5678.9012.3456.7890.12"), 20),
              QStringLiteral("12345678901234567890"));
}

TEST(TextRulesTest, PartTrimUpperQuoted)
{
    struct P {
        QString texto;
        int inicio, qtd;
        QString saida;
    };
    for (const P& p : std::vector<P>{{"12", 0, 3, "12"},
                                     {"abc", 2, 100, "bc"},
                                     {"abc", 4, 1, ""},
                                     {"abc", -5, 2, "ab"},
                                     {"abc", 1, 0, ""},
                                     {"abc", 3, 1, "c"},
                                     {"", 1, 5, ""}})
        EXPECT_EQ(TextRules::copy(p.texto, p.inicio, p.qtd), p.saida)
            << p.texto.toStdString() << " " << p.inicio << " " << p.qtd;

    EXPECT_EQ(TextRules::trim(QString::fromUtf8("\x01\t a b \r\n\x1f")), QStringLiteral("a b"));
    EXPECT_EQ(TextRules::trim(QString::fromUtf8("\u00a0x\u00a0")), QString::fromUtf8("\u00a0x\u00a0"));
    EXPECT_EQ(TextRules::upper(QString::fromUtf8("azAZ09 ção ÿ")), QString::fromUtf8("AZAZ09 çãO ÿ"));
    EXPECT_EQ(TextRules::upperWin1252(QString::fromUtf8("azAZ09 são joão ÿ ß µ ÷ ā")),
              QString::fromUtf8("AZAZ09 SÃO JOÃO Ÿ ß µ ÷ ā"));
    EXPECT_EQ(TextRules::quoted(QString()), QStringLiteral("''"));
    EXPECT_EQ(TextRules::quoted(QStringLiteral("O'Neil")), QStringLiteral("'O''Neil'"));
    EXPECT_EQ(TextRules::quoted(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(TextRules::right(QStringLiteral("1234"), 3), QStringLiteral("234"));
    EXPECT_EQ(TextRules::right(QStringLiteral("12"), 3), QStringLiteral("12"));
    EXPECT_EQ(TextRules::dateLiteral(QDate(2013, 3, 5)), QStringLiteral("'05.03.2013'"));
    EXPECT_EQ(TextRules::dateLiteral(QDate(100, 1, 1)), QStringLiteral("'01.01.0100'"));
}

// Every character of the target's set is upper-cased to its Unicode upper-case form when the
// set holds that form, and is otherwise left alone; the result can always be stored.
TEST(TextRulesTest, UpperWin1252CoversTheWholeSet)
{
    int mudados = 0;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString c = Win1252::decode(&byte, 1);
        if (c.isEmpty() || !Win1252::canEncode(c[0]))
            continue;  // one of the five codes the set leaves undefined
        const QChar maiuscula = c[0].toUpper();
        const QString esperado = Win1252::canEncode(maiuscula) ? QString(maiuscula) : c;
        EXPECT_EQ(TextRules::upperWin1252(c), esperado) << "code 0x" << std::hex << b;
        mudados += esperado != c;
    }
    // a to z, à to þ without ÷, and š œ ž ÿ.
    EXPECT_EQ(mudados, 26 + 30 + 4);
}

TEST(TextRulesTest, NumberLiteralSwitchPointsAndRounding)
{
    struct N {
        double valor;
        const char* saida;
    };
    const std::vector<N> casos = {
        {0, "0"},
        {-0.0, "0"},
        {10, "10"},
        {12.50, "12.5"},
        {1500, "1500"},
        {1500.5, "1500.5"},
        {-3.25, "-3.25"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {-987654.3210987654321, "-987654.321098765"},
        // Integer digits: 15 stay plain, 16 switch to the exponent form.
        {999999999999999.0, "999999999999999"},
        {123456789012345.6, "123456789012346"},
        {999999999999999.9, "1E15"},  // rounds up to 16 integer digits
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-2.5e21, "-2.5E21"},
        {1.5e300, "1.5E300"},
        // Small magnitudes: 0.00001 stays plain, anything below switches.
        {0.00001, "0.00001"},
        {0.0000123456789012345, "0.0000123456789012345"},
        {0.0000099, "9.9E-6"},
        {0.000009999999999999999, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {-1.5e-7, "-1.5E-7"},
        {1e-300, "1E-300"},
        {0.0001, "0.0001"},
    };
    for (const N& n : casos) {
        EXPECT_EQ(TextRules::numberLiteral(n.valor), QString::fromLatin1(n.saida)) << n.saida;
        // The regional form is the same text with the decimal comma.
        EXPECT_EQ(RegionalFormat::floatToStr(n.valor), QString::fromLatin1(n.saida).replace('.', ','));
    }
}

TEST(TextRulesTest, RegionalNumbersReadWithTheDecimalComma)
{
    struct L {
        const char* texto;
        bool ok;
        double valor;
    };
    for (const L& l : std::vector<L>{{"41000", true, 41000},
                                     {"41000,75", true, 41000.75},
                                     {" -3,5 ", true, -3.5},
                                     {",5", true, 0.5},
                                     {"5,", true, 5},
                                     {"1E3", true, 1000},
                                     {"1,5e-2", true, 0.015},
                                     {"+7", true, 7},
                                     {"1.5", false, 0},
                                     {"1.234,5", false, 0},
                                     {"", false, 0},
                                     {"abc", false, 0},
                                     {"1e999", false, 0},
                                     {"1 2", false, 0}}) {
        double v = -1;
        EXPECT_EQ(RegionalFormat::strToFloat(QString::fromLatin1(l.texto), &v), l.ok) << l.texto;
        if (l.ok) {
            EXPECT_DOUBLE_EQ(v, l.valor) << l.texto;
        }
    }
}
