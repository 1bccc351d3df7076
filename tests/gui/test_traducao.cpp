// Qt's own texts in Brazilian Portuguese: the file dialog of "Abrir" and the message boxes, with
// the English ones back when the catalogue cannot be read.
#include "AmbienteQt.h"
#include "app/gui/PlataformaQt.h"
#include "app/gui/UPrincipal.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {
// A button's or label's text as the operator reads it, without the mnemonic's "&".
QString semAtalho(QString t)
{
    return t.remove(QLatin1Char('&'));
}

struct TextosDialogo {
    QString titulo, aceitar, cancelar, nomeArquivo, tipoArquivo, procurarEm;
};
TextosDialogo textosDe(const QFileDialog& d)
{
    TextosDialogo t;
    t.titulo = d.windowTitle();
    if (auto* caixa = d.findChild<QDialogButtonBox*>())
        for (QAbstractButton* b : caixa->buttons()) {
            if (caixa->buttonRole(b) == QDialogButtonBox::AcceptRole)
                t.aceitar = semAtalho(b->text());
            else if (caixa->buttonRole(b) == QDialogButtonBox::RejectRole)
                t.cancelar = semAtalho(b->text());
        }
    auto rotulo = [&d](const char* nome) {
        auto* l = d.findChild<QLabel*>(QLatin1String(nome));
        return l ? semAtalho(l->text()) : QStringLiteral("(sem %1)").arg(QLatin1String(nome));
    };
    t.nomeArquivo = rotulo("fileNameLabel");
    t.tipoArquivo = rotulo("fileTypeLabel");
    t.procurarEm = rotulo("lookInLabel");
    return t;
}

struct Idioma {
    const char* nome;
    TextosDialogo dialogo;
    QString aviso, informacao, erro, pergunta, ok, sim, nao;
};
const Idioma kPortugues{
    "pt_BR",
    {QStringLiteral("Abrir"), QStringLiteral("Abrir"), QStringLiteral("Cancelar"),
     QStringLiteral("Nome do arquivo:"), QStringLiteral("Arquivos do tipo:"), QStringLiteral("Procurar em:")},
    QStringLiteral("Aviso"), QStringLiteral("Informação"), QStringLiteral("Erro"), QStringLiteral("Pergunta"),
    QStringLiteral("OK"), QStringLiteral("Sim"), QStringLiteral("Não")};
const Idioma kIngles{
    "en",
    {QStringLiteral("Open"), QStringLiteral("Open"), QStringLiteral("Cancel"),
     QStringLiteral("File name:"), QStringLiteral("Files of type:"), QStringLiteral("Look in:")},
    QStringLiteral("Warning"), QStringLiteral("Information"), QStringLiteral("Error"), QStringLiteral("Question"),
    QStringLiteral("OK"), QStringLiteral("Yes"), QStringLiteral("No")};

void confere(const Idioma& esperado)
{
    SCOPED_TRACE(esperado.nome);
    {
        std::unique_ptr<QFileDialog> d = TFPrincipal::criaDialogoAbrir(nullptr, QDir::tempPath());
        const TextosDialogo t = textosDe(*d);
        EXPECT_EQ(t.titulo, esperado.dialogo.titulo);
        EXPECT_EQ(t.aceitar, esperado.dialogo.aceitar);
        EXPECT_EQ(t.cancelar, esperado.dialogo.cancelar);
        EXPECT_EQ(t.nomeArquivo, esperado.dialogo.nomeArquivo);
        EXPECT_EQ(t.tipoArquivo, esperado.dialogo.tipoArquivo);
        EXPECT_EQ(t.procurarEm, esperado.dialogo.procurarEm);
    }
    const std::pair<QMessageBox::Icon, QString> titulos[] = {
        {QMessageBox::Warning, esperado.aviso},
        {QMessageBox::Information, esperado.informacao},
        {QMessageBox::Critical, esperado.erro},
        {QMessageBox::Question, esperado.pergunta},
    };
    for (const auto& [tipo, titulo] : titulos) {
        auto caixa = TMensagensQt::criaCaixa(tipo, QStringLiteral("texto"));
        EXPECT_EQ(caixa->windowTitle(), titulo) << tipo;
        EXPECT_EQ(caixa->icon(), tipo);
        const QList<QAbstractButton*> botoes = caixa->buttons();
        if (tipo == QMessageBox::Question) {
            ASSERT_EQ(botoes.size(), 2);
            ASSERT_NE(caixa->button(QMessageBox::Yes), nullptr);
            ASSERT_NE(caixa->button(QMessageBox::No), nullptr);
            EXPECT_EQ(semAtalho(caixa->button(QMessageBox::Yes)->text()), esperado.sim);
            EXPECT_EQ(semAtalho(caixa->button(QMessageBox::No)->text()), esperado.nao);
            EXPECT_EQ(caixa->defaultButton(), caixa->button(QMessageBox::No));
        } else {
            ASSERT_EQ(botoes.size(), 1) << tipo;
            ASSERT_NE(caixa->button(QMessageBox::Ok), nullptr);
            EXPECT_EQ(semAtalho(caixa->button(QMessageBox::Ok)->text()), esperado.ok);
        }
    }
}
}  // namespace

TEST(WindowTranslation, QtsOwnTextsArePortugueseAndEnglishComesBackWithoutTheCatalogue)
{
    QTemporaryDir semCatalogo;
    const struct {
        QString pasta;
        bool instalada;
        const Idioma* idioma;
    } casos[] = {
        {pastaTraducoesQt(), true, &kPortugues},
        {semCatalogo.path(), false, &kIngles},  // a failed load must not leave the old one behind
        {pastaTraducoesQt(), true, &kPortugues},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(qPrintable(c.pasta));
        EXPECT_EQ(instalaTraducao(*qApp, c.pasta), c.instalada);
        EXPECT_EQ(traducaoInstalada(), c.instalada);
        confere(*c.idioma);
    }
}

TEST(WindowTranslation, TheBoxesShownByTheMessagesCarryTheTitleTextAndAnswer)
{
    ASSERT_TRUE(instalaTraducao(*qApp));
    TMensagensQt mensagens;
    struct Visto {
        QString titulo, texto;
        QStringList botoes;
    };
    // Reads the modal box once it is up, then presses the given button.
    auto responde = [](Visto& visto, QMessageBox::StandardButton botao) {
        QTimer::singleShot(0, [&visto, botao] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caixa)
                return;
            visto.titulo = caixa->windowTitle();
            visto.texto = caixa->text();
            for (QAbstractButton* b : caixa->buttons())
                visto.botoes.append(semAtalho(b->text()));
            visto.botoes.sort();
            if (QAbstractButton* b = caixa->button(botao))
                b->click();
            else
                caixa->reject();
        });
    };
    const QString texto = QStringLiteral("linha 1") + QChar(13) + QStringLiteral("linha 2");
    const QString exibido = QStringLiteral("linha 1\nlinha 2");
    const struct {
        std::function<void(const QString&)> mostra;
        QString titulo;
    } caixas[] = {
        {[&](const QString& t) { mensagens.warning(t); }, QStringLiteral("Aviso")},
        {[&](const QString& t) { mensagens.information(t); }, QStringLiteral("Informação")},
        {[&](const QString& t) { mensagens.error(t); }, QStringLiteral("Erro")},
    };
    for (const auto& c : caixas) {
        Visto visto;
        responde(visto, QMessageBox::Ok);
        c.mostra(texto);
        EXPECT_EQ(visto.titulo, c.titulo);
        EXPECT_EQ(visto.texto, exibido);
        EXPECT_EQ(visto.botoes, QStringList{QStringLiteral("OK")});
    }
    const std::pair<QMessageBox::StandardButton, bool> respostas[] = {
        {QMessageBox::Yes, true}, {QMessageBox::No, false}};
    for (const auto& [botao, resposta] : respostas) {
        Visto visto;
        responde(visto, botao);
        EXPECT_EQ(mensagens.question(texto), resposta);
        EXPECT_EQ(visto.titulo, QStringLiteral("Pergunta"));
        EXPECT_EQ(visto.botoes, (QStringList{QStringLiteral("Não"), QStringLiteral("Sim")}));
    }
}
