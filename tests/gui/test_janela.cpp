// The main window driven as the operator drives it: controls, focus, run parameters, the checks
// before a run, "Abrir" on good and bad files, runs through the controller, leaving.
#include "AmbienteQt.h"
#include "ApoioJanela.h"
#include "Recorders.h"
#include "app/CopiaDestino.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "app/gui/PlataformaQt.h"
#include "app/gui/TBarraProgresso.h"
#include "app/gui/TFigura.h"
#include "app/gui/TRotuloProgresso.h"
#include "app/gui/UPrincipal.h"
#include "common/AppError.h"
#include "platform/Interrupcao.h"
#include <csignal>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kAvisoCaminho = QStringLiteral("O caminho do banco de dados está vazio!");
const QString kAvisoConexao = QStringLiteral(
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
    "selecionado é válido! ");
const QString kSucesso = QStringLiteral("Conversão concluída com sucesso!");
const QString kFalha = QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ");
const QString kCopia = QStringLiteral("A cópia do destino de antes da conversão está em ");
const QString kRestaurado = QStringLiteral("O destino foi restaurado e contém exatamente o que continha antes da conversão.");

// The run's own text stands as the message's first line; what became of the target follows it.
QString primeiraLinha(const QString& t) { return t.section(QChar(13), 0, 0); }
QString depoisDaPrimeira(const QString& t) { return t.section(QChar(13), 1); }

QString textoDe(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return QString();
}

// The enabled state of the four controls that a run switches off.
struct Estado {
    bool abrir, converter, sair, tabelas;
    bool operator==(const Estado&) const = default;
};
Estado estadoDe(const TFPrincipal& j)
{
    return {j.btnAbrir->isEnabled(), j.btnConverter->isEnabled(), j.btnSair->isEnabled(),
            j.gbxTabelasConverter->isEnabled()};
}
const Estado kHabilitados{true, true, true, true};
const Estado kDesabilitados{false, false, false, false};

// Records the boxes and what the window looked like when each one came up.
class MensagensComEstado : public RecordingMessages {
public:
    const TFPrincipal* janela = nullptr;
    std::vector<Estado> estados;
    QStringList perguntas;
    bool resposta = false;  // the operator's answer to every question
    bool question(const QString& t) override { perguntas.append(t); return resposta; }
    void warning(const QString& t) override { anota(); RecordingMessages::warning(t); }
    void information(const QString& t) override { anota(); RecordingMessages::information(t); }
    void error(const QString& t) override { anota(); RecordingMessages::error(t); }

private:
    void anota()
    {
        if (janela)
            estados.push_back(estadoDe(*janela));
    }
};

class MainWindow : public ::testing::Test {
protected:
    MensagensComEstado mensagens;  // lives longer than the window
    TFPrincipal janela;
    QString resposta;              // what the file dialog answers; empty: cancelled
    QStringList pastasPedidas;
    QStringList gruposChamados;

    void SetUp() override
    {
        mensagens.janela = &janela;
        janela.escolheArquivo = [this](QWidget*, const QString& pasta) {
            pastasPedidas.append(pasta);
            return resposta;
        };
    }
    void abre(const QString& caminho)
    {
        resposta = caminho;
        janela.btnAbrir->click();
    }
    // Runs go through controllers whose fillers are made by the test.
    void usaPreenchedores(int linhas, std::function<void(const QString& chave, int linha)> aCadaLinha)
    {
        janela.criaControlador = [this, linhas, aCadaLinha] {
            return std::make_unique<TClassesConversaoController>([=, this](const QString& chave) {
                gruposChamados.append(chave);
                QString prefixo;
                for (const auto& g : TClassesConversaoController::grupos())
                    if (g.chave == chave)
                        prefixo = g.prefixo;
                return std::make_unique<PreenchedorDeTeste>(
                    prefixo, linhas, [=](int linha) { if (aCadaLinha) aCadaLinha(chave, linha); });
            });
        };
    }
    std::vector<QString> textos(const QString& tipo) const
    {
        std::vector<QString> r;
        for (const auto& m : mensagens.list)
            if (m.kind == tipo)
                r.push_back(m.text);
        return r;
    }
};
}  // namespace

TEST_F(MainWindow, EveryControlHasItsNameCaptionPlaceAndInitialState)
{
    struct Controle {
        const char* nome;
        const char* classe;
        const char* pai;
        QRect lugar;
        const char* texto;
        bool habilitado;
        bool negrito;
    } controles[] = {
        {"pnlCabecalho", "QFrame", "FPrincipal", {0, 0, 633, 73}, "", true, false},
        {"imgLogo", "TFigura", "pnlCabecalho", {1, 10, 137, 64}, "", true, false},
        {"imgComp", "TFigura", "pnlCabecalho", {503, 1, 132, 71}, "", true, false},
        {"Label2", "QLabel", "pnlCabecalho", {150, 25, 422, 18},
         "Ferramenta de Conversão de Dados - Farmácia Ostrevo", true, true},
        {"edtCaminhoBDOrigem", "QLineEdit", "FPrincipal", {5, 105, 164, 21}, "pelbrix", false, true},
        {"Label1", "QLabel", "FPrincipal", {6, 130, 210, 13}, "Caminho do Banco de Dados Quelvar: ",
         true, true},
        {"edtCaminhoBDDestino", "QLineEdit", "FPrincipal", {5, 148, 516, 21}, "", false, false},
        {"btnAbrir", "QPushButton", "FPrincipal", {533, 145, 83, 25}, "Abrir", true, false},
        {"gbxTabelasConverter", "QGroupBox", "FPrincipal", {5, 176, 612, 86}, "Tabelas à converter",
         true, true},
        {"chkCLientes", "QCheckBox", "gbxTabelasConverter", {10, 21, 97, 17}, "Clientes", true, false},
        {"chkFornecedores", "QCheckBox", "gbxTabelasConverter", {155, 21, 97, 17}, "Fornecedores",
         true, false},
        {"chkProdutos", "QCheckBox", "gbxTabelasConverter", {320, 21, 97, 17}, "Produtos", true, false},
        {"chkGruposProdutos", "QCheckBox", "gbxTabelasConverter", {10, 52, 147, 17},
         "Grupos de Produtos", true, false},
        {"chkClassificacaoFiscal", "QCheckBox", "gbxTabelasConverter", {155, 52, 147, 17},
         "Classificação Fiscal", true, false},
        {"Barra", "TBarraProgresso", "FPrincipal", {6, 283, 611, 15}, "", true, false},
        {"btnConverter", "QPushButton", "FPrincipal", {445, 305, 83, 25}, "Converter", true, false},
        {"btnSair", "QPushButton", "FPrincipal", {533, 306, 83, 25}, "Sair", true, false},
    };
    for (const Controle& c : controles) {
        SCOPED_TRACE(c.nome);
        auto* w = janela.findChild<QWidget*>(QLatin1String(c.nome));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(c.classe));
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(c.pai));
        EXPECT_EQ(w->geometry(), c.lugar);
        EXPECT_EQ(textoDe(w), QString::fromUtf8(c.texto));
        EXPECT_EQ(w->isEnabled(), c.habilitado);
        EXPECT_EQ(w->font().bold(), c.negrito);
        if (auto* chk = qobject_cast<QCheckBox*>(w)) {
            EXPECT_FALSE(chk->isChecked());
        }
    }
    EXPECT_TRUE(janela.edtCaminhoBDOrigem->isReadOnly());
    EXPECT_EQ(janela.lblInfo->objectName(), QStringLiteral("lblInfo"));
    EXPECT_EQ(janela.lblInfo->pos(), QPoint(8, 267));
    EXPECT_TRUE(janela.lblInfo->text().isEmpty());
    EXPECT_TRUE(janela.lblInfo->font().bold());
    EXPECT_EQ(janela.Barra->position(), 0);
    EXPECT_EQ(janela.Barra->maximum(), 100);
    EXPECT_EQ(janela.Barra->textoPercentual(), QStringLiteral("0%"));
    for (QPushButton* b : {janela.btnAbrir, janela.btnConverter, janela.btnSair})
        EXPECT_FALSE(b->icon().isNull()) << qPrintable(b->objectName());
    EXPECT_FALSE(janela.imgLogo->imagem().isNull());
    EXPECT_FALSE(janela.imgComp->imagem().isNull());
    EXPECT_FALSE(janela.ibdQuelvar.connected());
    EXPECT_FALSE(janela.ibtTransacaoQuelvar.active());
    EXPECT_EQ(janela.scoBdOrigem.settings().host, QStringLiteral("localhost"));
    EXPECT_EQ(janela.scoBdOrigem.settings().database, QStringLiteral("pelbrix"));
    EXPECT_EQ(janela.scoBdOrigem.settings().user, QStringLiteral("root"));
}

TEST_F(MainWindow, IsAFixedWindowWithTitleFontHeaderAndMaroonTitle)
{
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Conversor Farmácia Ostrevo"));
    EXPECT_EQ(janela.size(), QSize(628, 334));
    EXPECT_EQ(janela.minimumSize(), QSize(628, 334));
    EXPECT_EQ(janela.maximumSize(), QSize(628, 334));
    EXPECT_EQ(janela.pos(), QPoint(342, 110));
    const Qt::WindowFlags f = janela.windowFlags();
    EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(janela.font().family(), familiaFonte());
    EXPECT_EQ(janela.font().pixelSize(), 11);
    EXPECT_FALSE(janela.font().bold());
    EXPECT_EQ(janela.Label2->font().pixelSize(), 15);
    EXPECT_EQ(janela.Label2->palette().color(QPalette::WindowText), QColor(128, 0, 0));

    // As painted: a white header, and the title's maroon somewhere in its place.
    const QImage img = janela.grab().toImage();
    EXPECT_EQ(img.pixelColor(300, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(300, 60), QColor(Qt::white));
    bool marrom = false;
    for (int y = 25; y < 43 && !marrom; ++y)
        for (int x = 150; x < 572 && !marrom; ++x)
            marrom = img.pixelColor(x, y) == QColor(128, 0, 0);
    EXPECT_TRUE(marrom);
}

TEST_F(MainWindow, FocusFollowsTheOrderOfTheFormAndTabSkipsWhatCannotTakeIt)
{
    const QStringList ordem = {"chkCLientes",  "chkFornecedores", "chkProdutos",
                               "chkGruposProdutos", "chkClassificacaoFiscal", "edtCaminhoBDDestino",
                               "pnlCabecalho", "btnAbrir",        "btnConverter",
                               "btnSair",      "edtCaminhoBDOrigem"};
    QStringList cadeia;
    QWidget* w = janela.chkCLientes;
    do {
        if (ordem.contains(w->objectName()))
            cadeia.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != janela.chkCLientes);
    EXPECT_EQ(cadeia, ordem);

    janela.show();
    janela.activateWindow();
    QApplication::setActiveWindow(&janela);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), janela.chkCLientes) << "first in the order";
    QStringList tabulacao;
    for (int i = 0; i < 8; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        tabulacao.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                     : QStringLiteral("<none>"));
    }
    EXPECT_EQ(tabulacao, QStringList({"chkFornecedores", "chkProdutos", "chkGruposProdutos",
                                      "chkClassificacaoFiscal", "btnAbrir", "btnConverter",
                                      "btnSair", "chkCLientes"}));
}

TEST_F(MainWindow, RunParametersHoldTheBareNamesThenOneLinePerTickedBoxInFixedOrder)
{
    const QStringList nomes = {"CLIENTES", "FORNECEDORES", "GRUPOSPRODUTOS", "CLASSIFICACAOFISCAL",
                               "PRODUTOS", "CAMINHO BD DESTINO", "CAMINHO BD ORIGEM"};
    QCheckBox* const caixas[] = {janela.chkCLientes, janela.chkFornecedores, janela.chkProdutos,
                                 janela.chkGruposProdutos, janela.chkClassificacaoFiscal};
    struct Caso {
        const char* marcadas;  // C F P G X, in the layout's order
        QStringList linhas;    // after the seven bare names
    } casos[] = {
        {"", {}},
        {"CP", {"CLIENTES=S", "PRODUTOS=S"}},
        {"PG", {"GRUPOSPRODUTOS=S", "PRODUTOS=S"}},
        {"X", {"CLASSIFICACAOFISCAL=S"}},
        {"CFPGX",
         {"CLIENTES=S", "FORNECEDORES=S", "GRUPOSPRODUTOS=S", "CLASSIFICACAOFISCAL=S", "PRODUTOS=S"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.marcadas);
        const QString marcadas = QLatin1String(c.marcadas);
        for (int i = 0; i < 5; ++i)
            caixas[i]->setChecked(marcadas.contains(QLatin1Char("CFPGX"[i])));
        ListaParametros lista;
        janela.pIniciaListaParametros(lista);
        janela.pCarregaParametros(lista);
        EXPECT_EQ(lista.lines(), nomes + c.linhas);
        for (const auto& g : TClassesConversaoController::grupos())
            EXPECT_EQ(lista.value(g.chave.toLower()),
                      c.linhas.contains(g.chave + QStringLiteral("=S")) ? QStringLiteral("S") : QString())
                << qPrintable(g.chave);
        EXPECT_EQ(lista.value(QStringLiteral("CAMINHO BD DESTINO")), QString());
        EXPECT_EQ(lista.value(QStringLiteral("CAMINHO BD ORIGEM")), QString());
    }
}

TEST_F(MainWindow, ConverterOnlyWarnsWithoutAPathOrWithoutAUsableConnection)
{
    ArquivoDestino arquivo;
    struct Caso {
        const char* situacao;
        std::function<void()> prepara;
        QString aviso;
    } casos[] = {
        {"empty path", [] {}, kAvisoCaminho},
        {"a blank is a path", [&] { janela.edtCaminhoBDDestino->setText(QStringLiteral(" ")); },
         kAvisoConexao},
        {"path never opened", [&] { janela.edtCaminhoBDDestino->setText(arquivo.caminho); },
         kAvisoConexao},
    };
    bool controladorCriado = false;
    janela.criaControlador = [&] {
        controladorCriado = true;
        return std::make_unique<TClassesConversaoController>();
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.situacao);
        mensagens.list.clear();
        mensagens.estados.clear();
        c.prepara();
        janela.btnConverter->click();
        ASSERT_EQ(mensagens.list.size(), 1u);
        EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("warning"));
        EXPECT_EQ(mensagens.list[0].text, c.aviso);
        EXPECT_EQ(mensagens.estados[0], kHabilitados) << "warned before disabling anything";
        EXPECT_FALSE(controladorCriado);
        EXPECT_EQ(estadoDe(janela), kHabilitados);
    }
    EXPECT_TRUE(kAvisoConexao.endsWith(QLatin1Char(' ')));
}

TEST_F(MainWindow, AbrirStartsInTheProgramFolderAndOpensTheChosenFile)
{
    ArquivoDestino arquivo(QStringLiteral("destino.fb"));
    abre(arquivo.caminho);
    EXPECT_TRUE(mensagens.list.empty());
    EXPECT_EQ(pastasPedidas, QStringList{QCoreApplication::applicationDirPath()});
    EXPECT_EQ(janela.edtCaminhoBDDestino->text(), arquivo.caminho);
    EXPECT_EQ(janela.ibdQuelvar.databaseName(), arquivo.caminho);
    EXPECT_TRUE(janela.ibdQuelvar.connected());
    EXPECT_TRUE(janela.ibtTransacaoQuelvar.active());
    EXPECT_EQ(janela.ibdQuelvar.sqlDialect(), 1);

    // The next "Abrir" starts where the chosen file lies, then where the newer one does.
    ArquivoDestino outro(QStringLiteral("outro.fb"));
    abre(outro.caminho);
    abre(arquivo.caminho);
    EXPECT_EQ(pastasPedidas, (QStringList{QCoreApplication::applicationDirPath(),
                                          QDir(arquivo.pasta()).absolutePath(),
                                          QDir(outro.pasta()).absolutePath()}));
    EXPECT_EQ(janela.edtCaminhoBDDestino->text(), arquivo.caminho);
}

TEST(WindowOpenFolder, ProgramFolderFirstThenTheChosenFilesFolderWhileItExists)
{
    ArquivoDestino arquivo;
    const QString programa = QCoreApplication::applicationDirPath();
    const QString sumida = arquivo.pasta() + QStringLiteral("/sumiu/DESTINO.FB");
    const struct {
        QString campo;
        QString pasta;
    } casos[] = {
        {QString(), programa},
        {arquivo.caminho, QDir(arquivo.pasta()).absolutePath()},
        {sumida, programa},  // the folder was removed since: back to the program's
    };
    for (const auto& c : casos)
        EXPECT_EQ(TFPrincipal::pastaInicialAbrir(c.campo), c.pasta) << qPrintable(c.campo);
}

TEST_F(MainWindow, AbrirCancelledKeepsTheOldPathButLeavesTheTargetClosed)
{
    ArquivoDestino arquivo;
    abre(arquivo.caminho);
    ASSERT_TRUE(janela.ibtTransacaoQuelvar.active());
    abre(QString());
    EXPECT_EQ(pastasPedidas, (QStringList{QCoreApplication::applicationDirPath(),
                                          QDir(arquivo.pasta()).absolutePath()}));
    EXPECT_EQ(janela.edtCaminhoBDDestino->text(), arquivo.caminho);
    EXPECT_FALSE(janela.ibdQuelvar.connected());
    EXPECT_FALSE(janela.ibtTransacaoQuelvar.active());
    EXPECT_TRUE(mensagens.list.empty());

    janela.btnConverter->click();
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(mensagens.list[0].text, kAvisoConexao);
}

TEST_F(MainWindow, AbrirOnAFileThatIsNoDatabaseShowsTheServersMessage)
{
    ArquivoDestino bom;
    const QString lixo = bom.pasta() + QStringLiteral("/LIXO.FB");
    {
        QFile f(lixo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    const QString ausente = bom.pasta() + QStringLiteral("/NAOEXISTE.FB");
    for (const QString& caminho : {lixo, ausente}) {
        SCOPED_TRACE(qPrintable(caminho));
        // What the server says about this file when asked directly.
        QString esperado;
        {
            TargetDatabase outro;
            outro.setDatabaseName(caminho);
            try {
                outro.connect();
                ADD_FAILURE() << "the file opened";
            } catch (const AppError& e) {
                esperado = e.message();
            }
        }
        ASSERT_FALSE(esperado.isEmpty());
        abre(bom.caminho);  // from an open target
        mensagens.list.clear();
        abre(caminho);
        ASSERT_EQ(mensagens.list.size(), 1u);
        EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
        EXPECT_EQ(mensagens.list[0].text, esperado);
        EXPECT_EQ(janela.edtCaminhoBDDestino->text(), caminho);
        EXPECT_FALSE(janela.ibdQuelvar.connected());
        EXPECT_FALSE(janela.ibtTransacaoQuelvar.active());
        EXPECT_EQ(estadoDe(janela), kHabilitados);
    }
}

TEST_F(MainWindow, RunWithNoGroupCommitsAndReportsSuccessWithTheControlsOffMeanwhile)
{
    ArquivoDestino arquivo;
    abre(arquivo.caminho);
    // Each of the four controls switched off, then on, in the order of the form.
    struct Registro : QObject {
        QStringList trocas;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::EnabledChange)
                trocas.append(o->objectName() +
                              (static_cast<QWidget*>(o)->isEnabled() ? QStringLiteral("+") : QStringLiteral("-")));
            return false;
        }
    } registro;
    for (QWidget* w : {static_cast<QWidget*>(janela.btnAbrir), static_cast<QWidget*>(janela.btnConverter),
                       static_cast<QWidget*>(janela.btnSair), static_cast<QWidget*>(janela.gbxTabelasConverter)})
        w->installEventFilter(&registro);

    for (int rodada = 1; rodada <= 2; ++rodada) {
        SCOPED_TRACE(rodada);
        mensagens.list.clear();
        mensagens.estados.clear();
        registro.trocas.clear();
        janela.btnConverter->click();
        ASSERT_EQ(mensagens.list.size(), 1u);
        EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("information"));
        EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kSucesso);
        EXPECT_TRUE(depoisDaPrimeira(mensagens.list[0].text).startsWith(kCopia)) << mensagens.list[0].text.toStdString();
        EXPECT_EQ(mensagens.estados[0], kDesabilitados);
        EXPECT_EQ(registro.trocas,
                  QStringList({"btnAbrir-", "btnConverter-", "btnSair-", "gbxTabelasConverter-",
                               "btnAbrir+", "btnConverter+", "btnSair+", "gbxTabelasConverter+"}));
        EXPECT_EQ(estadoDe(janela), kHabilitados);
        EXPECT_FALSE(janela.emConversao());
        EXPECT_EQ(janela.edtCaminhoBDDestino->text(), arquivo.caminho);
        EXPECT_TRUE(janela.ibdQuelvar.connected());
        EXPECT_FALSE(janela.ibtTransacaoQuelvar.active()) << "committed";
        EXPECT_EQ(janela.Barra->position(), 0);
    }
}

TEST_F(MainWindow, RunCallsTheTickedGroupsInTheirOrderWhileTheWindowStaysShutAgainstClosing)
{
    ArquivoDestino arquivo;
    janela.show();
    QtEventPump eventos;
    Platform::setEvents(&eventos);
    abre(arquivo.caminho);
    janela.chkProdutos->setChecked(true);
    janela.chkCLientes->setChecked(true);

    std::vector<Estado> estados;
    QStringList rotulos;
    int fechamentosRecusados = 0;
    usaPreenchedores(3, [&](const QString&, int linha) {
        estados.push_back(estadoDe(janela));
        rotulos.append(janela.lblInfo->text());
        if (linha == 2 && !janela.close() && janela.isVisible())
            ++fechamentosRecusados;
    });
    janela.btnConverter->click();
    Platform::setEvents(nullptr);

    EXPECT_EQ(gruposChamados, QStringList({"CLIENTES", "PRODUTOS"}));
    EXPECT_EQ(rotulos, QStringList({"Convertendo Clientes - Registro 1 de 3",
                                    "Convertendo Clientes - Registro 2 de 3",
                                    "Convertendo Clientes - Registro 3 de 3",
                                    "Convertendo Produtos - Registro 1 de 3",
                                    "Convertendo Produtos - Registro 2 de 3",
                                    "Convertendo Produtos - Registro 3 de 3"}));
    EXPECT_EQ(estados, std::vector<Estado>(6, kDesabilitados));
    EXPECT_EQ(fechamentosRecusados, 2);
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kSucesso);
    EXPECT_EQ(estadoDe(janela), kHabilitados);
    EXPECT_TRUE(janela.chkCLientes->isChecked());
    EXPECT_TRUE(janela.chkProdutos->isChecked());
    EXPECT_FALSE(janela.chkFornecedores->isChecked());
    EXPECT_TRUE(janela.lblInfo->text().isEmpty());
    EXPECT_EQ(janela.Barra->position(), 0);
    EXPECT_TRUE(janela.close()) << "closing works again once the run is over";
}

TEST_F(MainWindow, FailedRunKeepsTheLabelOnTheFailedRowAndEnablesTheControls)
{
    ArquivoDestino arquivo;
    abre(arquivo.caminho);
    janela.chkClassificacaoFiscal->setChecked(true);
    usaPreenchedores(20, [](const QString&, int linha) {
        if (linha == 7)
            throw AppError(QStringLiteral("registro inválido"));
    });
    janela.btnConverter->click();
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kFalha + QStringLiteral("registro inválido"));
    EXPECT_TRUE(depoisDaPrimeira(mensagens.list[0].text).startsWith(kRestaurado)) << mensagens.list[0].text.toStdString();
    EXPECT_EQ(janela.lblInfo->text(), QStringLiteral("Convertendo Classificacao Fiscal - Registro 7 de 20"));
    EXPECT_EQ(janela.lblInfo->pos(), QPoint(8, 267));
    EXPECT_GE(janela.lblInfo->width(),
              janela.lblInfo->fontMetrics().horizontalAdvance(janela.lblInfo->text()))
        << "the label grows with its text";
    EXPECT_EQ(janela.Barra->maximum(), 0);
    EXPECT_EQ(janela.Barra->textoPercentual(), QStringLiteral("0%"));
    EXPECT_EQ(estadoDe(janela), kHabilitados);
    EXPECT_FALSE(janela.ibtTransacaoQuelvar.active());

    // A new run needs no new "Abrir".
    janela.chkClassificacaoFiscal->setChecked(false);
    mensagens.list.clear();
    janela.btnConverter->click();
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kSucesso);
}

TEST_F(MainWindow, AnErrorEscapingTheRunIsShownAfterTheControlsAreBack)
{
    ArquivoDestino arquivo;
    abre(arquivo.caminho);
    janela.criaControlador = []() -> std::unique_ptr<TClassesConversaoController> {
        throw AppError(QStringLiteral("sem controlador"));
    };
    janela.btnConverter->click();
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(mensagens.list[0].text, QStringLiteral("sem controlador"));
    EXPECT_EQ(mensagens.estados[0], kHabilitados);
    EXPECT_FALSE(janela.emConversao());
}

TEST(WindowExit, SairRollsBackAndTheCloseBoxCommits)
{
    RecordingMessages mensagens;
    struct Caso {
        const char* como;
        std::function<void(TFPrincipal&)> sai;
        const char* linhas;  // rows of the insert left in the file
    } casos[] = {
        {"Sair", [](TFPrincipal& j) { j.btnSair->click(); }, "0"},
        {"close box", [](TFPrincipal& j) { j.close(); }, "1"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.como);
        ArquivoDestino arquivo;
        {
            TFPrincipal janela;
            janela.escolheArquivo = [&](QWidget*, const QString&) { return arquivo.caminho; };
            janela.show();
            janela.btnAbrir->click();
            ASSERT_TRUE(janela.ibtTransacaoQuelvar.active());
            TargetQuery q(janela.ibdQuelvar);
            q.setSql(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('99999', 'TESTE', 'SP')"));
            q.execSql();
            c.sai(janela);
            EXPECT_FALSE(janela.isVisible());
            EXPECT_FALSE(janela.ibtTransacaoQuelvar.active());
            janela.ibdQuelvar.disconnect();
        }
        EXPECT_EQ(arquivo.valor(QStringLiteral("SELECT COUNT(*) AS N FROM CIDADES WHERE CODCIDADE = '99999'")),
                  QLatin1String(c.linhas));
        EXPECT_TRUE(mensagens.list.empty());
    }
}

TEST(WindowFileDialog, ListsFbFilesOfAnyCaseFromTheGivenFolder)
{
    ArquivoDestino arquivo;
    std::unique_ptr<QFileDialog> d = TFPrincipal::criaDialogoAbrir(nullptr, arquivo.pasta());
    EXPECT_EQ(d->directory().absolutePath(), QDir(arquivo.pasta()).absolutePath());
    EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("*.FB")});
    EXPECT_FALSE(d->filter() & QDir::CaseSensitive);
    EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
}

TEST(WindowTheme, AppliesTheThemeOrWarnsAndKeepsTheDefaultLook)
{
    RecordingMessages mensagens;
    ASSERT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_FALSE(aplicaTema(*qApp, QStringLiteral(":/tema/NaoExiste.qss")));
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("warning"));
    EXPECT_TRUE(mensagens.list[0].text.startsWith(
        QStringLiteral("Não foi possível aplicar o tema visual \"Turquoise Gray\"")));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());

    mensagens.list.clear();
    EXPECT_TRUE(aplicaTema(*qApp));
    EXPECT_TRUE(mensagens.list.empty());
    {
        // The sheet reaches our own widgets and leaves the header's colours alone.
        TFPrincipal janela;
        janela.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(janela.Barra->property("corBarra").value<QColor>(), QColor(0x2f, 0xa3, 0x9b));
        EXPECT_EQ(janela.Label2->palette().color(QPalette::WindowText), QColor(128, 0, 0));
        const QImage img = janela.grab().toImage();
        EXPECT_EQ(img.pixelColor(300, 5), QColor(Qt::white));
        EXPECT_EQ(janela.font().pixelSize(), 11);
    }
    qApp->setStyleSheet(QString());
}

TEST(WindowMessages, CarriageReturnBreaksTheLine)
{
    const std::pair<QString, QString> casos[] = {
        {QStringLiteral("a") + QChar(13) + QStringLiteral("b"), QStringLiteral("a\nb")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("sem quebra <b>"), QStringLiteral("sem quebra <b>")},
    };
    for (const auto& [entrada, exibido] : casos)
        EXPECT_EQ(TMensagensQt::textoExibido(entrada), exibido);
}

namespace {
// Empties CLIENTE and commits, as a real filler's first step does, then fails on its first row.
class PreenchedorQueApagaEFalha : public Preenchedor {
public:
    void preenche(SourceConnection&, TargetDatabase& d, Gauge&, ProgressLabel& rotulo) override
    {
        TargetQuery q(d, *d.defaultTransaction());
        q.setSql(QStringLiteral("DELETE FROM CLIENTE"));
        q.execSql();
        q.setSql(QStringLiteral("COMMIT"));
        q.execSql();
        rotulo.setText(QStringLiteral("Convertendo Clientes - Registro 1 de 1"));
        throw AppError(QStringLiteral("registro inválido"));
    }
};

void insereCliente(const QString& arquivo, const QString& nome)
{
    TargetDatabase db;
    db.setDatabaseName(arquivo);
    db.connect();
    TargetTransaction tr(&db);
    tr.start();
    {
        TargetQuery q(db, tr);
        q.setSql(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', '%1')").arg(nome));
        q.execSql();
    }
    tr.commit();
    db.disconnect();
}
}  // namespace

TEST_F(MainWindow, AFailedRunPutsTheTargetBackAndSaysSoAfterTheRunsOwnText)
{
    ArquivoDestino arquivo;
    insereCliente(arquivo.caminho, QStringLiteral("ANTERIOR"));
    abre(arquivo.caminho);
    janela.chkCLientes->setChecked(true);
    janela.criaControlador = [] {
        return std::make_unique<TClassesConversaoController>(
            [](const QString&) { return std::make_unique<PreenchedorQueApagaEFalha>(); });
    };
    janela.btnConverter->click();

    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kFalha + QStringLiteral("registro inválido"));
    const QString resto = depoisDaPrimeira(mensagens.list[0].text);
    EXPECT_TRUE(resto.startsWith(kRestaurado)) << resto.toStdString();
    EXPECT_EQ(janela.lblInfo->text(), QStringLiteral("Convertendo Clientes - Registro 1 de 1"));
    // The emptied table holds its row again, and the window can go on with the file.
    EXPECT_EQ(arquivo.valor(QStringLiteral("SELECT LIST(TRIM(NOME)) AS N FROM CLIENTE")), QStringLiteral("ANTERIOR"));
    EXPECT_TRUE(janela.ibdQuelvar.connected());
    EXPECT_FALSE(QFile::exists(CopiaDestino::caminhoMarca(arquivo.caminho)));
    const QString copia = resto.section(QStringLiteral("está em "), 1).chopped(1);
    EXPECT_TRUE(QFile::exists(copia)) << copia.toStdString();
    EXPECT_EQ(estadoDe(janela), kHabilitados);
}

// A marker left by a run that never ended: "Abrir" asks, and only a yes restores.
TEST_F(MainWindow, OpeningAFileWhoseRunDidNotEndAsksBeforeRestoringIt)
{
    for (const bool sim : {true, false}) {
        SCOPED_TRACE(sim ? "yes" : "no");
        ArquivoDestino arquivo;
        insereCliente(arquivo.caminho, QStringLiteral("ANTES"));
        const QString copia = CopiaDestino::copia(arquivo.caminho, QString());
        CopiaDestino::gravaMarca(arquivo.caminho, copia);
        // What a killed run left: the table emptied.
        {
            TargetDatabase db;
            db.setDatabaseName(arquivo.caminho);
            db.connect();
            TargetTransaction tr(&db);
            tr.start();
            TargetQuery q(db, tr);
            q.setSql(QStringLiteral("DELETE FROM CLIENTE"));
            q.execSql();
            q.close();
            tr.commit();
            db.disconnect();
        }
        mensagens.list.clear();
        mensagens.perguntas.clear();
        mensagens.resposta = sim;
        abre(arquivo.caminho);

        ASSERT_EQ(mensagens.perguntas.size(), 1);
        EXPECT_TRUE(mensagens.perguntas[0].contains(QStringLiteral("foi interrompida"))) << mensagens.perguntas[0].toStdString();
        EXPECT_TRUE(mensagens.perguntas[0].contains(copia)) << mensagens.perguntas[0].toStdString();
        EXPECT_TRUE(janela.ibdQuelvar.connected());
        janela.ibtTransacaoQuelvar.commit();
        janela.ibdQuelvar.disconnect();
        EXPECT_EQ(arquivo.valor(QStringLiteral("SELECT LIST(TRIM(NOME)) AS N FROM CLIENTE")),
                  sim ? QStringLiteral("ANTES") : QString());
        EXPECT_FALSE(QFile::exists(CopiaDestino::caminhoMarca(arquivo.caminho)));
        EXPECT_TRUE(QFile::exists(copia)) << "the copy is kept either way";
    }
}

// SIGINT or SIGTERM to the window's process during a run: the run stops at the next row, the
// target is put back, the message says the run was interrupted, and then the window closes.
TEST_F(MainWindow, ASignalDuringARunStopsItRestoresTheTargetAndClosesTheWindow)
{
    ArquivoDestino arquivo;
    insereCliente(arquivo.caminho, QStringLiteral("ANTERIOR"));
    janela.show();
    abre(arquivo.caminho);
    janela.chkCLientes->setChecked(true);
    QStringList rotulos;
    janela.criaControlador = [&] {
        return std::make_unique<TClassesConversaoController>([&](const QString&) {
            return std::make_unique<PreenchedorDeTeste>(QStringLiteral("Convertendo Clientes - Registro "), 5,
                                                        [&](int linha) {
                                                            rotulos.append(janela.lblInfo->text());
                                                            if (linha == 2) {
                                                                TargetQuery q(janela.ibdQuelvar, janela.ibtTransacaoQuelvar);
                                                                q.setSql(QStringLiteral("DELETE FROM CLIENTE"));
                                                                q.execSql();
                                                                q.setSql(QStringLiteral("COMMIT"));
                                                                q.execSql();
                                                                Interrupcao::pede(SIGTERM);
                                                            }
                                                        });
        });
    };
    janela.btnConverter->click();

    EXPECT_EQ(rotulos.size(), 2) << "the run went on past the signal";
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(primeiraLinha(mensagens.list[0].text), kFalha + QStringLiteral("Conversão interrompida pelo usuário."));
    EXPECT_TRUE(depoisDaPrimeira(mensagens.list[0].text).startsWith(kRestaurado)) << mensagens.list[0].text.toStdString();
    EXPECT_FALSE(Interrupcao::pedida());
    QCoreApplication::processEvents();
    EXPECT_FALSE(janela.isVisible()) << "the window closes once the run is undone";
    EXPECT_EQ(arquivo.valor(QStringLiteral("SELECT LIST(TRIM(NOME)) AS N FROM CLIENTE")), QStringLiteral("ANTERIOR"));
}
