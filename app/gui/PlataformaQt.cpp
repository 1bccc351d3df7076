#include "app/gui/PlataformaQt.h"
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QTranslator& tradutorQt()
{
    static QTranslator tradutor;
    return tradutor;
}
bool g_traducaoInstalada = false;

void mostra(QMessageBox::Icon tipo, const QString& texto)
{
    TMensagensQt::criaCaixa(tipo, texto, QApplication::activeWindow())->exec();
}
}  // namespace

std::unique_ptr<QMessageBox> TMensagensQt::criaCaixa(QMessageBox::Icon tipo, const QString& text,
                                                     QWidget* pai)
{
    const bool pergunta = tipo == QMessageBox::Question;
    auto caixa = std::make_unique<QMessageBox>(
        tipo, tituloPadrao(tipo), textoExibido(text),
        pergunta ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, pai);
    // Server messages may hold "<" or "&": shown as they are, never as markup.
    caixa->setTextFormat(Qt::PlainText);
    // Restoring over a file is never the default: Enter answers no.
    if (pergunta)
        caixa->setDefaultButton(QMessageBox::No);
    return caixa;
}

QString TMensagensQt::tituloPadrao(QMessageBox::Icon tipo)
{
    // Qt's catalogue has the button texts but no box titles (callers pass their own): the
    // titles follow the language of the buttons next to them.
    const bool pt = traducaoInstalada();
    switch (tipo) {
    case QMessageBox::Warning:
        return pt ? QStringLiteral("Aviso") : QStringLiteral("Warning");
    case QMessageBox::Critical:
        return pt ? QStringLiteral("Erro") : QStringLiteral("Error");
    case QMessageBox::Question:
        return pt ? QStringLiteral("Pergunta") : QStringLiteral("Question");
    default:
        return pt ? QStringLiteral("Informação") : QStringLiteral("Information");
    }
}

QString TMensagensQt::textoExibido(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(13), QChar(10));
    return t;
}

void TMensagensQt::warning(const QString& text)
{
    mostra(QMessageBox::Warning, text);
}

void TMensagensQt::information(const QString& text)
{
    mostra(QMessageBox::Information, text);
}

void TMensagensQt::error(const QString& text)
{
    mostra(QMessageBox::Critical, text);
}

bool TMensagensQt::question(const QString& text)
{
    return criaCaixa(QMessageBox::Question, text, QApplication::activeWindow())->exec() ==
           QMessageBox::Yes;
}

QString pastaTraducoesQt()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool instalaTraducao(QApplication& app, const QString& pasta)
{
    QTranslator& tradutor = tradutorQt();
    app.removeTranslator(&tradutor);
    // pt_BR whatever the machine's locale says: the program is made for pt-BR workstations,
    // and a box in English beside the window's Portuguese would read oddly. Only qtbase: the
    // widgets use nothing from the other modules.
    g_traducaoInstalada = tradutor.load(QStringLiteral("qtbase_pt_BR"), pasta) &&
                          app.installTranslator(&tradutor);
    return g_traducaoInstalada;
}

bool traducaoInstalada()
{
    return g_traducaoInstalada;
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
