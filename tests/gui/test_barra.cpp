// The window's gauge widget: what it paints for each position, and when it paints.
#include "AmbienteQt.h"
#include "app/gui/TBarraProgresso.h"
#include <QCoreApplication>
#include <QEvent>
#include <QImage>

namespace {
class ContaPinturas : public QObject {
public:
    int pinturas = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++pinturas;
        return false;
    }
};

QColor corPropriedade(const TBarraProgresso& b, const char* nome)
{
    return b.property(nome).value<QColor>();
}
}  // namespace

TEST(ProgressBar, PaintsBarAndPercentFromTheTruncatedPercentage)
{
    struct Caso {
        int maximo;
        int posicao;
        const char* texto;
        int preenchido;  // of the 609 inner pixels
    } casos[] = {
        {100, 0, "0%", 0},    {3, 1, "33%", 200},     {3, 2, "66%", 401},
        {200, 1, "0%", 0},    {100, 150, "100%", 609}, {7, 7, "100%", 609},
        {0, 0, "0%", 0},      {0, 5, "0%", 0},         {100, -4, "0%", 0},
        {1000, 999, "99%", 602},
    };
    for (const Caso& c : casos) {
        TBarraProgresso barra;
        barra.resize(611, 15);
        barra.setMaximum(c.maximo);
        barra.setPosition(c.posicao);
        SCOPED_TRACE(testing::Message() << c.maximo << "/" << c.posicao);
        EXPECT_EQ(barra.textoPercentual(), QString::fromLatin1(c.texto));
        EXPECT_EQ(barra.larguraPreenchida(), c.preenchido);

        // Read the painted pixels on the inner top row, left of the text in the middle.
        const QImage img = barra.grab().toImage();
        const QColor cheia = corPropriedade(barra, "corBarra");
        const QColor vazia = corPropriedade(barra, "corFundo");
        const int y = 1;
        for (int x : {1, 100, 199, 200, 250, 401, 402, 500, 602, 603, 609}) {
            const QColor esperada = (x - 1) < c.preenchido ? cheia : vazia;
            EXPECT_EQ(img.pixelColor(x, y).rgb(), esperada.rgb()) << "x=" << x;
        }
        EXPECT_EQ(img.pixelColor(0, 7).rgb(), corPropriedade(barra, "corBorda").rgb());
    }
}

TEST(ProgressBar, RepaintsWhenThePercentChangesAndOnEveryStepOnly)
{
    TBarraProgresso barra;
    barra.resize(611, 15);
    barra.show();
    QCoreApplication::processEvents();
    ContaPinturas conta;
    barra.installEventFilter(&conta);

    struct Passo {
        const char* acao;
        std::function<void()> faz;
        int pinturas;
    } passos[] = {
        {"maximum 1000 from 100 at position 0: still 0 %", [&] { barra.setMaximum(1000); }, 0},
        {"position 5: 0 %", [&] { barra.setPosition(5); }, 0},
        {"position 10: 1 %", [&] { barra.setPosition(10); }, 1},
        {"position 11: 1 %", [&] { barra.setPosition(11); }, 0},
        {"a step inside the same percent", [&] { barra.stepBy(1); }, 1},
        {"maximum 0: position 0, 0 %", [&] { barra.setMaximum(0); }, 1},
    };
    for (const Passo& p : passos) {
        conta.pinturas = 0;
        p.faz();
        QCoreApplication::processEvents();
        EXPECT_EQ(conta.pinturas, p.pinturas) << p.acao;
    }
}
