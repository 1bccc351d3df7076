// The runner's progress lines, driven as a group's walk drives the label and the gauge.
#include "Saida.h"
#include "app/batch/ProgressoTerminal.h"
#include <QStringList>
#include <gtest/gtest.h>

namespace {
// One walk of n rows as the fillers show it: label per row, events once, gauge advanced;
// at its end the label emptied and the gauge zeroed.
void percorre(ProgressoTerminal& p, const QString& prefixo, int n, bool falhaNaUltima = false)
{
    p.setMaximum(n);
    p.setPosition(0);
    for (int i = 1; i <= n; ++i) {
        p.setText(prefixo + QString::number(i) + QStringLiteral(" de ") + QString::number(n));
        p.processEvents();
        if (falhaNaUltima && i == n)
            return;
        p.stepBy();
    }
    p.setText(QString());
    p.setMaximum(0);
}
}  // namespace

TEST(BatchProgress, NamesTheGroupTheRunGivesWhateverTheLabelSays)
{
    Saida s;
    ProgressoTerminal p(s.f, false);
    percorre(p, QStringLiteral("Convertendo Clientes - Registro "), 2);  // before any group: nothing
    p.iniciaGrupo(QStringLiteral("Grupos de produtos"));
    percorre(p, QStringLiteral("Registro "), 10);
    p.terminaGrupo();
    p.iniciaGrupo(QStringLiteral("Produtos"));
    percorre(p, QStringLiteral("Convertendo Produtos - Registro "), 3, true);
    p.terminaGrupo();  // a failed group: no end line, and nothing drawn for it afterwards
    p.processEvents();

    const QStringList linhas = s.texto().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 14) << s.texto().toStdString();
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(linhas[i].startsWith(QStringLiteral("Grupos de produtos: registro %1 de 10 (").arg(i + 1)))
            << linhas[i].toStdString();
    EXPECT_TRUE(linhas[10].startsWith(QStringLiteral("Grupos de produtos: concluído, 10 registros em ")));
    EXPECT_TRUE(linhas[11].startsWith(QStringLiteral("Produtos: registro 1 de 3 (")));
    EXPECT_TRUE(linhas[13].startsWith(QStringLiteral("Produtos: registro 3 de 3 (")));
}
