#include "app/ConversaoProtegida.h"
#include "app/EstruturaConversao.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"
#include "db/TargetDatabase.h"
#include "db/TargetTransaction.h"
#include "platform/Gauge.h"
#include "platform/Interrupcao.h"
#include "platform/Platform.h"
#include <QElapsedTimer>
#include <optional>

namespace {
const QString kFalha = QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ");

QString mensagemDe(const std::exception& e)
{
    if (auto* app = dynamic_cast<const AppError*>(&e))
        return app->message();
    return QString::fromUtf8(e.what());
}

// Holds back the run's closing message (its success or failure box) until the target has been
// dealt with, so that the same message can say what became of it. Warnings pass at once.
class MensagemFinalRetida : public MessageBoxes {
public:
    explicit MensagemFinalRetida(MessageBoxes& real) : m_real(real) {}
    void warning(const QString& t) override { m_real.warning(t); }
    void information(const QString& t) override { retem(false, t); }
    void error(const QString& t) override { retem(true, t); }
    bool question(const QString& t) override { return m_real.question(t); }
    // Shows what was held back, with the further lines.
    void libera(const QString& acrescimo)
    {
        if (!m_retida)
            return;
        const QString texto = acrescimo.isEmpty() ? m_retida->texto : m_retida->texto + QChar(13) + acrescimo;
        const bool erro = m_retida->erro;
        m_retida.reset();
        erro ? m_real.error(texto) : m_real.information(texto);
    }
    bool erroRetido() const { return m_retida && m_retida->erro; }

private:
    void retem(bool erro, const QString& t)
    {
        libera(QString());
        m_retida = Retida{erro, t};
    }
    struct Retida {
        bool erro;
        QString texto;
    };
    MessageBoxes& m_real;
    std::optional<Retida> m_retida;
};

// The run's event pump, which also notices the operator's interruption between rows.
class EventosInterrompiveis : public EventPump {
public:
    explicit EventosInterrompiveis(EventPump& real) : m_real(real) {}
    void processEvents() override
    {
        Interrupcao::verifica();
        m_real.processEvents();
        Interrupcao::verifica();
    }

private:
    EventPump& m_real;
};

// Puts the process's message boxes and event pump back when the run ends, however it ends.
struct PlataformaDaExecucao {
    MessageBoxes& mensagens = Platform::messages();
    EventPump& eventos = Platform::events();
    MensagemFinalRetida retida{mensagens};
    EventosInterrompiveis interrompiveis{eventos};
    PlataformaDaExecucao()
    {
        Platform::setMessages(&retida);
        Platform::setEvents(&interrompiveis);
    }
    ~PlataformaDaExecucao() { devolve(); }
    void devolve()
    {
        Platform::setMessages(&mensagens);
        Platform::setEvents(&eventos);
    }
};

QStringList gruposEscolhidos(const ListaParametros& MParams)
{
    QStringList chaves;
    for (const auto& g : TClassesConversaoController::grupos())
        if (MParams.value(g.chave) == QLatin1String("S"))
            chaves.append(g.chave);
    return chaves;
}
}  // namespace

TConversaoProtegida::TConversaoProtegida(TClassesConversaoController& controlador)
    : m_controlador(controlador)
{
}

TConversaoProtegida::TConversaoProtegida(TClassesConversaoController& controlador, Opcoes opcoes)
    : m_controlador(controlador), m_opcoes(std::move(opcoes))
{
}

const QString& TConversaoProtegida::textoNadaGravado()
{
    static const QString t = QStringLiteral("Nada foi gravado no destino.");
    return t;
}

QString TConversaoProtegida::textoMarca(const QString& destino, const CopiaDestino::Marca& marca)
{
    return QStringLiteral("Uma conversão do arquivo %1 foi interrompida (iniciada em %2) e não terminou; "
                          "o arquivo pode conter parte dela. A cópia de antes da conversão está em %3.")
        .arg(destino, marca.inicio, marca.copia);
}

void TConversaoProtegida::informa(const QString& texto) const
{
    if (m_opcoes.informa)
        m_opcoes.informa(texto);
}

bool TConversaoProtegida::falhaAntes(const QString& motivo, Gauge& Barra)
{
    m_desfecho = Interrupcao::pedida() ? Desfecho::Interrompida : Desfecho::FalhouAntes;
    Interrupcao::limpa();
    Platform::messages().error(kFalha + motivo + QChar(13) + textoNadaGravado());
    Barra.setPosition(0);
    Barra.setMaximum(0);
    return false;
}

bool TConversaoProtegida::FEfetuaConversao(const ListaParametros& MParams, SourceConnection& BDOrigem,
                                           TargetDatabase& BDDestino, TargetTransaction& Transacao,
                                           Gauge& Barra, ProgressLabel& lblInfo)
{
    m_desfecho = Desfecho::FalhouAntes;
    m_copia.clear();
    m_restaurado = false;
    m_segundosCopia = 0;
    const QString destino = BDDestino.databaseName();
    const QStringList chaves = gruposEscolhidos(MParams);

    // 1. Nothing is written unless both sides hold what the run needs.
    try {
        Interrupcao::verifica();
        if (const auto marca = CopiaDestino::leMarca(destino))
            return falhaAntes(textoMarca(destino, *marca), Barra);
        if (m_controlador.usaPreenchedoresReais() && !chaves.isEmpty()) {
            std::vector<EstruturaConversao::Falta> faltas;
            try {
                faltas = EstruturaConversao::verificaOrigem(BDOrigem, chaves);
            } catch (const AppError& e) {
                return falhaAntes(e.message(), Barra);
            }
            for (const auto& f : EstruturaConversao::verificaDestino(BDDestino, chaves))
                faltas.push_back(f);
            if (!faltas.empty())
                return falhaAntes(QStringLiteral("Faltam partes da estrutura que a conversão usa:") + QChar(13) +
                                      EstruturaConversao::descreve(faltas),
                                  Barra);
        }
    } catch (const std::exception& e) {
        return falhaAntes(mensagemDe(e), Barra);
    }

    // 2. The copy, taken while no attachment holds the file; the idle transaction of the
    // window holds no work, so it is simply started again on the new attachment.
    if (!m_opcoes.semCopia) {
        const bool transacaoAtiva = Transacao.active();
        QString falhaCopia;
        try {
            CopiaDestino::verificaEspaco(destino, m_opcoes.pastaCopia);
            BDDestino.disconnect();
            informa(QStringLiteral("Copiando o destino antes da conversão..."));
            QElapsedTimer relogio;
            relogio.start();
            m_copia = CopiaDestino::copia(destino, m_opcoes.pastaCopia);
            m_segundosCopia = relogio.elapsed() / 1000.0;
            CopiaDestino::gravaMarca(destino, m_copia);
            informa(QStringLiteral("Cópia do destino antes da conversão: ") + m_copia);
        } catch (const std::exception& e) {
            falhaCopia = mensagemDe(e);
        }
        try {
            if (!BDDestino.connected())
                BDDestino.connect();
            if (transacaoAtiva && !Transacao.active())
                Transacao.start();
        } catch (const std::exception& e) {
            falhaCopia += (falhaCopia.isEmpty() ? QString() : QString(QChar(13))) + mensagemDe(e);
        }
        if (!falhaCopia.isEmpty()) {
            if (!m_copia.isEmpty()) {
                CopiaDestino::removeMarca(destino);
                m_copia.clear();
            }
            return falhaAntes(falhaCopia, Barra);
        }
    }

    // 3. The run.
    bool resultado = false;
    PlataformaDaExecucao plataforma;
    std::optional<AppError> naoTratado;
    try {
        resultado = m_controlador.FEfetuaConversao(MParams, BDOrigem, BDDestino, Transacao, Barra, lblInfo);
    } catch (const AppError& e) {
        naoTratado = e;  // the transaction could not be started: shown by the caller, as ever
    }
    plataforma.devolve();
    const bool interrompida = Interrupcao::pedida();
    Interrupcao::limpa();

    // 4. What becomes of the target.
    QString acrescimo;
    if (resultado) {
        m_desfecho = Desfecho::Confirmada;
        if (!m_copia.isEmpty()) {
            try {
                CopiaDestino::removeMarca(destino);
            } catch (const AppError& e) {
                acrescimo = e.message() + QChar(13);
            }
            acrescimo += QStringLiteral("A cópia do destino de antes da conversão está em ") + m_copia + QLatin1Char('.');
        }
    } else {
        m_desfecho = interrompida ? Desfecho::Interrompida : Desfecho::Falhou;
        if (m_copia.isEmpty()) {
            acrescimo = QStringLiteral("O destino não foi restaurado: a conversão foi feita sem cópia.");
        } else if (m_opcoes.mantemParcial) {
            acrescimo = QStringLiteral("O destino ficou com o resultado parcial, como pedido. A cópia de antes da "
                                       "conversão está em ") + m_copia + QLatin1Char('.');
        } else {
            informa(QStringLiteral("Restaurando o destino a partir de ") + m_copia + QStringLiteral("..."));
            const bool transacaoAtiva = Transacao.active();
            try {
                BDDestino.disconnect();
                CopiaDestino::restaura(destino, m_copia);
                m_restaurado = true;
                CopiaDestino::removeMarca(destino);
                acrescimo = QStringLiteral("O destino foi restaurado e contém exatamente o que continha antes da "
                                           "conversão. A cópia de antes da conversão está em ") + m_copia + QLatin1Char('.');
            } catch (const std::exception& e) {
                acrescimo = (m_restaurado ? QStringLiteral("O destino foi restaurado, mas: ")
                                          : QStringLiteral("O destino NÃO pôde ser restaurado: ")) +
                            mensagemDe(e) + QStringLiteral(" A cópia de antes da conversão está em ") + m_copia +
                            QLatin1Char('.');
            }
            try {
                BDDestino.connect();
                if (transacaoAtiva)
                    Transacao.start();
            } catch (const std::exception& e) {
                acrescimo += QChar(13) + mensagemDe(e);
            }
        }
    }
    if (naoTratado) {
        // The controller raised before its own message: the caller shows the error; the
        // further lines follow it in a box of their own.
        if (!acrescimo.isEmpty())
            Platform::messages().warning(acrescimo);
        throw *naoTratado;
    }
    if (plataforma.retida.erroRetido() || resultado)
        plataforma.retida.libera(acrescimo);
    else {
        plataforma.retida.libera(QString());
        if (!acrescimo.isEmpty())
            Platform::messages().warning(acrescimo);
    }
    return resultado;
}
