#include "app/gui/UPrincipal.h"
#include "app/ConversaoProtegida.h"
#include "app/CopiaDestino.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "app/gui/PlataformaQt.h"
#include "app/gui/TBarraProgresso.h"
#include "app/gui/TFigura.h"
#include "app/gui/TRotuloProgresso.h"
#include "common/AppError.h"
#include "platform/Platform.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto, const QString& icone,
                   const QRect& r)
{
    auto* b = new QPushButton(QIcon(icone), texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setIconSize(QSize(16, 16));
    b->setGeometry(r);
    return b;
}

QCheckBox* caixa(QWidget* pai, const char* nome, const QString& texto, const QRect& r)
{
    auto* c = new QCheckBox(texto, pai);
    c->setObjectName(QLatin1String(nome));
    c->setFont(fontePadrao());  // the group box's caption is bold, its boxes are not
    c->setGeometry(r);
    return c;
}
}  // namespace

TFPrincipal::TFPrincipal(QWidget* parent) : QWidget(parent)
{
    inicializaRecursos();
    setObjectName(QStringLiteral("FPrincipal"));
    setWindowTitle(QStringLiteral("Conversor Farmácia Ostrevo"));
    // Fixed size: system menu and minimize box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(628, 334);
    move(342, 110);
    setFont(fontePadrao());
    setAttribute(Qt::WA_StyledBackground);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    ibdQuelvar.setUserName(QStringLiteral("SYSDBA"));
    ibdQuelvar.setPassword(QStringLiteral("velorquin"));
    ibdQuelvar.setDefaultTransaction(&ibtTransacaoQuelvar);

    criaControles();
    defineOrdemFoco();
}

TFPrincipal::~TFPrincipal() { encerraTransacao(); }

void TFPrincipal::criaControles()
{
    pnlCabecalho = new QFrame(this);
    pnlCabecalho->setObjectName(QStringLiteral("pnlCabecalho"));
    pnlCabecalho->setGeometry(0, 0, 633, 73);
    pnlCabecalho->setAutoFillBackground(true);
    QPalette branco = pnlCabecalho->palette();
    branco.setColor(QPalette::Window, Qt::white);
    pnlCabecalho->setPalette(branco);

    imgLogo = new TFigura(QStringLiteral(":/imagens/logo.png"), pnlCabecalho);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(1, 10, 137, 64);
    imgComp = new TFigura(QStringLiteral(":/imagens/conversao.png"), pnlCabecalho);
    imgComp->setObjectName(QStringLiteral("imgComp"));
    imgComp->setGeometry(503, 1, 132, 71);

    Label2 = new QLabel(QStringLiteral("Ferramenta de Conversão de Dados - Farmácia Ostrevo"),
                        pnlCabecalho);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(150, 25, 422, 18);
    Label2->setFont(fontePadrao(15, true));
    QPalette marrom = Label2->palette();
    marrom.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label2->setPalette(marrom);

    edtCaminhoBDOrigem = new QLineEdit(QStringLiteral("pelbrix"), this);
    edtCaminhoBDOrigem->setObjectName(QStringLiteral("edtCaminhoBDOrigem"));
    edtCaminhoBDOrigem->setGeometry(5, 105, 164, 21);
    edtCaminhoBDOrigem->setFont(fontePadrao(11, true));
    edtCaminhoBDOrigem->setReadOnly(true);
    edtCaminhoBDOrigem->setEnabled(false);

    Label1 = new QLabel(QStringLiteral("Caminho do Banco de Dados Quelvar: "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 130, 210, 13);
    Label1->setFont(fontePadrao(11, true));

    edtCaminhoBDDestino = new QLineEdit(this);
    edtCaminhoBDDestino->setObjectName(QStringLiteral("edtCaminhoBDDestino"));
    edtCaminhoBDDestino->setGeometry(5, 148, 516, 21);
    edtCaminhoBDDestino->setEnabled(false);  // filled by "Abrir" only

    btnAbrir = botao(this, "btnAbrir", QStringLiteral("Abrir"),
                     QStringLiteral(":/imagens/abrir.png"), QRect(533, 145, 83, 25));

    gbxTabelasConverter = new QGroupBox(QStringLiteral("Tabelas à converter"), this);
    gbxTabelasConverter->setObjectName(QStringLiteral("gbxTabelasConverter"));
    gbxTabelasConverter->setGeometry(5, 176, 612, 86);
    gbxTabelasConverter->setFont(fontePadrao(11, true));
    chkCLientes = caixa(gbxTabelasConverter, "chkCLientes", QStringLiteral("Clientes"),
                        QRect(10, 21, 97, 17));
    chkFornecedores = caixa(gbxTabelasConverter, "chkFornecedores",
                            QStringLiteral("Fornecedores"), QRect(155, 21, 97, 17));
    chkProdutos = caixa(gbxTabelasConverter, "chkProdutos", QStringLiteral("Produtos"),
                        QRect(320, 21, 97, 17));
    chkGruposProdutos = caixa(gbxTabelasConverter, "chkGruposProdutos",
                              QStringLiteral("Grupos de Produtos"), QRect(10, 52, 147, 17));
    chkClassificacaoFiscal = caixa(gbxTabelasConverter, "chkClassificacaoFiscal",
                                   QStringLiteral("Classificação Fiscal"), QRect(155, 52, 147, 17));

    lblInfo = new TRotuloProgresso(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setFont(fontePadrao(11, true));
    lblInfo->move(8, 267);
    lblInfo->setText(QString());

    Barra = new TBarraProgresso(this);
    Barra->setObjectName(QStringLiteral("Barra"));
    Barra->setGeometry(6, 283, 611, 15);

    btnConverter = botao(this, "btnConverter", QStringLiteral("Converter"),
                         QStringLiteral(":/imagens/converter.png"), QRect(445, 305, 83, 25));
    btnSair = botao(this, "btnSair", QStringLiteral("Sair"), QStringLiteral(":/imagens/sair.png"),
                    QRect(533, 306, 83, 25));

    connect(btnAbrir, &QPushButton::clicked, this, [this] { executaProtegido([this] { btnAbrirClick(); }); });
    connect(btnConverter, &QPushButton::clicked, this,
            [this] { executaProtegido([this] { btnConverterClick(); }); });
    connect(btnSair, &QPushButton::clicked, this, [this] { executaProtegido([this] { btnSairClick(); }); });
}

void TFPrincipal::defineOrdemFoco()
{
    // The group box itself takes no focus; its boxes stand in its place in the order.
    const QList<QWidget*> ordem = {chkCLientes,  chkFornecedores, chkProdutos,
                                   chkGruposProdutos, chkClassificacaoFiscal, edtCaminhoBDDestino,
                                   pnlCabecalho, btnAbrir,        btnConverter,
                                   btnSair,      edtCaminhoBDOrigem};
    for (int i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);
    chkCLientes->setFocus();
}

QString TFPrincipal::mensagemDe(const std::exception& e)
{
    if (auto* app = dynamic_cast<const AppError*>(&e))
        return app->message();
    return QString::fromUtf8(e.what());
}

void TFPrincipal::executaProtegido(const std::function<void()>& acao)
{
    try {
        acao();
    } catch (const std::exception& e) {
        Platform::messages().error(mensagemDe(e));
    } catch (...) {
        Platform::messages().error(QStringLiteral("Erro desconhecido."));
    }
}

std::unique_ptr<QFileDialog> TFPrincipal::criaDialogoAbrir(QWidget* pai, const QString& pasta)
{
    auto dialogo = std::make_unique<QFileDialog>(pai, QString(), pasta);
    // Qt's own dialog: its name filter follows the model's case sensitivity, which is off here,
    // so "*.FB" also lists "destino.fb".
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    dialogo->setAcceptMode(QFileDialog::AcceptOpen);
    dialogo->setFileMode(QFileDialog::ExistingFile);
    dialogo->setFilter(dialogo->filter() & ~QDir::CaseSensitive);
    dialogo->setNameFilter(QStringLiteral("*.FB"));
    dialogo->setDirectory(pasta);
    return dialogo;
}

QString TFPrincipal::escolheArquivoPorDialogo(QWidget* pai, const QString& pasta)
{
    std::unique_ptr<QFileDialog> dialogo = criaDialogoAbrir(pai, pasta);
    if (dialogo->exec() != QDialog::Accepted)
        return QString();
    const QStringList escolhidos = dialogo->selectedFiles();
    return escolhidos.isEmpty() ? QString() : escolhidos.first();
}

QString TFPrincipal::pastaInicialAbrir(const QString& caminhoEscolhido)
{
    // The first choice starts beside the program; later ones where the operator went last,
    // unless that folder has gone meanwhile.
    if (!caminhoEscolhido.isEmpty()) {
        const QDir pasta = QFileInfo(caminhoEscolhido).absoluteDir();
        if (pasta.exists())
            return pasta.absolutePath();
    }
    return QCoreApplication::applicationDirPath();
}

void TFPrincipal::btnAbrirClick()
{
    // Always closed first: a cancelled dialog leaves no target open.
    if (ibtTransacaoQuelvar.active())
        ibtTransacaoQuelvar.forceRollback();
    ibdQuelvar.disconnect();

    const QString pasta = pastaInicialAbrir(edtCaminhoBDDestino->text());
    const QString caminho =
        escolheArquivo ? escolheArquivo(this, pasta) : escolheArquivoPorDialogo(this, pasta);
    if (caminho.isEmpty())
        return;
    edtCaminhoBDDestino->setText(caminho);
    verificaConversaoInterrompida(caminho);
    ibdQuelvar.setDatabaseName(caminho);
    ibdQuelvar.connect();
    if (ibdQuelvar.testConnected())
        ibtTransacaoQuelvar.start();
}

void TFPrincipal::verificaConversaoInterrompida(const QString& caminho)
{
    const auto marca = CopiaDestino::leMarca(caminho);
    if (!marca)
        return;
    // Nothing is put back over the file without the operator's yes, asked here.
    const bool restaurar = Platform::messages().question(
        TConversaoProtegida::textoMarca(caminho, *marca) + QChar(13) + QChar(13) +
        QStringLiteral("Restaurar o arquivo a partir dessa cópia?") + QChar(13) +
        QStringLiteral("Sim: o arquivo volta a ser como era antes da conversão. Não: o arquivo segue como está "
                       "e a cópia é mantida."));
    if (restaurar)
        CopiaDestino::restaura(caminho, marca->copia);
    CopiaDestino::removeMarca(caminho);
    if (restaurar)
        Platform::messages().information(
            QStringLiteral("O arquivo foi restaurado a partir de %1 e contém o que continha antes da conversão "
                           "interrompida.").arg(marca->copia));
}

bool TFPrincipal::VerificaCaminhoBDVazio()
{
    if (!edtCaminhoBDDestino->text().isEmpty())
        return false;
    Platform::messages().warning(QStringLiteral("O caminho do banco de dados está vazio!"));
    return true;
}

bool TFPrincipal::VerificaConexaoBD()
{
    if (ibdQuelvar.testConnected())
        return false;
    Platform::messages().warning(QStringLiteral(
        "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
        "selecionado é válido! "));
    return true;
}

void TFPrincipal::DesabilitaBotoes()
{
    btnAbrir->setEnabled(false);
    btnConverter->setEnabled(false);
    btnSair->setEnabled(false);
    gbxTabelasConverter->setEnabled(false);
}

void TFPrincipal::HabilitaBotoes()
{
    btnAbrir->setEnabled(true);
    btnConverter->setEnabled(true);
    btnSair->setEnabled(true);
    gbxTabelasConverter->setEnabled(true);
}

void TFPrincipal::pIniciaListaParametros(ListaParametros& lista)
{
    for (const QString& nome : GruposConversao::linhasParametros())
        lista.add(nome);
}

void TFPrincipal::pCarregaParametros(ListaParametros& lista)
{
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {chkCLientes, "CLIENTES"},
        {chkFornecedores, "FORNECEDORES"},
        {chkGruposProdutos, "GRUPOSPRODUTOS"},
        {chkClassificacaoFiscal, "CLASSIFICACAOFISCAL"},
        {chkProdutos, "PRODUTOS"},
    };
    for (const auto& [caixa, nome] : caixas)
        if (caixa->isChecked())
            lista.setValue(QLatin1String(nome), QStringLiteral("S"));
}

void TFPrincipal::btnConverterClick()
{
    if (VerificaCaminhoBDVazio())
        return;
    if (VerificaConexaoBD())
        return;

    // Declared first so that it runs last: the list and the controller are gone by then.
    struct Reabilita {
        TFPrincipal* janela;
        ~Reabilita()
        {
            janela->m_emConversao = false;
            janela->HabilitaBotoes();
        }
    } reabilita{this};
    m_emConversao = true;
    DesabilitaBotoes();

    ListaParametros MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams);
    std::unique_ptr<TClassesConversaoController> controlador =
        criaControlador ? criaControlador() : std::make_unique<TClassesConversaoController>();
    // The controller's run inside the safety net: a failed or interrupted run puts the file
    // back as it was before the run.
    TConversaoProtegida protegida(*controlador);
    protegida.FEfetuaConversao(MParams, scoBdOrigem, ibdQuelvar, ibtTransacaoQuelvar, *Barra, *lblInfo);
    // A signal to stop the program came during the run: the run was undone, now the program ends.
    if (protegida.desfecho() == TConversaoProtegida::Desfecho::Interrompida)
        QTimer::singleShot(0, this, [this] { close(); });
}

void TFPrincipal::btnSairClick()
{
    if (ibtTransacaoQuelvar.active())
        ibtTransacaoQuelvar.rollback();
    close();
}

void TFPrincipal::encerraTransacao()
{
    // A transaction still active when the window goes holds no work: its default action, commit.
    if (!ibtTransacaoQuelvar.active())
        return;
    try {
        ibtTransacaoQuelvar.commit();
    } catch (const std::exception& e) {
        Platform::messages().error(mensagemDe(e));
    }
}

void TFPrincipal::closeEvent(QCloseEvent* event)
{
    // The close box stays live while a run processes its events; closing then would commit a
    // half-converted group and pull the connections from under the run.
    if (m_emConversao) {
        event->ignore();
        return;
    }
    encerraTransacao();
    event->accept();
}
