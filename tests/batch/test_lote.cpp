// The batch runner and its pre-flight check, on real engines.
#include "Saida.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/CopiaDestino.h"
#include "app/EstruturaConversao.h"
#include "app/batch/ExecucaoLote.h"
#include "app/batch/OpcoesLote.h"
#include "app/batch/VerificacaoPrevia.h"
#include "common/AppError.h"
#include "db/SqlScript.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {
class Batch : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Genéricos'), (2, 'Perfumaria')"));
        s.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (1, '3004.90.69'), (2, '33049910')"));
        s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
                              "('1', 'Ana', 'Juiz de Fora', 'MG'), ('2', 'José', 'juiz de fora', 'mg'), "
                              "('3', 'Inês', 'Betim', 'MG')"));
        s.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, GRUPO, FABRICANTE, PRECOVENDA, CODNCM) VALUES "
                              "(1, 'Dipirona', '1', 'EMS', '12,50', '3004.90.69'), "
                              "(2, 'Shampoo', '2', 'Natulab', '8.90', '99999999')"));
        t.tr.commit();
        t.db.disconnect();  // the runner attaches by itself
        opcoes.destino = t.path();
        opcoes.origem = s.settings();
    }
    OpcoesLote opcoes = OpcoesLote::ler({QStringLiteral("--destino"), QStringLiteral("x")});
    SourceFixture s;
    TargetFixture t;
};
}  // namespace

TEST_F(Batch, CommittedRunExitsZeroAndSummarizesWhatWasReadBack)
{
    Saida out;
    ExecucaoLote lote(opcoes);
    EXPECT_EQ(lote.executar(out.f, false), 0) << out.texto().toStdString();
    const QString texto = out.texto();
    EXPECT_TRUE(texto.contains(QStringLiteral("Conversão concluída com sucesso!")));
    t.db.connect();
    std::map<QString, qint64> destino;
    for (const auto& g : lote.resumo()) {
        EXPECT_TRUE(g.executado) << g.chave.toStdString();
        for (const auto& [tabela, n] : g.linhasDestino) {
            destino[tabela] = n;
            EXPECT_EQ(n, t.count(tabela)) << tabela.toStdString();
        }
    }
    EXPECT_EQ(lote.resumo()[0].linhasOrigem, 3);
    EXPECT_EQ(destino[QStringLiteral("CLIENTE")], 3);
    EXPECT_EQ(destino[QStringLiteral("PRODUTO")], 2);
    EXPECT_EQ(destino[QStringLiteral("COMPPROD")], 2);
    EXPECT_EQ(lote.referencias().cidades, 2) << "Juiz de Fora in two spellings is one city";
    EXPECT_EQ(lote.referencias().fabricantes, 2);
    EXPECT_EQ(lote.referencias().classes, 1) << "two converted, one created by the products for the unknown NCM";
    EXPECT_TRUE(texto.contains(
        QStringLiteral("referências criadas nesta execução: cidades 2, fabricantes 2, classificações fiscais 1")))
        << texto.toStdString();
}

// The created references are the rows the lookups inserted in this very run: on a rerun of the
// same data the cities and manufacturers exist already, while the fiscal classes the products
// create are made again (their table is emptied by its own group).
TEST_F(Batch, SummaryCountsTheReferencesEachRunCreatedAndMarksAFailedGroup)
{
    const QString json = t.path() + QStringLiteral(".json");
    opcoes.resumoJson = json;
    struct Rodada {
        const char* nome;
        std::function<void()> prepara;
        int codigo;
        qint64 cidades, fabricantes, classes;
    };
    const std::vector<Rodada> rodadas = {
        {"first run", [] {}, 0, 2, 2, 1},
        {"rerun", [] {}, 0, 0, 0, 1},
        {"failed at the second product",
         [&] { s.exec(QStringLiteral("UPDATE TBESTOQUE SET PRECOVENDA = '8,90abc' WHERE CONTROLE = 2")); }, 1, 0, 0, 0},
    };
    for (const Rodada& r : rodadas) {
        SCOPED_TRACE(r.nome);
        r.prepara();
        Saida out;
        ExecucaoLote lote(opcoes);
        comErrosCapturados([&] { EXPECT_EQ(lote.executar(out.f, false), r.codigo) << out.texto().toStdString(); });
        EXPECT_EQ(lote.referencias().cidades, r.cidades);
        EXPECT_EQ(lote.referencias().fabricantes, r.fabricantes);
        EXPECT_EQ(lote.referencias().classes, r.classes);

        QFile f(json);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
        EXPECT_EQ(o.value(QStringLiteral("codigoSaida")).toInt(), r.codigo);
        EXPECT_EQ(o.value(QStringLiteral("referenciasCriadas")).toObject().value(QStringLiteral("classificacoesFiscais")).toInt(),
                  r.classes);
        const QJsonArray grupos = o.value(QStringLiteral("grupos")).toArray();
        ASSERT_EQ(grupos.size(), 5);
        const QJsonObject produtos = grupos[4].toObject();
        EXPECT_EQ(produtos.value(QStringLiteral("grupo")).toString(), QStringLiteral("PRODUTOS"));
        EXPECT_EQ(produtos.value(QStringLiteral("linhasOrigem")).toInt(), 2) << "the source count, failed or not";
        EXPECT_EQ(produtos.value(QStringLiteral("linhasDestino")).toObject().value(QStringLiteral("PRODUTO")).toInt(), 2);
        if (r.codigo == 0) {
            EXPECT_FALSE(produtos.value(QStringLiteral("falhou")).toBool());
            EXPECT_TRUE(o.value(QStringLiteral("mensagemFalha")).isNull());
        } else {
            EXPECT_TRUE(produtos.value(QStringLiteral("falhou")).toBool());
            EXPECT_EQ(produtos.value(QStringLiteral("linhasConvertidas")).toInt(), 1);
            EXPECT_TRUE(o.value(QStringLiteral("mensagemFalha")).toString().contains(QStringLiteral("PRECOVENDA")));
            EXPECT_TRUE(o.value(QStringLiteral("restaurado")).toBool());
            EXPECT_TRUE(out.texto().contains(QStringLiteral("FALHOU no registro 2"))) << out.texto().toStdString();
            EXPECT_FALSE(grupos[0].toObject().value(QStringLiteral("falhou")).toBool());
        }
    }
}

// With --mantem-parcial the commit points show as they are: groups before the failing one stay
// converted. (Without it the file is restored: tests/confiabilidade/test_salvaguarda.cpp.)
TEST_F(Batch, FailedRunExitsOneAndKeepsWhatWasCommittedWhenAskedToKeepThePartialResult)
{
    s.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO) VALUES (3, 'Caixa \u2713')"));
    opcoes.mantemParcial = true;
    Saida out;
    ExecucaoLote lote(opcoes);
    const QString erros = comErrosCapturados([&] { EXPECT_EQ(lote.executar(out.f, false), 1); });
    t.db.connect();
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 3) << "groups before the failing one stay converted";
    EXPECT_TRUE(erros.contains(QStringLiteral("O destino ficou com o resultado parcial, como pedido."))) << erros.toStdString();
    EXPECT_TRUE(QFile::exists(lote.copia()));
}

TEST_F(Batch, TargetThatCannotBeOpenedExitsTwo)
{
    opcoes.destino = t.path() + QStringLiteral(".nao-existe");
    Saida out;
    EXPECT_EQ(ExecucaoLote(opcoes).executar(out.f, false), 2);
}

// Whatever goes wrong, no password reaches the output, the error stream or an exception text.
TEST_F(Batch, NoPasswordAppearsInAnyMessage)
{
    struct Caso {
        const char* nome;
        std::function<void(OpcoesLote&)> prepara;
        bool verificar;
    };
    const std::vector<Caso> casos = {
        {"source refuses the user", [](OpcoesLote& o) { o.origem.user = QStringLiteral("ninguem"); }, false},
        {"check, source refuses the user", [](OpcoesLote& o) { o.origem.user = QStringLiteral("ninguem"); }, true},
        {"target cannot be opened", [](OpcoesLote& o) { o.destino += QStringLiteral(".nao-existe"); }, false},
        {"check, target cannot be opened", [](OpcoesLote& o) { o.destino += QStringLiteral(".nao-existe"); }, true},
        // The sandbox's root has no password; the target's is not checked on a local file.
        {"committed run", [](OpcoesLote& o) { o.origem.password.clear(); }, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        OpcoesLote o = opcoes;
        o.origem.password = QStringLiteral("segredo-origem");
        o.senhaDestino = QStringLiteral("segredo-destino");
        c.prepara(o);
        Saida out;
        QString excecao;
        const QString erros = comErrosCapturados([&] {
            try {
                if (c.verificar)
                    VerificacaoPrevia(o).executar(out.f);
                else
                    ExecucaoLote(o).executar(out.f, false);
            } catch (const AppError& e) {
                excecao = e.message();
            }
        });
        const QString all = out.texto() + erros + excecao;
        EXPECT_FALSE(all.trimmed().isEmpty());
        EXPECT_FALSE(all.contains(QStringLiteral("segredo"))) << all.toStdString();
    }
    // A mistyped option is named without the value it carries.
    try {
        OpcoesLote::ler({QStringLiteral("--destino=a"), QStringLiteral("--senha-origem=segredo")});
        ADD_FAILURE() << "unknown option accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Opção desconhecida: --senha-origem"));
    }
}

TEST(BatchOptions, CommandLine)
{
    const OpcoesLote o = OpcoesLote::ler({QStringLiteral("--destino=/x/A.FB"), QStringLiteral("--grupos"),
                                          QStringLiteral("produtos,Clientes"), QStringLiteral("--socket"),
                                          QStringLiteral("/s"), QStringLiteral("--porta"), QStringLiteral("3307")});
    EXPECT_EQ(o.destino, QStringLiteral("/x/A.FB"));
    EXPECT_EQ(o.grupos, (QStringList{QStringLiteral("PRODUTOS"), QStringLiteral("CLIENTES")}));
    EXPECT_EQ(o.origem.socket, QStringLiteral("/s"));
    EXPECT_EQ(o.origem.port, 3307u);
    EXPECT_EQ(o.origem.database, QStringLiteral("pelbrix"));
    EXPECT_EQ(OpcoesLote::ler({QStringLiteral("--destino"), QStringLiteral("a")}).grupos.size(), 5);
    for (const QStringList& bad : {QStringList{QStringLiteral("--destino")}, QStringList{QStringLiteral("--grupos"), QStringLiteral("tudo")},
                                   QStringList{QStringLiteral("--xyz")}, QStringList{}})
        EXPECT_THROW(OpcoesLote::ler(bad), AppError) << bad.join(' ').toStdString();
}

// One fixture per finding of the pre-flight check; each must be reported as an error and
// leave both databases as they were.
TEST_F(Batch, CheckFindsNothingOnSoundDataAndWritesNothing)
{
    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 0) << out.texto().toStdString();
    t.db.connect();
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 0);
    EXPECT_EQ(t.count(QStringLiteral("CIDADES")), 0);
}

namespace {
struct Caso {
    const char* nome;
    std::function<void(SourceFixture&, TargetFixture&, OpcoesLote&)> prepara;
    const char* onde;      // expected in the finding's place
    const char* problema;  // expected in the finding's text
    const char* controle = nullptr;  // the source row named, when the finding is about one
};
}  // namespace

TEST_F(Batch, CheckReportsEveryFinding)
{
    const std::vector<Caso> casos = {
        {"source unreachable", [](SourceFixture&, TargetFixture&, OpcoesLote& o) {
             o.origem.socket = QStringLiteral("/nao/existe.sock"); o.origem.connectTimeout = 2; },
         "origem", "inacessível"},
        {"target missing", [](SourceFixture&, TargetFixture&, OpcoesLote& o) { o.destino += QStringLiteral(".x"); },
         "destino", "inacessível"},
        {"missing target table", [](SourceFixture&, TargetFixture& t, OpcoesLote&) {
             t.db.connect(); t.exec(QStringLiteral("DROP TABLE COMPPROD")); t.db.disconnect(); },
         "destino COMPPROD", "tabela ausente"},
        {"missing source column", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("ALTER TABLE TBGRUPO DROP COLUMN GRUPO")); },
         "origem TBGRUPO.GRUPO", "coluna ausente"},
        {"group codes collide", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1001, 'Outro')")); },
         "destino GRUPROD.CODGRUPO", "código '001' repetido: 2 chaves da origem de TBGRUPO", "1001"},
        {"value longer than its column", [](SourceFixture& s, TargetFixture& t, OpcoesLote&) {
             t.db.connect();
             t.exec(QStringLiteral("ALTER TABLE CADFABR DROP DESCRICAO"));
             t.exec(QStringLiteral("ALTER TABLE CADFABR ADD DESCRICAO VARCHAR(4)"));
             t.db.disconnect();
             s.exec(QStringLiteral("UPDATE TBESTOQUE SET FABRICANTE = 'Laboratório Longo'")); },
         "destino CADFABR.DESCRICAO", "valor maior que a coluna (4 caracteres): tem 17", "1"},
        {"character the target cannot store", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("UPDATE TBCLIENTES SET NOME = 'Ōsaka' WHERE CONTROLE = '2'")); },
         "origem TBCLIENTES.NOME", "caractere U+014C", "2"},
    };
    for (const Caso& c : casos) {
        SourceFixture s2;
        TargetFixture t2;
        s2.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Genéricos')"));
        s2.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES ('2', 'José', 'Betim', 'MG')"));
        s2.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, GRUPO, FABRICANTE) VALUES (1, 'Dipirona', '1', 'EMS')"));
        t2.tr.commit();
        t2.db.disconnect();
        OpcoesLote o = opcoes;
        o.destino = t2.path();
        o.origem = s2.settings();
        c.prepara(s2, t2, o);
        Saida out;
        VerificacaoPrevia v(o);
        EXPECT_EQ(v.executar(out.f), 1) << c.nome << "\n" << out.texto().toStdString();
        bool found = false;
        for (const auto& a : v.achados())
            found = found || (a.erro && a.onde.contains(QString::fromUtf8(c.onde)) &&
                              a.problema.contains(QString::fromUtf8(c.problema)) &&
                              (!c.controle || a.controle == QLatin1String(c.controle)));
        EXPECT_TRUE(found) << c.nome << "\n" << out.texto().toStdString();
        if (QFile::exists(t2.path())) {
            t2.db.connect();
            EXPECT_EQ(t2.count(QStringLiteral("CLIENTE")), 0) << c.nome << ": the check wrote to the target";
            t2.db.disconnect();
        }
    }
}

TEST(BatchDialect, CheckReportsATargetOfDialectThree)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/D3.FB");
    TargetDatabase::createDatabase(path, 3, QStringLiteral("SYSDBA"), QStringLiteral("velorquin"), QStringLiteral("WIN1252"));
    {
        TargetDatabase db;
        db.setDatabaseName(path);
        db.connect();
        SqlScript::run(db, SqlScript::filesIn(QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/target")));
    }
    SourceFixture s;
    OpcoesLote o = OpcoesLote::ler({QStringLiteral("--destino"), path});
    o.origem = s.settings();
    Saida out;
    VerificacaoPrevia v(o);
    EXPECT_EQ(v.executar(out.f), 1);
    EXPECT_TRUE(out.texto().contains(QStringLiteral("dialeto 3"))) << out.texto().toStdString();
}

// The runner's command line as the operator types it: each case with its exit status and a
// word of what it prints.
TEST(BatchCommandLine, ExitStatuses)
{
    TargetFixture t;
    t.tr.commit();
    t.db.disconnect();
    struct Caso {
        QStringList argumentos;
        int codigo;
        const char* diz;
    };
    const QString d = t.path();
    const std::vector<Caso> casos = {
        {{QStringLiteral("--help")}, 0, "uso:"},
        {{}, 2, "--destino"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--grupos"), QString()}, 2, "Nenhum grupo"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--grupos"), QStringLiteral(",")}, 2, "Nenhum grupo"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--grupos"), QStringLiteral("tudo")}, 2, "Grupo desconhecido"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--porta"), QStringLiteral("70000")}, 2, "Porta inválida"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--porta"), QStringLiteral("0")}, 2, "Porta inválida"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--porta"), QStringLiteral("x")}, 2, "Porta inválida"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--xyz")}, 2, "Opção desconhecida"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--restaura"), QStringLiteral("--mantem-atual")}, 2, "não os dois"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--sem-copia"), QStringLiteral("--mantem-parcial")}, 2, "sem cópia"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--restaura")}, 2, "Não há conversão interrompida"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--relatorio"), QStringLiteral("r.csv")}, 2, "vale só com --check"},
        {{QStringLiteral("--destino"), d + QStringLiteral(".nao-existe")}, 2, ""},
        {{QStringLiteral("--destino"), d, QStringLiteral("--senha")}, 2, "Falta o valor de --senha"},
        {{QStringLiteral("--destino"), d, QStringLiteral("--check=sim")}, 2, "Opção desconhecida: --check"},
        {{QStringLiteral("--destino"), d, QStringLiteral("sobra")}, 2, "Opção desconhecida: sobra"},
        {{QStringLiteral("-h")}, 0, "uso:"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos.join(QLatin1Char(' ')).toStdString());
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"), c.argumentos);
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString saida = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), c.codigo) << saida.toStdString();
        EXPECT_TRUE(saida.contains(QString::fromUtf8(c.diz))) << saida.toStdString();
    }
    EXPECT_FALSE(QFile::exists(CopiaDestino::caminhoMarca(t.path())));
}

// What a run would change silently is reported as a notice (aviso), with its count; notices
// alone do not make the check fail.
TEST_F(Batch, CheckWarnsOfWhatARunChangesSilently)
{
    s.exec(QStringLiteral("UPDATE TBCLIENTES SET DATA = '2001-02-03', DATACADASTRO = '2020-05-06' WHERE CONTROLE = '1'"));
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET ATIVO = 'N', FRACIONADO = 'S' WHERE CONTROLE = 1"));
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET ATIVO = '1', FRACIONADO = 'false' WHERE CONTROLE = 2"));
    s.exec(QStringLiteral("DELETE FROM TBGRUPO"));
    t.db.connect();
    t.exec(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'ANTIGO')"));
    t.db.disconnect();

    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 0) << out.texto().toStdString();
    std::map<QString, QString> avisos;
    for (const auto& a : v.achados())
        if (!a.erro)
            avisos[a.onde] = a.problema;
    const std::vector<std::pair<QString, QString>> esperados = {
        {QStringLiteral("origem TBCLIENTES.DATA"), QStringLiteral("2 datas vazias ou inválidas: serão gravadas como 30/12/1899")},
        {QStringLiteral("origem TBCLIENTES.DATACADASTRO"), QStringLiteral("2 datas vazias ou inválidas")},
        {QStringLiteral("origem TBESTOQUE.ATIVO"), QStringLiteral("1 valores diferentes de 0 e 1")},
        {QStringLiteral("origem TBESTOQUE.FRACIONADO"), QStringLiteral("1 valores diferentes de TRUE e FALSE")},
        {QStringLiteral("destino GRUPROD"),
         QStringLiteral("a tabela de origem TBGRUPO está vazia e GRUPROD tem 1 linhas: a conversão vai esvaziá-la")},
    };
    for (const auto& [onde, texto] : esperados) {
        SCOPED_TRACE(onde.toStdString());
        ASSERT_TRUE(avisos.count(onde)) << out.texto().toStdString();
        EXPECT_TRUE(avisos[onde].startsWith(texto)) << avisos[onde].toStdString();
    }
}

namespace {
// RFC 4180 as a spreadsheet reads it: quoted fields may hold commas, quotes (doubled) and line
// breaks; CRLF ends a record.
std::vector<QStringList> leCsv(const QByteArray& bytes)
{
    QString t = QString::fromUtf8(bytes);
    if (t.startsWith(QChar(0xFEFF)))
        t.remove(0, 1);
    std::vector<QStringList> linhas;
    QStringList linha;
    QString campo;
    bool aspas = false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (aspas) {
            if (c == QLatin1Char('"') && i + 1 < t.size() && t[i + 1] == QLatin1Char('"'))
                campo += c, ++i;
            else if (c == QLatin1Char('"'))
                aspas = false;
            else
                campo += c;
        } else if (c == QLatin1Char('"')) {
            aspas = true;
        } else if (c == QLatin1Char(',')) {
            linha.append(campo), campo.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < t.size() && t[i + 1] == QLatin1Char('\n')) {
            linha.append(campo), campo.clear();
            linhas.push_back(linha), linha.clear();
            ++i;
        } else {
            campo += c;
        }
    }
    EXPECT_TRUE(campo.isEmpty() && linha.isEmpty()) << "the last record does not end with CRLF";
    return linhas;
}
}  // namespace

// One source with rows that fail in different ways: the check goes past each, names every one,
// and the report holds one line per row, read back as a spreadsheet would.
TEST_F(Batch, CheckNamesEveryFailingRowInOnePassAndWritesThemAsCsv)
{
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME) VALUES ('123456789', 'Código longo'), "
                          "('1021', 'Primeiro'), (' 1021', 'Segundo'), ('00001021', 'Terceiro')"));
    for (int i = 0; i < 7; ++i)
        s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME) VALUES ('%1', 'Ωmega, \"%1\"')").arg(50 + i));
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET CUSTOMEDIO = '1.7976931348623157e308' WHERE CONTROLE = 1"));
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET PRECOVENDA = '12,50abc' WHERE CONTROLE = 2"));
    QTemporaryDir pasta;
    opcoes.relatorio = pasta.filePath(QStringLiteral("achados.csv"));

    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 1);
    const QString texto = out.texto();
    SCOPED_TRACE(texto.toStdString());

    struct Esperado {
        const char* onde;
        const char* controle;
        const char* problema;
    };
    const std::vector<Esperado> esperados = {
        {"origem TBCLIENTES", "123456789", "Código do cliente '123456789' tem mais de 8 caracteres"},
        {"destino CLIENTE.CODCLIENTE", "1021", "código '00001021' repetido: 3 chaves da origem de TBCLIENTES"},
        {"destino CLIENTE.CODCLIENTE", " 1021", "código '00001021' repetido: 3 chaves"},
        {"destino CLIENTE.CODCLIENTE", "00001021", "código '00001021' repetido: 3 chaves"},
        {"origem TBESTOQUE", "1", "campo compprod.precomedio"},
        {"origem TBESTOQUE", "2", "PRECOVENDA"},
    };
    std::vector<Esperado> todos = esperados;
    for (const char* k : {"50", "51", "52", "53", "54", "55", "56"})
        todos.push_back({"origem TBCLIENTES.NOME", k, "caractere U+03A9 não pode ser gravado no destino"});
    for (const Esperado& e : todos) {
        const auto n = std::count_if(v.achados().begin(), v.achados().end(), [&](const VerificacaoPrevia::Achado& a) {
            return a.erro && a.onde == QLatin1String(e.onde) && a.controle == QLatin1String(e.controle) &&
                   a.problema.contains(QString::fromUtf8(e.problema));
        });
        EXPECT_EQ(n, 1) << e.onde << " CONTROLE '" << e.controle << "'";
    }
    // The three keys of one code are named together; of the seven rows of one kind the terminal
    // shows the first five and counts the rest.
    EXPECT_TRUE(texto.contains(QStringLiteral("(CONTROLE ' 1021', 00001021, 1021)")));
    EXPECT_TRUE(texto.contains(QStringLiteral("caracteres que o destino não pode gravar (WIN1252) (7 ocorrências)")));
    EXPECT_TRUE(texto.contains(QStringLiteral("... e mais 2")));

    QFile f(opcoes.relatorio);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const std::vector<QStringList> csv = leCsv(f.readAll());
    ASSERT_EQ(csv.size(), v.achados().size() + 1);
    EXPECT_EQ(csv[0], QString::fromUtf8("nível,lado,tabela,CONTROLE,campo,valor,problema").split(QLatin1Char(',')));
    for (size_t i = 0; i < v.achados().size(); ++i) {
        const auto& a = v.achados()[i];
        const QStringList linha = {a.erro ? QStringLiteral("erro") : QStringLiteral("aviso"), a.lado, a.tabela, a.controle,
                                   a.campo, a.valor, a.problema};
        EXPECT_EQ(csv[i + 1], linha) << i;
    }
    for (const Esperado& e : todos) {
        const auto n = std::count_if(csv.begin() + 1, csv.end(), [&](const QStringList& l) {
            return l[0] == QLatin1String("erro") && l[3] == QLatin1String(e.controle) &&
                   l[6].contains(QString::fromUtf8(e.problema));
        });
        EXPECT_EQ(n, 1) << "csv: " << e.onde << " CONTROLE '" << e.controle << "'";
    }
    // A value with a comma and quotes comes back whole.
    EXPECT_TRUE(std::any_of(csv.begin(), csv.end(), [](const QStringList& l) {
        return l[5] == QStringLiteral("Ωmega, \"52\"");
    }));
}

// Every value the rules will shorten is announced per field, with the count and the longest
// length; and what the check announces is what a real run then writes.
TEST_F(Batch, CheckAnnouncesEveryCutAndTheRunCutsThere)
{
    s.exec(QStringLiteral("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA) VALUES (1, 'Distribuidora')"));
    s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1003, 'Higiene')"));
    s.exec(QStringLiteral("UPDATE TBCLIENTES SET CIDADE = NULL, OBSERVACAO = REPEAT('o', 150) WHERE CONTROLE = '2'"));
    s.exec(QStringLiteral("UPDATE TBCLIENTES SET CIDADE = NULL WHERE CONTROLE = '1'"));
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET GRUPO = '1002' WHERE CONTROLE = 1"));
    const QString letras = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const auto longo = [&](int n) {
        QString t;
        while (t.size() < n)
            t += letras;
        return t.left(n);
    };
    const std::map<QString, QString> tabela = {{QStringLiteral("CLIENTES"), QStringLiteral("TBCLIENTES")},
                                               {QStringLiteral("FORNECEDORES"), QStringLiteral("TBFORNECEDOR")},
                                               {QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("TBGRUPO")},
                                               {QStringLiteral("PRODUTOS"), QStringLiteral("TBESTOQUE")}};
    for (const auto& c : EstruturaConversao::cortes()) {
        if (c.medida == EstruturaConversao::Corte::Ultimos)
            continue;
        const QString t = tabela.at(QLatin1String(c.chave));
        s.exec(QStringLiteral("ALTER TABLE %1 MODIFY %2 TEXT").arg(t, QLatin1String(c.coluna)));
        s.exec(QStringLiteral("UPDATE %1 SET %2 = '%3' WHERE CONTROLE = %4")
                   .arg(t, QLatin1String(c.coluna), longo(c.largura + 5),
                        t == QLatin1String("TBCLIENTES") ? QStringLiteral("'1'") : QStringLiteral("1")));
    }

    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 0) << out.texto().toStdString();
    std::map<QString, QString> avisos;
    for (const auto& a : v.achados())
        if (!a.erro)
            avisos[a.onde] = a.problema;
    for (const auto& c : EstruturaConversao::cortes()) {
        SCOPED_TRACE(c.coluna);
        const QString onde = QStringLiteral("origem %1.%2").arg(tabela.at(QLatin1String(c.chave)), QLatin1String(c.coluna));
        ASSERT_TRUE(avisos.count(onde)) << out.texto().toStdString();
        const bool observacao = onde == QLatin1String("origem TBCLIENTES.OBSERVACAO");
        const int maior = c.medida == EstruturaConversao::Corte::Ultimos ? 4 : observacao ? 150 : c.largura + 5;
        EXPECT_TRUE(avisos[onde].startsWith(QStringLiteral("%1 valores serão cortados ao gravar %2 (")
                                                .arg(observacao ? 2 : 1)
                                                .arg(QLatin1String(c.destino))))
            << avisos[onde].toStdString();
        EXPECT_TRUE(avisos[onde].endsWith(QStringLiteral("tem %1 caracteres e ficará com %2").arg(maior).arg(c.largura)))
            << avisos[onde].toStdString();
    }

    Saida run;
    ExecucaoLote lote(opcoes);
    ASSERT_EQ(lote.executar(run.f, false), 0) << run.texto().toStdString();
    t.db.connect();
    for (const auto& c : EstruturaConversao::cortes()) {
        SCOPED_TRACE(c.destino);
        const QString destino = QLatin1String(c.destino);
        const QString tabelaDestino = destino.section(QLatin1Char('.'), 0, 0), coluna = destino.section(QLatin1Char('.'), 1);
        if (c.medida == EstruturaConversao::Corte::Ultimos) {
            // 1003 and 1002 keep their last three characters.
            const QString codigo = tabelaDestino == QLatin1String("GRUPROD") ? QStringLiteral("003") : QStringLiteral("002");
            EXPECT_GE(t.rows(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = '%3'").arg(tabelaDestino, coluna, codigo))
                          .at(0).at(0).toInt(), 1);
        }
        const auto r = t.rows(QStringLiteral("SELECT MAX(CHAR_LENGTH(TRIM(TRAILING FROM %1))) FROM %2").arg(coluna, tabelaDestino));
        EXPECT_EQ(r.at(0).at(0).toInt(), c.largura);
    }
}

// While the engine holds the file for another attachment, a run could not open it: the check
// says so instead of finding nothing.
TEST_F(Batch, CheckReportsATargetHeldByAnotherAttachment)
{
    t.db.connect();
    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 1);
    EXPECT_TRUE(std::any_of(v.achados().begin(), v.achados().end(), [](const VerificacaoPrevia::Achado& a) {
        return a.erro && a.onde == QLatin1String("destino") && a.problema.contains(QStringLiteral("em uso por outro programa"));
    })) << out.texto().toStdString();
}
