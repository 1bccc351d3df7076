#include "app/gui/PlataformaQt.h"
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>

namespace {
void mostra(QMessageBox::Icon icone, const QString& titulo, const QString& texto)
{
    QMessageBox caixa(icone, titulo, TMensagensQt::textoExibido(texto), QMessageBox::Ok,
                      QApplication::activeWindow());
    // Server messages may hold "<" or "&": shown as they are, never as markup.
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}
}  // namespace

QString TMensagensQt::textoExibido(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(13), QChar(10));
    return t;
}

void TMensagensQt::warning(const QString& text)
{
    mostra(QMessageBox::Warning, QStringLiteral("Warning"), text);
}

void TMensagensQt::information(const QString& text)
{
    mostra(QMessageBox::Information, QStringLiteral("Information"), text);
}

void TMensagensQt::error(const QString& text)
{
    mostra(QMessageBox::Critical, QStringLiteral("Error"), text);
}

bool TMensagensQt::question(const QString& text)
{
    QMessageBox caixa(QMessageBox::Question, QStringLiteral("Question"), textoExibido(text),
                      QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    caixa.setTextFormat(Qt::PlainText);
    // Restoring over a file is never the default: Enter answers no.
    caixa.setDefaultButton(QMessageBox::No);
    return caixa.exec() == QMessageBox::Yes;
}

void inicializaRecursos()
{
    static const bool feito = [] {
        Q_INIT_RESOURCE(recursos);
        return true;
    }();
    (void)feito;
}

bool aplicaTema(QApplication& app, const QString& recurso)
{
    inicializaRecursos();
    QFile arquivo(recurso);
    QString motivo;
    QString folha;
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        motivo = arquivo.errorString();
    else {
        folha = QString::fromUtf8(arquivo.readAll());
        if (folha.trimmed().isEmpty())
            motivo = QStringLiteral("a folha de estilo está vazia");
    }
    if (!motivo.isEmpty()) {
        Platform::messages().warning(
            QStringLiteral("Não foi possível aplicar o tema visual \"Turquoise Gray\": ") + motivo +
            QStringLiteral(". O programa continua com a aparência padrão."));
        return false;
    }
    app.setStyleSheet(folha);
    return true;
}

QString familiaFonte()
{
    // Ordered by how close their metrics come to Tahoma's at 11 pixels.
    static const QStringList candidatas = {
        QStringLiteral("Tahoma"),          QStringLiteral("DejaVu Sans Condensed"),
        QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Verdana"),
        QStringLiteral("DejaVu Sans"),     QStringLiteral("Liberation Sans"),
    };
    static const QString escolhida = [] {
        const QStringList instaladas = QFontDatabase::families();
        for (const QString& f : candidatas)
            if (instaladas.contains(f, Qt::CaseInsensitive))
                return f;
        return candidatas.first();
    }();
    return escolhida;
}

QFont fontePadrao(int pixels, bool negrito)
{
    QFont f(familiaFonte());
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}
