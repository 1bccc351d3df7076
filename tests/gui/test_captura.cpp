// The window as painted with its theme, idle and in the middle of a run, and the "Abrir" dialog
// and message boxes in Portuguese. With OSTREVO_CAPTURA_DIR set (scripts/screenshot) the
// pictures are also kept as PNG files.
#include "AmbienteQt.h"
#include "ApoioJanela.h"
#include "Recorders.h"
#include "app/UClassesConversaoController.h"
#include "app/gui/PlataformaQt.h"
#include "app/gui/TBarraProgresso.h"
#include "app/gui/TRotuloProgresso.h"
#include "app/gui/UPrincipal.h"
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace {
void guarda(const QImage& img, const QString& nome)
{
    const QString pasta = qEnvironmentVariable("OSTREVO_CAPTURA_DIR");
    if (pasta.isEmpty())
        return;
    QDir().mkpath(pasta);
    const QString caminho = pasta + QLatin1Char('/') + nome;
    EXPECT_TRUE(img.save(caminho, "PNG")) << qPrintable(caminho);
}

// Columns of the gauge's inner top row painted in the bar's colour.
int colunasCheias(const QImage& janela, const TBarraProgresso& barra)
{
    const QColor cor = barra.property("corBarra").value<QColor>();
    const QPoint origem = barra.geometry().topLeft();
    int n = 0;
    for (int x = 1; x < barra.width() - 1; ++x)
        n += janela.pixelColor(origem + QPoint(x, 1)).rgb() == cor.rgb();
    return n;
}
}  // namespace

TEST(WindowCapture, IdleAndDuringARun)
{
    RecordingMessages mensagens;
    ASSERT_TRUE(aplicaTema(*qApp));
    qApp->setFont(fontePadrao());
    ArquivoDestino arquivo(QStringLiteral("QUELVAR.FB"));
    QtEventPump eventos;
    Platform::setEvents(&eventos);
    {
        TFPrincipal janela;
        janela.escolheArquivo = [&](QWidget*, const QString&) { return arquivo.caminho; };
        janela.show();
        QCoreApplication::processEvents();

        const QImage ociosa = janela.grab().toImage();
        guarda(ociosa, QStringLiteral("janela-ociosa.png"));
        EXPECT_EQ(ociosa.size(), QSize(628, 334));
        EXPECT_EQ(ociosa.pixelColor(300, 5), QColor(Qt::white));
        EXPECT_EQ(colunasCheias(ociosa, *janela.Barra), 0);

        janela.btnAbrir->click();
        janela.chkCLientes->setChecked(true);
        janela.chkProdutos->setChecked(true);
        QImage convertendo;
        QString rotulo;
        int percentual = -1;
        janela.criaControlador = [&] {
            return std::make_unique<TClassesConversaoController>([&](const QString& chave) {
                return std::make_unique<PreenchedorDeTeste>(
                    TClassesConversaoController::grupos().front().prefixo, chave == QLatin1String("CLIENTES") ? 340 : 0,
                    [&](int linha) {
                        if (linha != 120)
                            return;
                        QCoreApplication::processEvents();
                        convertendo = janela.grab().toImage();
                        rotulo = janela.lblInfo->text();
                        percentual = janela.Barra->percent();
                    });
            });
        };
        janela.btnConverter->click();
        ASSERT_FALSE(convertendo.isNull());
        guarda(convertendo, QStringLiteral("janela-convertendo.png"));
        EXPECT_EQ(rotulo, QStringLiteral("Convertendo Clientes - Registro 120 de 340"));
        EXPECT_EQ(percentual, 35);  // 119 rows done of 340
        EXPECT_EQ(colunasCheias(convertendo, *janela.Barra), 609 * 35 / 100);

        ASSERT_EQ(mensagens.list.size(), 1u);
        EXPECT_EQ(mensagens.list[0].text.section(QChar(13), 0, 0), QStringLiteral("Conversão concluída com sucesso!"));
        janela.ibdQuelvar.disconnect();
    }
    Platform::setEvents(nullptr);
    qApp->setStyleSheet(QString());
}

namespace {
// Lets the dialog's folder listing (filled by a thread of its own) arrive before the picture.
void esperaLista(QFileDialog& d)
{
    auto* lista = d.findChild<QListView*>(QStringLiteral("listView"));
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < 3000 &&
           !(lista && lista->model() && lista->model()->rowCount(lista->rootIndex()) > 0)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    QCoreApplication::processEvents();
}
}  // namespace

TEST(WindowCapture, AbrirDialogAndWarningBoxInPortuguese)
{
    ASSERT_TRUE(instalaTraducao(*qApp));
    ASSERT_TRUE(aplicaTema(*qApp));
    qApp->setFont(fontePadrao());
    ArquivoDestino arquivo(QStringLiteral("QUELVAR.FB"));
    {
        std::unique_ptr<QFileDialog> d = TFPrincipal::criaDialogoAbrir(nullptr, arquivo.pasta());
        d->resize(640, 400);
        d->show();
        esperaLista(*d);
        const QImage img = d->grab().toImage();
        guarda(img, QStringLiteral("dialogo-abrir.png"));
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Abrir"));
        EXPECT_FALSE(img.isNull());
    }
    {
        auto caixa = TMensagensQt::criaCaixa(QMessageBox::Warning,
                                             QStringLiteral("O caminho do banco de dados está vazio!"));
        caixa->show();
        QCoreApplication::processEvents();
        const QImage img = caixa->grab().toImage();
        guarda(img, QStringLiteral("caixa-aviso.png"));
        EXPECT_EQ(caixa->windowTitle(), QStringLiteral("Aviso"));
        EXPECT_FALSE(img.isNull());
    }
    {
        auto caixa = TMensagensQt::criaCaixa(QMessageBox::Question,
                                             QStringLiteral("Restaurar o arquivo a partir dessa cópia?"));
        caixa->show();
        QCoreApplication::processEvents();
        guarda(caixa->grab().toImage(), QStringLiteral("caixa-pergunta.png"));
    }
    qApp->setStyleSheet(QString());
}
