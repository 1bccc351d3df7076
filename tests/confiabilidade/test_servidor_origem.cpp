// The source server stops in the middle of a group: the run ends with the client's message,
// the target keeps exactly what was committed, and once the server is back the next run, on
// the same connection object as the window keeps, converts everything.
#include "Recorders.h"
#include "ServidorProprio.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
const QString kFalha = QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ");
// Enough bytes that the server is still sending rows when it is stopped: the socket buffers
// cannot hold the whole table.
constexpr int kClientes = 1200;

void semeia(ServidorProprio& srv)
{
    const std::string longo(1500, 'x');
    std::string valores;
    for (int i = 1; i <= kClientes; ++i) {
        valores += (valores.empty() ? "" : ",") + std::string("('") + std::to_string(i) + "', 'Cliente " +
                   std::to_string(i) + "', '" + (i % 2 ? "Betim" : "Contagem") + "', 'MG', '" + longo + "', '" +
                   longo + "')";
        if (i % 200 == 0) {
            srv.executa("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO, OBSERVACAO, REFERENCIA) VALUES " +
                        valores);
            valores.clear();
        }
    }
    srv.executa("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO) VALUES "
                "(1, 'Distribuidora Sul', 'Betim', 'MG'), (2, 'Atacado', 'Nova Lima', 'MG'), (3, 'Norte', '', '')");
}
}  // namespace

TEST(SourceServer, StoppedInTheMiddleOfTheCustomersEndsTheRunAndASecondRunConvertsEverything)
{
    ServidorProprio srv;
    semeia(srv);
    TargetFixture t;
    // An earlier run's rows.
    t.exec(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'ANTERIOR')"));
    t.exec(QStringLiteral("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000099', 'ANTERIOR')"));
    t.tr.commit();
    t.tr.start();

    RecordingLabel label;
    RecordingGauge barra;
    RecordingEvents eventos{&label, &barra};
    RecordingMessages mensagens;
    bool parado = false;
    eventos.onEvents = [&] {
        if (!parado && label.text() == QStringLiteral("Convertendo Clientes - Registro 5 de %1").arg(kClientes)) {
            parado = true;
            srv.para();
        }
    };
    ListaParametros params;
    params.add(QStringLiteral("CLIENTES=S"));
    params.add(QStringLiteral("FORNECEDORES=S"));
    SourceConnection origem(srv.settings());  // one object for both runs, as the window keeps it
    TClassesConversaoController controller;

    EXPECT_FALSE(controller.FEfetuaConversao(params, origem, t.db, t.tr, barra, label));
    ASSERT_TRUE(parado);
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    const QString texto = mensagens.list[0].text;
    EXPECT_TRUE(texto.startsWith(kFalha)) << texto.toStdString();
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("lost connection|gone away"),
                                                  QRegularExpression::CaseInsensitiveOption)))
        << texto.toStdString();
    // The walk ended inside the customers, on a row the client still held when the server left.
    static const QRegularExpression rotulo(QStringLiteral("^Convertendo Clientes - Registro (\\d+) de %1$").arg(kClientes));
    const auto m = rotulo.match(label.text());
    ASSERT_TRUE(m.hasMatch()) << label.text().toStdString();
    EXPECT_GE(m.captured(1).toInt(), 5);
    EXPECT_LT(m.captured(1).toInt(), kClientes);
    EXPECT_EQ(barra.position(), 0);
    EXPECT_EQ(barra.maximum(), 0);
    EXPECT_FALSE(t.tr.active());
    // Committed: the clearing of CLIENTE. Undone: the customers and cities written after it.
    // The suppliers never ran: their table is as the earlier run left it.
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 0);
    EXPECT_EQ(t.count(QStringLiteral("CIDADES")), 0);
    EXPECT_EQ(t.rows(QStringLiteral("SELECT CODFORNEC, NOME FROM FORNECE")),
              (std::vector<QStringList>{{QStringLiteral("000099"), QStringLiteral("ANTERIOR")}}));

    // While the server is down, a run fails at once with the client's message.
    mensagens.list.clear();
    EXPECT_FALSE(controller.FEfetuaConversao(params, origem, t.db, t.tr, barra, label));
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_TRUE(mensagens.list[0].text.startsWith(kFalha)) << mensagens.list[0].text.toStdString();
    EXPECT_FALSE(t.tr.active());

    // The server is back: the same connection object reconnects and the run converts everything.
    srv.inicia();
    mensagens.list.clear();
    eventos.onEvents = nullptr;
    const bool ok = controller.FEfetuaConversao(params, origem, t.db, t.tr, barra, label);
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_TRUE(ok) << mensagens.list[0].text.toStdString();
    EXPECT_EQ(mensagens.list[0].text, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), kClientes);
    EXPECT_EQ(t.count(QStringLiteral("FORNECE")), 3);
    EXPECT_EQ(t.rows(QStringLiteral("SELECT CIDADE FROM CIDADES ORDER BY CODCIDADE")),
              (std::vector<QStringList>{{QStringLiteral("BETIM")}, {QStringLiteral("CONTAGEM")}, {QStringLiteral("NOVA LIMA")}}));
}

TEST(SourceServer, ServerDownAtOpeningFailsWithTheClientsMessage)
{
    // A socket where no server answers: the connection attempt fails at once, nothing is cleared.
    ServidorProprio srv;
    srv.para();
    TargetFixture t;
    t.exec(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'ANTERIOR')"));
    t.tr.commit();
    t.tr.start();
    RecordingLabel label;
    RecordingGauge barra;
    RecordingEvents eventos{&label, &barra};
    RecordingMessages mensagens;
    ListaParametros params;
    params.add(QStringLiteral("GRUPOSPRODUTOS=S"));
    SourceConnection origem(srv.settings());
    EXPECT_FALSE(TClassesConversaoController().FEfetuaConversao(params, origem, t.db, t.tr, barra, label));
    ASSERT_EQ(mensagens.list.size(), 1u);
    // The side and a plain sentence come first, the client's own text after them.
    EXPECT_TRUE(mensagens.list[0].text.startsWith(kFalha + QStringLiteral("Banco de origem: o servidor não responde")))
        << mensagens.list[0].text.toStdString();
    EXPECT_TRUE(mensagens.list[0].text.contains(QStringLiteral(". Can't connect"))) << mensagens.list[0].text.toStdString();
    // The group's table is cleared before its source is read: the clearing is committed.
    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 0);
}
