// Hostile source rows through the real fillers: texts of thousands of characters, control
// characters, quotes, comment markers and text shaped like statements, zero and impossible
// dates, huge, tiny and malformed numbers, blank keys, characters that WIN1252 cannot hold.
// Each row either arrives with its normalized value, read back from the target file with the
// rest of its row and with every other row of the run intact, or stops the run with an error
// that names the source table, the row's key and the field.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "entities/UClassPreencheConverteClientes.h"
#include "entities/UClassPreencheConverteFornecedores.h"
#include "entities/UClassPreencheConverteProdutos.h"
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <ostream>

// Control characters are shown escaped, so that a failure says which one is where.
inline void PrintTo(const QString& s, std::ostream* os)
{
    QString t;
    for (const QChar c : s) {
        if (c.unicode() < 32 || c.unicode() == 127)
            t += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            t += c;
    }
    *os << '"' << t.toStdString() << '"';
}

namespace {

using Valores = std::vector<std::pair<QString, QString>>;  // column, value

// Source values go as the hex of their UTF-8 bytes: nothing in them is read by the fixture's SQL.
QString literal(const QString& v)
{
    return QStringLiteral("CONVERT(X'") + QString::fromLatin1(v.toUtf8().toHex()) + QStringLiteral("' USING utf8mb4)");
}

void insere(SourceFixture& src, const QString& tabela, const Valores& valores)
{
    QStringList colunas, literais;
    for (const auto& [coluna, valor] : valores) {
        colunas << coluna;
        literais << literal(valor);
    }
    src.exec(QStringLiteral("INSERT INTO ") + tabela + QStringLiteral(" (") + colunas.join(QStringLiteral(", ")) +
             QStringLiteral(") VALUES (") + literais.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

QString comNulo(const char* antes, const char* depois)
{
    return QString::fromUtf8(antes) + QChar(0) + QString::fromUtf8(depois);
}

// One group as these tests drive it: its source table, its filler, what is read back.
struct Grupo {
    QString origem;
    std::function<std::unique_ptr<Preenchedor>()> preenchedor;
    QStringList colunas;  // read back, the target key first; "x.COL" is read back as COL
    QString de;           // the FROM clause of the read back
    std::map<QString, QString> padrao;  // what a row without source data holds
    Valores linhaBoa;     // converted before the bad row of a refused case
};

QString nomeDe(const QString& coluna) { return coluna.section(QLatin1Char('.'), -1); }

// The row as read back: the group's defaults, overridden by the case's columns.
QStringList esperada(const Grupo& g, const Valores& gravado)
{
    std::map<QString, QString> resto(gravado.begin(), gravado.end());
    QStringList linha;
    for (const QString& coluna : g.colunas) {
        const QString nome = nomeDe(coluna);
        QString v = g.padrao.count(nome) ? g.padrao.at(nome) : QString();
        if (const auto it = resto.find(nome); it != resto.end()) {
            v = it->second;
            resto.erase(it);
        }
        linha << v;
    }
    EXPECT_TRUE(resto.empty()) << "column not read back: " << resto.begin()->first.toStdString();
    return linha;
}

struct Chegada {
    const char* nome;
    Valores origem;
    Valores gravado;  // holds the target key
};

struct Recusa {
    const char* nome;
    std::vector<Valores> linhas;  // inserted after the group's good row
    QString chave;                // CONTROLE of the row that stops the run, as the message shows it
    QString campo;                // the column or field word the message must name
};

class HostileRows : public ::testing::Test {
protected:
    HostileRows()
    {
        // Strict, so that a value the legacy column cannot hold fails here instead of being cut by
        // the server; zero and impossible dates allowed, as the legacy server stored them.
        src.exec(QStringLiteral("SET SESSION sql_mode = 'STRICT_ALL_TABLES,ALLOW_INVALID_DATES'"));
    }

    void converte(const Grupo& g)
    {
        SourceConnection origem(src.settings());
        g.preenchedor()->preenche(origem, fx.db, barra, label);
    }

    std::map<QString, QStringList> lidos(const Grupo& g)
    {
        if (fx.tr.active())
            fx.tr.commit();
        std::map<QString, QStringList> porChave;
        for (const QStringList& l : fx.rows(QStringLiteral("SELECT ") + g.colunas.join(QStringLiteral(", ")) +
                                            QStringLiteral(" FROM ") + g.de))
            porChave[l.value(0)] = l;
        return porChave;
    }

    // All the cases in one run: every row arrives with its own values and nothing else.
    void confereChegada(const Grupo& g, const std::vector<Chegada>& casos)
    {
        for (const Chegada& c : casos)
            insere(src, g.origem, c.origem);
        converte(g);
        const auto lidas = lidos(g);
        EXPECT_EQ(lidas.size(), casos.size());
        const QString chave = nomeDe(g.colunas.first());
        for (const Chegada& c : casos) {
            SCOPED_TRACE(c.nome);
            const QStringList linha = esperada(g, c.gravado);
            const auto it = lidas.find(linha.first());
            if (it == lidas.end())
                ADD_FAILURE() << "no row " << chave.toStdString() << " = " << linha.first().toStdString();
            else
                EXPECT_EQ(it->second, linha);
        }
        EXPECT_TRUE(mensagens.list.empty());
    }

    // One run per case: a good row and the bad one, which the walk reaches second and which stops
    // the run there.
    void confereRecusa(const Grupo& g, const std::vector<Recusa>& casos, const QString& rotulo)
    {
        for (const Recusa& c : casos) {
            SCOPED_TRACE(c.nome);
            src.exec(QStringLiteral("DELETE FROM ") + g.origem);
            insere(src, g.origem, g.linhaBoa);
            for (const Valores& l : c.linhas)
                insere(src, g.origem, l);
            try {
                converte(g);
                ADD_FAILURE() << "the run went on";
            } catch (const AppError& e) {
                const QString m = e.message();
                EXPECT_TRUE(m.endsWith(QStringLiteral(" (tabela ") + g.origem + QStringLiteral(", CONTROLE ") +
                                       c.chave + QLatin1Char(')')))
                    << m.toStdString();
                EXPECT_TRUE(m.contains(c.campo, Qt::CaseInsensitive)) << m.toStdString();
            }
            const int total = static_cast<int>(c.linhas.size()) + 1;
            EXPECT_EQ(label.text(), rotulo + QStringLiteral("2 de %1").arg(total));
            if (fx.tr.active())
                fx.tr.rollback();
        }
    }

    SourceFixture src;
    TargetFixture fx;
    RecordingLabel label;
    RecordingGauge barra;
    RecordingEvents eventos{&label, &barra};
    RecordingMessages mensagens;
};

Grupo clientes()
{
    return {QStringLiteral("TBCLIENTES"),
            [] { return std::make_unique<TClassPreencheDadosClientes>(); },
            {"CODCLIENTE", "NOME", "ENDERECO", "BAIRRO", "CODCIDADE", "ESTADO", "CEP", "FONE", "DT_NASCIMENTO",
             "CGCCPF", "CONTATO", "DT_CADASTRO", "CAMPOLIVRE1", "CAMPOLIVRE2", "CAMPOLIVRE3", "CAMPOLIVRE4",
             "CAMPOLIVRE5", "CAMPOLIVRE6", "FAX", "OBSERVACAO", "LIMITECREDITO", "PESSOA_FJ", "ATIVO"},
            QStringLiteral("CLIENTE"),
            // NULL source dates read as day 0 of the date scale.
            {{"DT_NASCIMENTO", "30/12/1899"}, {"DT_CADASTRO", "30/12/1899"}, {"LIMITECREDITO", "0"}},
            {{"CONTROLE", "1"}, {"NOME", "Ana"}}};
}

Grupo produtos()
{
    return {QStringLiteral("TBESTOQUE"),
            [] { return std::make_unique<TClassPreencheDadosProdutos>(); },
            {"p.CODPROD", "p.REFERENCIA", "p.DESCRICAO", "p.DESCRICAO2", "p.CODGRUPO", "p.CODFABRIC",
             "p.UNIDADEENT", "p.UNIDADESAIDA", "p.PRECO", "p.PRECO2", "p.PRECO3", "p.PRECO4", "p.LUCRO", "p.PESO",
             "p.CODCLASFIS", "p.CAMPOLIVRE1", "p.CAMPOLIVRE2", "p.CAMPOLIVRE3", "p.PRINCIPALFORNEC", "p.ATIVO",
             "p.CODTRIBUT00", "p.CFOPFORAUF", "p.FRACIONADO", "c.PRECOCUSTO", "c.PRECOMEDIO", "c.ESTMINIMO",
             "c.ESTMAXIMO"},
            QStringLiteral("PRODUTO p JOIN COMPPROD c ON c.CODPROD = p.CODPROD"),
            {{"PRECO", "0"}, {"PRECO2", "0"}, {"PRECO3", "0"}, {"PRECO4", "0"}, {"LUCRO", "0"}, {"PESO", "0"},
             {"ATIVO", "S"}, {"FRACIONADO", "S"}, {"PRECOCUSTO", "0"}, {"PRECOMEDIO", "0"}, {"ESTMINIMO", "0"},
             {"ESTMAXIMO", "0"}},
            {{"CONTROLE", "1"}, {"PRODUTO", "Dipirona"}}};
}

Grupo fornecedores()
{
    return {QStringLiteral("TBFORNECEDOR"),
            [] { return std::make_unique<TClassPreencheDadosFornecedores>(); },
            {"CODFORNEC", "NOME", "ENDERECO", "BAIRRO", "CODCIDADE", "ESTADO", "CEP", "FONE", "CGCCPF", "INSCEST",
             "FAX", "EMAIL", "OBSERVACAO", "PESSOA_FJ", "ATIVO"},
            QStringLiteral("FORNECE"),
            {{"ATIVO", "S"}},
            {{"CONTROLE", "1"}, {"EMPRESA", "Sul"}}};
}

TEST_F(HostileRows, CustomersArriveWithTheNormalizedValue)
{
    // A legacy base whose name and address columns are wider than the fixture's.
    src.exec(QStringLiteral("ALTER TABLE TBCLIENTES MODIFY NOME TEXT, MODIFY ENDERECO TEXT"));
    const QString nome = QStringLiteral("Maria da Silva ") + QString(5000, QLatin1Char('a'));
    const QString endereco = QStringLiteral("Rua ") + QStringLiteral("Longa ").repeated(1000);
    const QString observacao = QStringLiteral("Observação ") + QString(200, QLatin1Char('o')) +
                               QStringLiteral("Ω😀\uFFFD") + QString(8000, QLatin1Char('z'));
    const QString referencia = QStringLiteral("   Vizinha ") + QString(3000, QLatin1Char('v')) + QStringLiteral("Ω");
    const QString comando = QStringLiteral("'); DELETE FROM CLIENTE; --");
    const QString cidade = QStringLiteral("Betim'); DELETE FROM CIDADES; --");

    const std::vector<Chegada> casos = {
        // Long free texts are cut at the column width; a character WIN1252 lacks beyond the cut goes with it.
        {"nome de milhares de caracteres, brancos e tabulação antes",
         {{"CONTROLE", "1"}, {"NOME", "\t  " + nome}},
         {{"CODCLIENTE", "00000001"}, {"NOME", nome.left(60)}}},
        {"endereço de milhares de caracteres", {{"CONTROLE", "2"}, {"ENDERECO", endereco}},
         {{"CODCLIENTE", "00000002"}, {"ENDERECO", endereco.left(60)}}},
        {"observação e referência de milhares, caracteres fora do WIN1252 depois do corte",
         {{"CONTROLE", "3"}, {"OBSERVACAO", observacao}, {"REFERENCIA", referencia}},
         {{"CODCLIENTE", "00000003"}, {"OBSERVACAO", observacao.left(100)}, {"CAMPOLIVRE6", referencia.left(40)}}},
        // Trimming takes control characters only at the ends; inside they stay, as do free texts
        // that are cut without trimming.
        {"caracteres de controle dentro e nas pontas",
         {{"CONTROLE", "4"}, {"NOME", "\tJoão\x01 da\nSilva\x7F \r\n"}, {"ENDERECO", "Rua A\tnº 5\r\n"},
          {"BAIRRO", "\x01" "Centro\x7F"}, {"OBSERVACAO", "linha 1\nlinha 2\r\n"},
          {"TELEFONE", "\t(31) 3333-4444\n"}, {"CEP", "30130\t000"}, {"RESPONSAVEL", "\x01 Pedro\x01"}},
         {{"CODCLIENTE", "00000004"}, {"NOME", "João\x01 da\nSilva\x7F"}, {"ENDERECO", "Rua A\tnº 5"},
          {"BAIRRO", "\x01" "Centro\x7F"}, {"OBSERVACAO", "linha 1\nlinha 2\r\n"}, {"FONE", "3133334444"},
          {"CEP", "30130000"}, {"CONTATO", "Pedro"}}},
        {"caractere nulo no meio de um texto", {{"CONTROLE", "5"}, {"NOME", comNulo("Ana", "Maria")}},
         {{"CODCLIENTE", "00000005"}, {"NOME", comNulo("Ana", "Maria")}}},
        // Double quotes are removed by the customer setters; single quotes are kept.
        {"aspas simples e duplas",
         {{"CONTROLE", "6"}, {"NOME", "O'Brien \"Bob\" d'Ávila"}, {"ENDERECO", "Rua 'A'; Bloco \"B\""},
          {"OBSERVACAO", "disse \"não\" e 'sim'"}, {"PAI", "\"\"\"'''"}},
         {{"CODCLIENTE", "00000006"}, {"NOME", "O'Brien Bob d'Ávila"}, {"ENDERECO", "Rua 'A'; Bloco B"},
          {"OBSERVACAO", "disse não e 'sim'"}, {"CAMPOLIVRE3", "'''"}}},
        {"texto que parece comando, comentários, ponto e vírgula, parâmetros",
         {{"CONTROLE", "7"}, {"NOME", comando}, {"ENDERECO", "x' || (SELECT FIRST 1 NOME FROM CLIENTE) || '"},
          {"BAIRRO", "/* nada */ --"}, {"OBSERVACAO", "*/ ; COMMIT; :NOME ? -- '"},
          {"RESPONSAVEL", "Zé'; DROP TABLE CIDADES; --"}, {"MAE", "Commit;"}, {"CIDADE", cidade},
          {"ESTADO", "mg"}},
         {{"CODCLIENTE", "00000007"}, {"NOME", comando},
          {"ENDERECO", "x' || (SELECT FIRST 1 NOME FROM CLIENTE) || '"}, {"BAIRRO", "/* nada */ --"},
          {"OBSERVACAO", "*/ ; COMMIT; :NOME ? -- '"}, {"CONTATO", "Zé'; DROP TABLE CIDADES; --"},
          {"CAMPOLIVRE4", "Commit;"}, {"CODCIDADE", "00001"}, {"ESTADO", "MG"}}},
        {"caracteres do WIN1252 fora do Latin-1", {{"CONTROLE", "8"}, {"NOME", "Café € œuvre … “aspas” – ‰ Š"}},
         {{"CODCLIENTE", "00000008"}, {"NOME", "Café € œuvre … “aspas” – ‰ Š"}}},
        // Masks keep digits only: what WIN1252 lacks goes with the mask.
        {"caracteres fora do WIN1252 que as máscaras descartam",
         {{"CONTROLE", "Ω77"}, {"CGC", "12.345.678/0001-90Ω"}, {"TELEFONE", "(31) 3333-4444 ☎"},
          {"CEP", "30130-000😀"}, {"FAX", "\uFFFD3333-5555"}},
         {{"CODCLIENTE", "00000077"}, {"CGCCPF", "12345678000190"}, {"FONE", "3133334444"}, {"CEP", "30130000"},
          {"FAX", "3133335555"}}},
        // The key is trimmed and its mask stripped; nothing left is the zero code.
        {"chave só de brancos", {{"CONTROLE", "   "}, {"NOME", "Sem código"}},
         {{"CODCLIENTE", "00000000"}, {"NOME", "Sem código"}}},
        {"chave com caracteres de controle", {{"CONTROLE", "\x01" "12\t"}}, {{"CODCLIENTE", "00000012"}}},
        // A zero or impossible date holds no date: it reads like NULL.
        {"datas zeradas e impossíveis", {{"CONTROLE", "20"}, {"DATA", "0000-00-00"}, {"DATACADASTRO", "2012-02-30"}},
         {{"CODCLIENTE", "00000020"}}},
        {"mês e dia zero", {{"CONTROLE", "21"}, {"DATA", "2012-00-15"}, {"DATACADASTRO", "2012-04-00"}},
         {{"CODCLIENTE", "00000021"}}},
        {"datas nos extremos do tipo", {{"CONTROLE", "22"}, {"DATA", "0001-01-01"}, {"DATACADASTRO", "9999-12-31"}},
         {{"CODCLIENTE", "00000022"}, {"DT_NASCIMENTO", "01/01/0001"}, {"DT_CADASTRO", "31/12/9999"}}},
        {"29 de fevereiro", {{"CONTROLE", "23"}, {"DATA", "2000-02-29"}, {"DATACADASTRO", "1900-01-01"}},
         {{"CODCLIENTE", "00000023"}, {"DT_NASCIMENTO", "29/02/2000"}, {"DT_CADASTRO", "01/01/1900"}}},
        {"limite no máximo do DECIMAL(12,2)", {{"CONTROLE", "30"}, {"LIMITECREDITO", "9999999999.99"}},
         {{"CODCLIENTE", "00000030"}, {"LIMITECREDITO", "9999999999,99"}}},
        {"limite no mínimo do DECIMAL(12,2)", {{"CONTROLE", "31"}, {"LIMITECREDITO", "-9999999999.99"}},
         {{"CODCLIENTE", "00000031"}, {"LIMITECREDITO", "-9999999999,99"}}},
        {"limite no menor positivo", {{"CONTROLE", "32"}, {"LIMITECREDITO", "0.01"}},
         {{"CODCLIENTE", "00000032"}, {"LIMITECREDITO", "0,01"}}},
    };
    confereChegada(clientes(), casos);

    // The one city the run needed, created with its name as typed (upper-cased).
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES")),
              (std::vector<QStringList>{{"00001", cidade.toUpper(), "MG"}}));
}

TEST_F(HostileRows, RefusedCustomerNamesTableKeyAndField)
{
    const QString rotulo = QStringLiteral("Convertendo Clientes - Registro ");
    const std::vector<Recusa> casos = {
        {"Ω no nome", {{{"CONTROLE", "2"}, {"NOME", "Ωmega"}}}, "2", "campo cliente.nome,"},
        {"emoji no endereço", {{{"CONTROLE", "2"}, {"ENDERECO", "Rua 😀 12"}}}, "2", "campo cliente.endereco,"},
        {"U+FFFD no bairro", {{{"CONTROLE", "2"}, {"BAIRRO", "Centro\uFFFD"}}}, "2", "campo cliente.bairro,"},
        {"código que o WIN1252 deixa sem caractere (U+0081) na observação",
         {{{"CONTROLE", "2"}, {"OBSERVACAO", "obs \u0081"}}}, "2", "campo cliente.observacao,"},
        {"Ω no responsável", {{{"CONTROLE", "2"}, {"RESPONSAVEL", "Ωmar"}}}, "2", "campo cliente.contato,"},
        {"Ω na referência, dentro do corte", {{{"CONTROLE", "2"}, {"REFERENCIA", "Ω"}}}, "2",
         "campo cliente.campolivre6,"},
        {"Ω no estado", {{{"CONTROLE", "2"}, {"ESTADO", "Ω"}}}, "2", "campo cliente.estado,"},
        {"Ω na cidade, na busca da cidade", {{{"CONTROLE", "2"}, {"CIDADE", "Ωville"}, {"ESTADO", "MG"}}}, "2",
         "campo CIDADE,"},
        {"emoji no estado da busca da cidade", {{{"CONTROLE", "2"}, {"CIDADE", "Betim"}, {"ESTADO", "😀"}}}, "2",
         "campo ESTADO,"},
        // Blanks and zero give the same code: the target refuses the second one.
        {"chave só de brancos e chave 0", {{{"CONTROLE", "   "}}, {{"CONTROLE", "0"}}}, "0", "CODCLIENTE"},
        {"chave longa demais depois da máscara", {{{"CONTROLE", "12.345.678-9"}}}, "12.345.678-9",
         "Código do cliente"},
    };
    confereRecusa(clientes(), casos, rotulo);
}

TEST_F(HostileRows, ProductsArriveWithTheNormalizedValue)
{
    // A legacy base with a wider description and a wider decimal than the fixture's.
    src.exec(QStringLiteral("ALTER TABLE TBESTOQUE MODIFY PRODUTO TEXT, MODIFY PRECOPROMOCAO DECIMAL(18,4)"));
    const QString descricao = QStringLiteral("  Dipirona ") + QString(5000, QLatin1Char('x'));
    const QString aplicacao = QStringLiteral("\n Uso adulto ") + QString(8000, QLatin1Char('u')) + QStringLiteral("Ω");
    const QString comando = QStringLiteral("'); DELETE FROM PRODUTO; --");
    const QString fabricante = QStringLiteral("EMS'); DELETE FROM CADFABR; --");

    const std::vector<Chegada> casos = {
        {"descrição de milhares de caracteres", {{"CONTROLE", "1"}, {"PRODUTO", descricao}},
         {{"CODPROD", "000001"}, {"DESCRICAO", descricao.left(50).trimmed()}}},
        {"aplicação de milhares, caractere fora do WIN1252 depois do corte",
         {{"CONTROLE", "2"}, {"APLICACAO", aplicacao}},
         {{"CODPROD", "000002"}, {"CAMPOLIVRE2", aplicacao.trimmed().left(20)}}},
        {"caracteres de controle",
         {{"CONTROLE", "3"}, {"PRODUTO", "\x01Soro\tfisiológico\x7F\n"}, {"DESCRICAOSIMPLES", "\tGotas\x01\n"},
          {"MARCA", "\tMarca\x01"}, {"REGISTROMS", " MS\t123 "}, {"UNIDADE", "CX\t"}},
         {{"CODPROD", "000003"}, {"DESCRICAO", "Soro\tfisiológico\x7F"}, {"DESCRICAO2", "\tGotas\x01\n"},
          {"CAMPOLIVRE1", "Marca"}, {"CAMPOLIVRE3", "MS\t123"}, {"UNIDADEENT", "CX\t"}, {"UNIDADESAIDA", "CX\t"}}},
        // The product setters keep both kinds of quotes.
        {"aspas simples e duplas",
         {{"CONTROLE", "4"}, {"PRODUTO", "Caixa 10\" c/ 'tampa'"}, {"CODIGOBARRA", "78'91\"00"}, {"MARCA", "''"}},
         {{"CODPROD", "000004"}, {"DESCRICAO", "Caixa 10\" c/ 'tampa'"}, {"REFERENCIA", "78'91\"00"},
          {"CAMPOLIVRE1", "''"}}},
        {"texto que parece comando, também nas buscas de fabricante e NCM",
         {{"CONTROLE", "5"}, {"PRODUTO", comando}, {"DESCRICAOSIMPLES", "/* */ ; COMMIT; :CODPROD ?"},
          {"REGISTROMS", "'; DROP TABLE COMPPROD; --"}, {"FABRICANTE", fabricante}, {"CODNCM", "30'04--90"},
          {"GRUPO", "1'; --"}, {"MARCA", "--"}},
         {{"CODPROD", "000005"}, {"DESCRICAO", comando}, {"DESCRICAO2", "/* */ ; COMMIT; :CODPROD ?"},
          {"CAMPOLIVRE3", "'; DROP TABLE COMPPROD; --"}, {"CODFABRIC", "00001"}, {"CODCLASFIS", "0001"},
          {"CODGRUPO", " --"}, {"CAMPOLIVRE1", "--"}}},
        {"caractere nulo no meio de um texto", {{"CONTROLE", "6"}, {"PRODUTO", comNulo("Soro", "Gel")}},
         {{"CODPROD", "000006"}, {"DESCRICAO", comNulo("Soro", "Gel")}}},
        {"caracteres do WIN1252 fora do Latin-1 e um fora dele que o corte do CFOP descarta",
         {{"CONTROLE", "7"}, {"UNIDADE", "CX€"}, {"CFOP", "5.405Ω"}, {"MARCA", "Œuvre™"}},
         {{"CODPROD", "000007"}, {"UNIDADEENT", "CX€"}, {"UNIDADESAIDA", "CX€"}, {"CFOPFORAUF", "5405"},
          {"CAMPOLIVRE1", "Œuvre™"}}},
        // Numbers kept as text: exponents, decimal commas, database points, signs and blanks.
        {"texto 1e300, 0,0000001 e 0.0000001",
         {{"CONTROLE", "10"}, {"PRECOVENDA", "1e300"}, {"PRECOPRAZO", "0,0000001"}, {"ESTMINIMO", "0.0000001"},
          {"PESO", "-1,5E-10"}},
         {{"CODPROD", "000010"}, {"PRECO", "1E300"}, {"PRECO2", "1E-7"}, {"ESTMINIMO", "1E-7"},
          {"PESO", "-1,5E-10"}}},
        {"negativos e brancos em volta",
         {{"CONTROLE", "11"}, {"PRECOVENDA", "  -7,5  "}, {"PESO", "+0,25"}, {"ESTMINIMO", "-0"},
          {"PRECOPRAZO", "-1234.5"}},
         {{"CODPROD", "000011"}, {"PRECO", "-7,5"}, {"PESO", "0,25"}, {"PRECO2", "-1234,5"}}},
        // Decimals at the limits of their columns. Eighteen significant digits are more than a
        // 64-bit float holds: the nearest one arrives.
        {"DECIMAL nos limites",
         {{"CONTROLE", "12"}, {"PRECOCUSTO", "99999999999.9999"}, {"LUCRO", "-99999999.9999"},
          {"PRECOPROMOCAO", "99999999999999.9999"}},
         {{"CODPROD", "000012"}, {"PRECOCUSTO", "99999999999,9999"}, {"LUCRO", "-99999999,9999"},
          {"PRECO3", "100000000000000"}}},
        {"DOUBLE perto dos extremos",
         {{"CONTROLE", "13"}, {"CUSTOMEDIO", "-1e300"}, {"PRECOCINCO", "1e-300"}, {"ESTMAXIMO", "1.7976931348623e308"}},
         {{"CODPROD", "000013"}, {"PRECOMEDIO", "-1E300"}, {"PRECO4", "1E-300"}, {"ESTMAXIMO", "1,7976931348623E308"}}},
    };
    confereChegada(produtos(), casos);

    // Only the reference rows the products needed, named as typed.
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODFABRIC, DESCRICAO FROM CADFABR")),
              (std::vector<QStringList>{{"00001", fabricante.left(30)}}));
    // The fiscal number loses its apostrophe with the rest of its punctuation.
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODCLASFIS, CODIGONCM FROM CLASFISC")),
              (std::vector<QStringList>{{"0001", "300490"}}));
}

TEST_F(HostileRows, RefusedProductNamesTableKeyAndField)
{
    // The bar code is written whole: from a legacy column wider than the target's, a long one is
    // refused there.
    src.exec(QStringLiteral("ALTER TABLE TBESTOQUE MODIFY CODIGOBARRA VARCHAR(60)"));
    const auto linha = [](const char* coluna, const QString& valor) {
        return std::vector<Valores>{{{"CONTROLE", "2"}, {coluna, valor}}};
    };
    const std::vector<Recusa> casos = {
        {"número com lixo", linha("PRECOVENDA", "12,50abc"), "2", "no campo PRECOVENDA"},
        // Digit groups or a decimal point: refused instead of guessed.
        {"número ambíguo", linha("PRECOVENDA", "1.234"), "2", "no campo PRECOVENDA"},
        {"grupos de milhar sem vírgula", linha("PRECOPRAZO", "1.234.567"), "2", "no campo PRECOPRAZO"},
        {"número além do DOUBLE", linha("PESO", "1e400"), "2", "no campo PESO"},
        {"número aquém do DOUBLE", linha("PRECOPRAZO", "1e-400"), "2", "no campo PRECOPRAZO"},
        {"NaN", linha("ESTMINIMO", "NaN"), "2", "no campo ESTMINIMO"},
        {"número com unidade", linha("PESO", "1,5 kg"), "2", "no campo PESO"},
        // Doubles whose literal the target does not read: the largest one, written with fifteen
        // digits, rounds beyond the range; the smallest ones are below what it accepts.
        {"o maior DOUBLE", linha("CUSTOMEDIO", "1.7976931348623157e308"), "2", "campo compprod.precomedio,"},
        {"DOUBLE subnormal", linha("ESTMAXIMO", "1.5e-310"), "2", "campo compprod.estmaximo,"},
        {"texto no limite inferior do DOUBLE", linha("PRECOVENDA", "2,25e-308"), "2", "campo Produto.PRECO,"},
        {"código de barras maior que a coluna", linha("CODIGOBARRA", QString(40, QLatin1Char('7'))), "2",
         "campo Produto.REFERENCIA, valor \"" + QString(40, QLatin1Char('7')) + "\""},
        {"Ω na descrição", linha("PRODUTO", "Ωmega"), "2", "campo Produto.DESCRICAO,"},
        {"emoji na marca", linha("MARCA", "😀"), "2", "campo Produto.CAMPOLIVRE1,"},
        {"U+FFFD no código de barras", linha("CODIGOBARRA", "\uFFFD"), "2", "campo Produto.REFERENCIA,"},
        {"Ω na unidade", linha("UNIDADE", "Ω"), "2", "campo Produto.UNIDADEENT,"},
        {"Ω no CST", linha("CST", "Ω"), "2", "campo Produto.CODTRIBUT00,"},
        {"Ω no fabricante, na busca do fabricante", linha("FABRICANTE", "Fábrica Ω"), "2", "Fabricante"},
        {"Ω no NCM, na busca da classificação", linha("CODNCM", "3004Ω9069"), "2", "campo CODIGONCM,"},
    };
    confereRecusa(produtos(), casos, QStringLiteral("Convertendo Produtos - Registro "));
}

TEST_F(HostileRows, SuppliersArriveWithTheNormalizedValue)
{
    const QString observacao = QStringLiteral("\tObs ") + QString(6000, QLatin1Char('o'));
    const std::vector<Chegada> casos = {
        // The supplier setters drop single quotes and keep double ones.
        {"aspas e texto que parece comando",
         {{"CONTROLE", "1"}, {"EMPRESA", "O'Brien \"Bob\" '); DELETE FROM FORNECE; --"},
          {"BAIRRO", "/* */ ; COMMIT;"}},
         {{"CODFORNEC", "000001"}, {"NOME", "OBrien \"Bob\" ); DELETE FROM FORNECE; --"},
          {"BAIRRO", "/* */ ; COMMIT;"}}},
        {"observação de milhares e controles",
         {{"CONTROLE", "2"}, {"OBSERVACAO", observacao}, {"ENDERECO", "\tRua\x01 A "}, {"EMAIL", "  a@b.c\n"}},
         {{"CODFORNEC", "000002"}, {"OBSERVACAO", observacao.left(100)}, {"ENDERECO", "\tRua\x01 A "},
          {"EMAIL", "a@b.c"}}},
        {"caracteres fora do WIN1252 que as máscaras descartam",
         {{"CONTROLE", "3"}, {"CGC", "12.345.678/0001-90Ω"}, {"TELEFONE", "(31) 3333-4444"}},
         {{"CODFORNEC", "000003"}, {"CGCCPF", "12345678000190"}, {"FONE", "3133334444"}}},
    };
    confereChegada(fornecedores(), casos);
}

TEST_F(HostileRows, RefusedSupplierNamesTableKeyAndField)
{
    // The e-mail is written whole: from a legacy column wider than the target's, a long one is
    // refused there.
    src.exec(QStringLiteral("ALTER TABLE TBFORNECEDOR MODIFY EMAIL TEXT"));
    const QString email = QString(300, QLatin1Char('e')) + QStringLiteral("@b.c");
    const std::vector<Recusa> casos = {
        {"e-mail maior que a coluna", {{{"CONTROLE", "2"}, {"EMAIL", email}}}, "2", "campo fornece.Email,"},
        {"Ω na empresa", {{{"CONTROLE", "2"}, {"EMPRESA", "Ωmega"}}}, "2", "campo fornece.Nome,"},
        {"emoji no e-mail", {{{"CONTROLE", "2"}, {"EMAIL", "a😀@b.c"}}}, "2", "campo fornece.Email,"},
    };
    confereRecusa(fornecedores(), casos, QStringLiteral("Convertendo Fornecedores - Registro "));
}

}  // namespace
