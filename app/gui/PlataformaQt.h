#pragma once
#include "platform/Platform.h"
#include "platform/QtEventPump.h"
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <memory>

class QApplication;
class QWidget;

// Message boxes of the window: modal, a single OK button, the standard title of their kind.
class TMensagensQt : public MessageBoxes {
public:
    void warning(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    // The text as the box shows it: a carriage return is a line break.
    static QString textoExibido(const QString& text);
    // The box of a kind (Warning, Information, Critical, Question) as it is shown, not yet
    // executed: title, text and buttons.
    static std::unique_ptr<QMessageBox> criaCaixa(QMessageBox::Icon tipo, const QString& text,
                                                  QWidget* pai = nullptr);
    // The standard title of a kind, in the language of Qt's own texts.
    static QString tituloPadrao(QMessageBox::Icon tipo);
};

// Makes the pictures and the theme of the resource file reachable (the GUI is a static library).
void inicializaRecursos();

// Where the theme lives among the resources.
inline const char* const kRecursoTema = ":/tema/TurquoiseGray.qss";

// Applies the theme "Turquoise Gray" to the whole application. When the style sheet cannot be
// read the program says so in a warning box and keeps the default look; the answer tells which.
bool aplicaTema(QApplication& app, const QString& recurso = QString::fromLatin1(kRecursoTema));

// Where Qt keeps its own translations (qt6-translations-l10n).
QString pastaTraducoesQt();

// Qt's own texts (file dialog, standard buttons) in Brazilian Portuguese, read from the given
// folder; the message box titles follow. False when the catalogue is missing there: Qt's
// texts and the titles are then the English ones. Call before creating any widget.
bool instalaTraducao(QApplication& app, const QString& pasta = pastaTraducoesQt());
bool traducaoInstalada();

// The window's font: Tahoma when the machine has it, otherwise the closest one it has.
QString familiaFonte();
QFont fontePadrao(int pixels = 11, bool negrito = false);
