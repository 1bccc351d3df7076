// Fills a MariaDB database with realistic, messy legacy rows for the five source tables.
// The same seed and scale always give the same rows.
//   geraorigem --socket S [--banco pelbrix] [--escala N] [--semente K] [--recriar]
// With --recriar the database is dropped and created again from tests/fixtures/source.
#include "db/SqlScript.h"
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdint>
#include <mysql.h>
#include <string>
#include <vector>

namespace {
// A small generator of our own, so the rows do not depend on the standard library's distributions.
struct Sorteio {
    uint64_t s;
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 11);
    }
    int ate(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    bool chance(int porCento) { return ate(100) < porCento; }
    template <class T> const T& um(const std::vector<T>& v) { return v[static_cast<size_t>(ate(static_cast<int>(v.size())))]; }
};

MYSQL* g_db = nullptr;

void sql(const std::string& s)
{
    if (mysql_real_query(g_db, s.data(), static_cast<unsigned long>(s.size()))) {
        std::fprintf(stderr, "geraorigem: %s\n%.300s\n", mysql_error(g_db), s.c_str());
        std::exit(1);
    }
    if (MYSQL_RES* r = mysql_store_result(g_db))
        mysql_free_result(r);
}

std::string q(const std::string& v)
{
    std::string out(v.size() * 2 + 1, '\0');
    out.resize(mysql_real_escape_string(g_db, out.data(), v.data(), static_cast<unsigned long>(v.size())));
    return "'" + out + "'";
}

const std::string NUL = "NULL";

// Inserts rows in batches.
class Lote {
public:
    Lote(std::string cabecalho) : m_cab(std::move(cabecalho)) {}
    ~Lote() { fecha(); }
    void linha(const std::vector<std::string>& valores)
    {
        std::string l = "(";
        for (size_t i = 0; i < valores.size(); ++i)
            l += (i ? "," : "") + valores[i];
        l += ")";
        m_corpo += (m_n ? "," : "") + l;
        if (++m_n == 500)
            fecha();
    }
    void fecha()
    {
        if (m_n)
            sql(m_cab + " VALUES " + m_corpo);
        m_corpo.clear();
        m_n = 0;
    }

private:
    std::string m_cab, m_corpo;
    int m_n = 0;
};

const std::vector<std::string> kNomes = {"José", "Maria", "João", "Ana", "Antônio", "Francisca", "Luís", "Açucena",
                                         "Conceição", "Sebastião", "Raimundo", "Luíza", "Inês", "Rogério", "Célia"};
const std::vector<std::string> kSobrenomes = {"da Silva", "Santos", "D'Ávila", "Gonçalves", "Araújo", "O'Neil",
                                              "Magalhães", "Conceição", "Brandão", "Lemos", "Simões", "Pereira"};
// The same cities, spelled as operators typed them.
const std::vector<std::pair<std::string, std::string>> kCidades = {
    {"Belo Horizonte", "MG"}, {"BELO HORIZONTE", "MG"}, {"belo horizonte ", "mg"}, {"BHTE", "MG"},
    {"Juiz de Fora", "MG"},   {"JUIZ DE FORA", "mg"},   {"Contagem", "MG"},        {"Betim", "MG"},
    {"São João del-Rei", "MG"}, {"SÃO JOÃO DEL-REI", "MG"}, {"Uberlândia", "MG"},  {"Pará de Minas", "MG"},
    {"Santa Bárbara d'Oeste", "SP"}, {"São Paulo", "SP"}, {"Rio de Janeiro", "RJ"}, {"", ""}, {"   ", "MG"}};
const std::vector<std::string> kRuas = {"Rua da Bahia", "Av. Afonso Pena", "Rua Espírito Santo", "Praça Sete",
                                        "Rua dos Carijós", "Av. Amazonas", "Travessa São José"};
const std::vector<std::string> kBairros = {"Centro", "Savassi", "Funcionários", "Lourdes", "Santa Efigênia", "Padre Eustáquio"};
const std::vector<std::string> kFabricantes = {"EMS", "Eurofarma", "Medley", "Aché", "Neo Química", "Cimed",
                                               "Prati-Donaduzzi", "Germed", "Biolab Sanus", "Natulab"};
const std::vector<std::string> kGrupos = {"Medicamentos", "Genéricos", "Perfumaria", "Higiene Pessoal", "Dermocosméticos",
                                          "Infantil", "Suplementos", "Ortopedia", "Conveniência", "Manipulação"};
const std::vector<std::string> kProdutos = {"Dipirona Sódica 500mg", "Paracetamol 750mg", "Shampoo Anticaspa",
                                            "Fralda Infantil G", "Protetor Solar FPS 50", "Vitamina C 1g",
                                            "Água Oxigenada 10 vol", "Pomada Assaduras", "Sabonete Glicerina",
                                            "Creme Dental Menta", "Termômetro Digital", "Álcool Gel 70%"};

std::string dig(Sorteio& r, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('0' + r.ate(10));
    return s;
}

std::string cpf(Sorteio& r)
{
    const std::string d = dig(r, 11);
    switch (r.ate(4)) {
    case 0: return d;
    case 1: return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9);
    case 2: return " " + d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9) + " ";
    default: return d.substr(0, 9) + "-" + d.substr(9);
    }
}

std::string cnpj(Sorteio& r)
{
    const std::string d = dig(r, 8) + "0001" + dig(r, 2);
    if (r.chance(50))
        return d;
    return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" + d.substr(12);
}

std::string telefone(Sorteio& r)
{
    const std::string a = "3" + dig(r, 3), b = dig(r, 4);
    switch (r.ate(7)) {
    case 0: return "(031) " + a + "-" + b;
    case 1: return a + "-" + b;
    case 2: return "0031 " + a + " " + b;
    case 3: return "000000000000";
    case 4: return "";
    case 5: return "(31)9" + dig(r, 4) + "-" + b;
    default: return "31" + a + b;
    }
}

std::string data(Sorteio& r)
{
    switch (r.ate(8)) {
    case 0: return NUL;
    case 1: return "'0000-00-00'";
    default: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "'%04d-%02d-%02d'", 1940 + r.ate(85), 1 + r.ate(12), 1 + r.ate(28));
        return buf;
    }
    }
}

std::string decimal(Sorteio& r, int inteiro, bool virgula)
{
    std::string v = std::to_string(r.ate(inteiro)) + (virgula ? "," : ".") + dig(r, 2);
    return v;
}

// The legacy stock's flags: ATIVO is numeric (1 active, 0 inactive), FRACIONADO the text TRUE or
// FALSE in whatever case it was typed; a few rows hold no value or a stray one, as a real
// stock does, and the conversion reads those as active and fractional.
std::string ativo(Sorteio& r)
{
    const int k = r.ate(100);
    if (k < 5) return q("0");
    if (k < 7) return NUL;
    if (k < 8) return q("");
    if (k < 9) return q("S");
    return q("1");
}

std::string fracionado(Sorteio& r)
{
    const int k = r.ate(100);
    if (k < 8) return q("TRUE");
    if (k < 9) return q("true");
    if (k < 10) return NUL;
    if (k < 11) return q("");
    if (k < 16) return q("false");
    if (k < 19) return q("False");
    return q("FALSE");
}

std::string nome(Sorteio& r)
{
    std::string n = r.um(kNomes) + " " + r.um(kSobrenomes);
    if (r.chance(20))
        n += " " + r.um(kSobrenomes);
    if (r.chance(5))
        n = "  " + n + "  ";
    if (r.chance(5))
        n += " \"Zé\"";
    return n;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString socket, banco = QStringLiteral("pelbrix"), esquemas = QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/source");
    int escala = 200;
    uint64_t semente = 20261210;
    bool recriar = false;
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        if (a[i] == QLatin1String("--socket") && i + 1 < a.size()) socket = a[++i];
        else if (a[i] == QLatin1String("--banco") && i + 1 < a.size()) banco = a[++i];
        else if (a[i] == QLatin1String("--escala") && i + 1 < a.size()) escala = a[++i].toInt();
        else if (a[i] == QLatin1String("--semente") && i + 1 < a.size()) semente = a[++i].toULongLong();
        else if (a[i] == QLatin1String("--recriar")) recriar = true;
        else {
            std::fprintf(stderr, "uso: geraorigem --socket S [--banco pelbrix] [--escala N] [--semente K] [--recriar]\n");
            return 2;
        }
    }
    g_db = mysql_init(nullptr);
    const QByteArray sock = socket.toUtf8();
    if (!mysql_real_connect(g_db, "localhost", "root", "", nullptr, 0, sock.isEmpty() ? nullptr : sock.constData(), 0)) {
        std::fprintf(stderr, "geraorigem: %s\n", mysql_error(g_db));
        return 1;
    }
    mysql_set_character_set(g_db, "utf8mb4");
    const std::string b = banco.toStdString();
    if (recriar) {
        sql("DROP DATABASE IF EXISTS `" + b + "`");
        sql("CREATE DATABASE `" + b + "` CHARACTER SET utf8mb4");
        sql("USE `" + b + "`");
        for (const QString& file : SqlScript::filesIn(esquemas)) {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            for (const QString& s : SqlScript::statements(QString::fromUtf8(f.readAll())))
                sql(s.toStdString());
        }
    } else {
        sql("USE `" + b + "`");
    }
    // The legacy server kept zero dates and loose values: accept them as it did.
    sql("SET SESSION sql_mode = ''");
    Sorteio r{semente * 2654435761u + 1};

    const int nGrupos = std::min(60, std::max(5, escala / 20));
    {
        Lote l("INSERT INTO TBGRUPO (CONTROLE, GRUPO)");
        for (int i = 1; i <= nGrupos; ++i) {
            std::string g = kGrupos[static_cast<size_t>((i - 1) % kGrupos.size())];
            if (i > static_cast<int>(kGrupos.size()))
                g += " " + std::to_string(i);
            if (r.chance(10))
                g = " " + g + " ";
            l.linha({std::to_string(i), q(g)});
        }
    }
    const int nNcm = std::min(400, std::max(5, escala / 4));
    std::vector<std::string> ncms;
    {
        Lote l("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM)");
        for (int i = 1; i <= nNcm; ++i) {
            const std::string d = std::to_string(30040000 + i * 7);
            ncms.push_back(d);
            std::string v = d;
            // Spelled as the legacy screens let it be typed: masks, blanks, the chapter in
            // parentheses, the ten-digit form with its two extra digits.
            switch (r.ate(6)) {
            case 0: v = d.substr(0, 4) + "." + d.substr(4, 2) + "." + d.substr(6); break;
            case 1: v = " " + d + " "; break;
            case 2: v = "(" + d.substr(0, 4) + ")." + d.substr(4, 2) + "-" + d.substr(6); break;
            case 3: v = d.substr(0, 4) + "." + d.substr(4, 2) + "." + d.substr(6) + "-10"; break;
            default: break;
            }
            l.linha({std::to_string(i), q(v)});
        }
    }
    {
        Lote l("INSERT INTO TBCLIENTES (CONTROLE, NOME, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, DATA, CGC, CPF, "
               "RESPONSAVEL, DATACADASTRO, PAI, MAE, IDENTIDADE, FAX, OBSERVACAO, EMPRESATRABALHO, LIMITECREDITO, "
               "PESSOA, ESTADOCIVIL, REFERENCIA, ATIVO)");
        for (int i = 1; i <= escala; ++i) {
            std::string controle = std::to_string(i);
            if (r.chance(10)) controle = std::string(8 - std::min<size_t>(8, controle.size()), '0') + controle;
            else if (r.chance(5)) controle = " " + controle;
            const auto& cid = r.um(kCidades);
            const bool juridica = r.chance(15);
            l.linha({q(controle), q(nome(r)), r.chance(5) ? NUL : q(r.um(kRuas) + ", " + std::to_string(1 + r.ate(2000))),
                     q(r.um(kBairros)), q(cid.first), q(cid.second), q(r.chance(50) ? "30130-000" : "30" + dig(r, 6)),
                     q(telefone(r)), data(r), juridica ? q(cnpj(r)) : (r.chance(10) ? q("   ") : NUL),
                     r.chance(5) ? q("ISENTO") : q(cpf(r)), q(r.chance(30) ? nome(r) : ""), data(r),
                     q(r.um(kNomes) + " " + r.um(kSobrenomes)), r.chance(10) ? NUL : q(r.um(kNomes) + " " + r.um(kSobrenomes)),
                     q("MG-" + dig(r, 8)), q(r.chance(70) ? "" : telefone(r)),
                     r.chance(70) ? NUL : q("Cliente desde " + std::to_string(1990 + r.ate(30)) + "; pagar em dia -- ok"),
                     q(r.chance(50) ? "" : "Drogaria " + r.um(kSobrenomes)),
                     r.chance(20) ? NUL : std::to_string(r.ate(5000)) + "." + dig(r, 2), q(juridica ? "J" : "F"),
                     q(r.um(std::vector<std::string>{"Solteiro", "Casada", "Viúvo", ""})), q(r.chance(80) ? "" : nome(r)),
                     q(r.chance(90) ? "S" : "N")});
        }
    }
    {
        Lote l("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, CGC, "
               "INSCRICAO, FAX, EMAIL, OBSERVACAO, PESSOA)");
        for (int i = 1; i <= std::max(3, escala / 5); ++i) {
            const auto& cid = r.um(kCidades);
            l.linha({std::to_string(i), q(r.um(kFabricantes) + " Distribuidora " + std::to_string(i) + (r.chance(10) ? " D'Oeste" : "")),
                     q(r.um(kRuas) + ", " + std::to_string(r.ate(999))), q(r.um(kBairros)), q(cid.first),
                     q(cid.second.substr(0, 2)), q("30" + dig(r, 3) + "-" + dig(r, 3)), q(telefone(r)), q(cnpj(r)),
                     q(r.chance(20) ? "ISENTO" : dig(r, 3) + "." + dig(r, 3) + "." + dig(r, 3) + "/" + dig(r, 4)),
                     q(r.chance(50) ? "" : telefone(r)), q("contato" + std::to_string(i) + "@exemplo.com.br"),
                     r.chance(80) ? NUL : q("Entrega às terças"), q("J")});
        }
    }
    {
        Lote l("INSERT INTO TBESTOQUE (CONTROLE, CODIGOBARRA, PRODUTO, GRUPO, FABRICANTE, PRECOCUSTO, CUSTOMEDIO, "
               "PRECOVENDA, ESTMINIMO, UNIDADE, LUCRO, ESTMAXIMO, CODNCM, MARCA, CODFORNECEDOR, PESO, DESCRICAOSIMPLES, "
               "ATIVO, CST, APLICACAO, CFOP, FRACIONADO, PRECOPRAZO, PRECOPROMOCAO, PRECOCINCO, REGISTROMS)");
        for (int i = 1; i <= escala; ++i) {
            std::string grupo = std::to_string(1 + r.ate(nGrupos));
            if (r.chance(10)) grupo = " " + grupo;
            else if (r.chance(5)) grupo = "";
            std::string ncm = r.um(ncms);
            switch (r.ate(6)) {
            case 0: ncm = ncm.substr(0, 4) + "." + ncm.substr(4, 2) + "." + ncm.substr(6); break;
            // Not in TB_CODIGO_NCM: a few hundred such numbers, however many the products, as in
            // a real stock (the fiscal class codes have four digits).
            case 1: ncm = std::to_string(90000000 + 37 * r.ate(300)); break;
            case 2: ncm = ""; break;
            default: break;
            }
            std::string fabricante = r.um(kFabricantes);
            if (r.chance(10)) fabricante = "";
            else if (r.chance(10)) fabricante = "Laboratório " + r.um(kSobrenomes);
            const std::string produto = r.um(kProdutos) + (r.chance(30) ? " c/ 10" : "") + " #" + std::to_string(i);
            l.linha({std::to_string(i), q(r.chance(80) ? "789" + dig(r, 10) : ""), q(produto), q(grupo),
                     r.chance(5) ? NUL : q(fabricante), r.chance(5) ? NUL : decimal(r, 500, false),
                     std::to_string(r.ate(300)) + "." + dig(r, 4), q(r.chance(20) ? decimal(r, 900, false) : decimal(r, 900, true)),
                     q(r.chance(30) ? "" : std::to_string(r.ate(20))), q(r.um(std::vector<std::string>{"UN", "cx", "FR", "unid", ""})),
                     std::to_string(r.ate(100)) + "." + dig(r, 2), std::to_string(r.ate(500)),
                     q(ncm), q(r.chance(50) ? "" : r.um(kFabricantes)), q(std::to_string(1 + r.ate(10))),
                     q(r.chance(50) ? "" : "0," + dig(r, 3)), q(produto.substr(0, 20)), ativo(r),
                     q(r.um(std::vector<std::string>{"060", "000", "040", ""})), r.chance(80) ? NUL : q("Uso adulto; não exceder a dose"),
                     q(r.um(std::vector<std::string>{"5.405", "5405", "5102", ""})), fracionado(r),
                     q(decimal(r, 950, true)), r.chance(70) ? NUL : decimal(r, 800, false), std::to_string(r.ate(900)) + ".5",
                     q(r.chance(60) ? "" : "1." + dig(r, 4) + "." + dig(r, 4) + "." + dig(r, 3) + "-" + dig(r, 1))});
        }
    }
    mysql_close(g_db);
    std::printf("geraorigem: %s com escala %d (semente %llu)\n", b.c_str(), escala, static_cast<unsigned long long>(semente));
    return 0;
}
