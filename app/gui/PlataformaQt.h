#pragma once
#include "platform/Platform.h"
#include "platform/QtEventPump.h"
#include <QFont>
#include <QString>

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
};

// Lets the window repaint and react while a run is in progress.
class TEventosQt : public QtEventPump {};

// Makes the pictures and the theme of the resource file reachable (the GUI is a static library).
void inicializaRecursos();

// Where the theme lives among the resources.
inline const char* const kRecursoTema = ":/tema/TurquoiseGray.qss";

// Applies the theme "Turquoise Gray" to the whole application. When the style sheet cannot be
// read the program says so in a warning box and keeps the default look; the answer tells which.
bool aplicaTema(QApplication& app, const QString& recurso = QString::fromLatin1(kRecursoTema));

// The window's font: Tahoma when the machine has it, otherwise the closest one it has.
QString familiaFonte();
QFont fontePadrao(int pixels = 11, bool negrito = false);
