// Whatever makes a run fail or stop, the target ends with exactly what it held before the run:
// a run checks both structures before it writes, takes a copy of the file first and puts it
// back when the run fails or is interrupted; after a hard kill the next start restores it when
// told to. Each scenario starts from a fully converted target and compares every converted and
// reference table, row by row, with what it held before, then validates the file.
#include "Saida.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "Validacao.h"
#include "app/CopiaDestino.h"
#include "app/batch/ExecucaoLote.h"
#include "app/batch/OpcoesLote.h"
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {
constexpr int kProdutos = 3000;
const QStringList kTabelas = {QStringLiteral("CLIENTE"),  QStringLiteral("CIDADES"), QStringLiteral("FORNECE"),
                              QStringLiteral("GRUPROD"),  QStringLiteral("CLASFISC"), QStringLiteral("PRODUTO"),
                              QStringLiteral("COMPPROD"), QStringLiteral("CADFABR")};

void semeia(SourceFixture& s)
{
    QStringList clientes;
    for (int i = 1; i <= 40; ++i)
        clientes.append(QStringLiteral("('%1', 'Cliente %1', '%2', 'MG')").arg(i).arg(i % 2 ? "Betim" : "Contagem"));
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES ") + clientes.join(QLatin1Char(',')));
    s.exec(QStringLiteral("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO) VALUES "
                          "('1', 'Distribuidora', 'Uberaba', 'MG'), ('2', 'Atacado', 'Betim', 'MG')"));
    s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Genéricos'), (2, 'Perfumaria')"));
    s.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (1, '3004.90.69'), (2, '33049910')"));
    for (int lote = 0; lote < kProdutos; lote += 500) {
        QStringList valores;
        for (int i = lote + 1; i <= lote + 500; ++i)
            valores.append(QStringLiteral("(%1, 'Produto %1', '%2', 'Fab %3', '12,50', '3,5', 'UN', '%4')")
                               .arg(i)
                               .arg(i % 2 + 1)
                               .arg(i / 100)
                               .arg(i % 7 ? QStringLiteral("3004.90.69") : QStringLiteral("9000%1").arg(i % 5)));
        s.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, GRUPO, FABRICANTE, PRECOVENDA, ESTMINIMO, "
                              "UNIDADE, CODNCM) VALUES ") + valores.join(QLatin1Char(',')));
    }
}

// Every row of every table, as text, sorted; a missing table reads as such.
std::map<QString, QStringList> conteudo(TargetFixture& t)
{
    std::map<QString, QStringList> c;
    for (const QString& tabela : kTabelas) {
        QStringList linhas;
        try {
            for (const QStringList& r : t.rows(QStringLiteral("SELECT * FROM ") + tabela))
                linhas.append(r.join(QLatin1Char('|')));
        } catch (const std::exception&) {
            linhas = QStringList{QStringLiteral("<tabela ausente>")};
        }
        linhas.sort();
        c[tabela] = linhas;
    }
    return c;
}

struct Resultado {
    int codigo;
    QString texto;  // output and error stream
};

Resultado rodaNoProcesso(const OpcoesLote& o)
{
    Saida out;
    int codigo = -1;
    const QString erros = comErrosCapturados([&] { codigo = ExecucaoLote(o).executar(out.f, false); });
    return {codigo, out.texto() + erros};
}

enum class Modo { NoProcesso, Sinal, Morto };

struct Cenario {
    const char* id;
    // Changes the source or the target after the first, complete run.
    std::function<void(SourceFixture&, TargetFixture&, OpcoesLote&)> prepara;
    Modo modo = Modo::NoProcesso;
    int sinal = 0;
    int codigo = 1;
    QStringList mensagem;  // each must appear in what the runner prints
};

const QString kRestaurado = QStringLiteral("O destino foi restaurado e contém exatamente o que continha antes da conversão.");
const QString kNadaGravado = QStringLiteral("Nada foi gravado no destino.");

// New manufacturers for every product: the run creates and commits them as it goes.
void fabricantesNovos(SourceFixture& s, TargetFixture&, OpcoesLote&)
{
    s.exec(QStringLiteral("UPDATE TBESTOQUE SET FABRICANTE = CONCAT('Novo ', FABRICANTE)"));
}

std::vector<Cenario> cenarios()
{
    return {
        {"SourceRefusesTheLogin", [](SourceFixture&, TargetFixture&, OpcoesLote& o) {
             o.origem.user = QStringLiteral("ninguem");
             o.origem.password = QStringLiteral("errada");
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("Banco de origem: o servidor recusou o usuário ou a senha. Access denied"), kNadaGravado}},
        {"SourceUnreachable", [](SourceFixture&, TargetFixture&, OpcoesLote& o) {
             o.origem.socket = QStringLiteral("/nonexistent/mysqld.sock");
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("Banco de origem: o servidor não responde"), kNadaGravado}},
        {"SourceColumnMissing", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("ALTER TABLE TBESTOQUE DROP COLUMN MARCA"));
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("banco de origem, TBESTOQUE.MARCA: coluna ausente"), kNadaGravado}},
        {"TargetTableMissing", [](SourceFixture&, TargetFixture& t, OpcoesLote&) {
             t.exec(QStringLiteral("DROP TABLE COMPPROD"));
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("banco de destino, COMPPROD: tabela ausente"), kNadaGravado}},
        {"CharacterWin1252CannotHoldAtAMiddleCustomer", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("UPDATE TBCLIENTES SET NOME = 'Ōsaka' WHERE CONTROLE = '20'"));
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("U+014C"), QStringLiteral("CONTROLE 20)"), kRestaurado}},
        {"DuplicateCustomerKey", [](SourceFixture& s, TargetFixture&, OpcoesLote&) {
             s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME) VALUES ('0000021', 'Repetido')"));
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("PRIMARY"), kRestaurado}},
        {"FailureInTheMiddleOfTheProductsAfterManufacturersWereCommitted",
         [](SourceFixture& s, TargetFixture& t, OpcoesLote& o) {
             fabricantesNovos(s, t, o);
             s.exec(QStringLiteral("UPDATE TBESTOQUE SET PRECOVENDA = '12,50abc' WHERE CONTROLE = 1500"));
         }, Modo::NoProcesso, 0, 1, {QStringLiteral("PRECOVENDA"), QStringLiteral("CONTROLE 1500)"), kRestaurado}},
        {"SigintInTheMiddleOfTheProducts", fabricantesNovos, Modo::Sinal, SIGINT, 130,
         {QStringLiteral("Motivo: Conversão interrompida pelo usuário."), kRestaurado}},
        {"SigtermInTheMiddleOfTheProducts", fabricantesNovos, Modo::Sinal, SIGTERM, 130,
         {QStringLiteral("Motivo: Conversão interrompida pelo usuário."), kRestaurado}},
        {"SigkillInTheMiddleOfTheProductsThenRestoredAtTheNextStart", fabricantesNovos, Modo::Morto, SIGKILL, 0,
         {QStringLiteral("O destino foi restaurado a partir de ")}},
    };
}

void PrintTo(const Cenario& c, std::ostream* os) { *os << c.id; }

class Safeguard : public ::testing::TestWithParam<Cenario> {};

// The runner as its own process, stopped by the signal once it is a third into the products.
Resultado rodaComSinal(const OpcoesLote& o, int sinal)
{
    QProcess runner;
    runner.setProcessChannelMode(QProcess::MergedChannels);
    runner.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"),
                 {QStringLiteral("--destino"), o.destino, QStringLiteral("--socket"), o.origem.socket,
                  QStringLiteral("--banco"), o.origem.database});
    if (!runner.waitForStarted(30000))
        return {-1, QStringLiteral("the runner did not start")};
    const QRegularExpression linha(QStringLiteral("^Produtos: registro (\\d+) de "));
    QString saida;
    bool enviado = false;
    while (runner.state() == QProcess::Running) {
        runner.waitForReadyRead(100);
        while (runner.canReadLine()) {
            const QString l = QString::fromUtf8(runner.readLine());
            saida += l;
            const auto m = linha.match(l);
            if (!enviado && m.hasMatch() && m.captured(1).toInt() >= kProdutos * 3 / 10) {
                ::kill(static_cast<pid_t>(runner.processId()), sinal);
                enviado = true;
            }
        }
    }
    runner.waitForFinished(60000);
    saida += QString::fromUtf8(runner.readAll());
    if (!enviado)
        return {-2, QStringLiteral("the runner ended before the signal:\n") + saida};
    return {runner.exitStatus() == QProcess::CrashExit ? 128 + sinal : runner.exitCode(), saida};
}
}  // namespace

TEST_P(Safeguard, TheTargetHoldsExactlyWhatItHeldBeforeTheRun)
{
    const Cenario& c = GetParam();
    SourceFixture s;
    semeia(s);
    TargetFixture t;
    t.tr.commit();
    t.db.disconnect();
    OpcoesLote o = OpcoesLote::ler({QStringLiteral("--destino"), t.path()});
    o.origem = s.settings();
    const Resultado primeira = rodaNoProcesso(o);
    ASSERT_EQ(primeira.codigo, 0) << primeira.texto.toStdString();

    t.db.connect();
    c.prepara(s, t, o);
    const auto antes = conteudo(t);
    t.db.disconnect();
    ASSERT_EQ(antes.at(QStringLiteral("CLIENTE")).size(), 40u);

    Resultado r;
    if (c.modo == Modo::NoProcesso) {
        r = rodaNoProcesso(o);
    } else {
        r = rodaComSinal(o, c.sinal);
        if (c.modo == Modo::Morto) {
            ASSERT_EQ(r.codigo, 128 + SIGKILL) << r.texto.toStdString();
            ASSERT_TRUE(QFile::exists(CopiaDestino::caminhoMarca(t.path())));
            // The next start names the copy and waits for the operator's word.
            const Resultado recusada = rodaNoProcesso(o);
            EXPECT_EQ(recusada.codigo, 2) << recusada.texto.toStdString();
            EXPECT_TRUE(recusada.texto.contains(QStringLiteral("foi interrompida"))) << recusada.texto.toStdString();
            OpcoesLote restaura = o;
            restaura.restaura = true;
            r = rodaNoProcesso(restaura);
        }
    }
    EXPECT_EQ(r.codigo, c.codigo) << r.texto.toStdString();
    for (const QString& m : c.mensagem)
        EXPECT_TRUE(r.texto.contains(m)) << "missing: " << m.toStdString() << "\n" << r.texto.toStdString();
    if (c.modo == Modo::Sinal) {
        EXPECT_FALSE(r.texto.contains(QStringLiteral("Motivo: Conversão interrompida pelo usuário. (tabela")))
            << "an interruption does not blame the row it stopped at";
    }
    EXPECT_FALSE(QFile::exists(CopiaDestino::caminhoMarca(t.path())));

    QString relatorio;
    EXPECT_EQ(errosDeValidacao(t.path(), &relatorio).join(QLatin1Char(10)).toStdString(), "") << relatorio.toStdString();
    t.db.connect();
    const auto depois = conteudo(t);
    for (const QString& tabela : kTabelas) {
        const QStringList& a = antes.at(tabela);
        const QStringList& d = depois.at(tabela);
        EXPECT_EQ(d.size(), a.size()) << tabela.toStdString();
        EXPECT_TRUE(d == a) << tabela.toStdString() << " differs from what it held before the run";
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Safeguard, ::testing::ValuesIn(cenarios()),
                         [](const ::testing::TestParamInfo<Cenario>& i) { return std::string(i.param.id); });

// A committed run converts everything; the copy it took holds the file as it was before and
// opens and validates as a database of its own.
TEST(SafeguardOfACommittedRun, CommittedRunKeepsItsCopyWhichOpensAndValidates)
{
    SourceFixture s;
    semeia(s);
    TargetFixture t;
    t.exec(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'ANTERIOR')"));
    t.tr.commit();
    const auto antes = conteudo(t);
    t.db.disconnect();
    OpcoesLote o = OpcoesLote::ler({QStringLiteral("--destino"), t.path()});
    o.origem = s.settings();
    Saida out;
    ExecucaoLote lote(o);
    QString erros = comErrosCapturados([&] { EXPECT_EQ(lote.executar(out.f, false), 0); });
    const QString texto = out.texto();
    EXPECT_TRUE(texto.contains(QStringLiteral("Conversão concluída com sucesso!"))) << texto.toStdString();
    ASSERT_FALSE(lote.copia().isEmpty());
    EXPECT_TRUE(texto.contains(QStringLiteral("A cópia do destino de antes da conversão está em ") + lote.copia()))
        << texto.toStdString();
    EXPECT_FALSE(QFile::exists(CopiaDestino::caminhoMarca(t.path())));
    t.db.connect();
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 40);
    EXPECT_EQ(t.count(QStringLiteral("PRODUTO")), kProdutos);
    t.db.disconnect();

    QString relatorio;
    EXPECT_EQ(errosDeValidacao(lote.copia(), &relatorio).join(QLatin1Char(10)).toStdString(), "") << relatorio.toStdString();
    TargetFixture copia;  // a connection of its own, pointed at the copy
    copia.tr.commit();
    copia.db.disconnect();
    copia.db.setDatabaseName(lote.copia());
    copia.db.connect();
    EXPECT_TRUE(conteudo(copia) == antes) << "the copy is not the file as it was before the run";
    copia.db.disconnect();
}
