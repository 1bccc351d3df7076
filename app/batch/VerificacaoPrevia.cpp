#include "app/batch/VerificacaoPrevia.h"
#include "app/ListaParametros.h"
#include "app/ConversaoProtegida.h"
#include "app/CopiaDestino.h"
#include "app/EstruturaConversao.h"
#include "app/UClassesConversaoController.h"
#include "db/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include "db/Win1252.h"
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>

void VerificacaoPrevia::achado(bool erro, const QString& onde, const QString& problema)
{
    m_achados.push_back({erro, onde, problema});
}

namespace {
std::vector<QStringList> linhas(TargetDatabase& db, const QString& select)
{
    TargetTransaction t(&db);
    std::vector<QStringList> out;
    {
        TargetQuery q(db, t);
        q.setSql(select);
        q.open();
        const int n = static_cast<int>(q.columnNames().size());
        for (; !q.eof(); q.next()) {
            QStringList row;
            for (int i = 0; i < n; ++i)
                row.append(q.fieldAt(i).asString().trimmed());
            out.push_back(row);
        }
    }
    t.commit();
    return out;
}

void executa(TargetDatabase& db, const QString& sql)
{
    TargetTransaction t(&db);
    TargetQuery q(db, t);
    q.setSql(sql);
    q.execSql();
    t.commit();
}

struct ColunaTexto {
    QString tabela, coluna;
    int largura;
    bool fixa;  // CHAR: padded with blanks
};

class SemTela : public Gauge, public ProgressLabel, public MessageBoxes, public EventPump {
public:
    void setText(const QString& t) override { m_text = t; }
    QString text() const override { return m_text; }
    void processEvents() override {}
    void warning(const QString& t) override { avisos.append(t); }
    void information(const QString&) override {}
    void error(const QString& t) override { erros.append(t); }
    QStringList avisos, erros;

private:
    QString m_text;
};
}  // namespace

bool VerificacaoPrevia::verificaOrigem(SourceConnection& origem)
{
    const std::vector<EstruturaConversao::Falta> faltas = EstruturaConversao::verificaOrigem(origem, m_opcoes.grupos);
    for (const auto& f : faltas)
        achado(true, QStringLiteral("origem ") + f.onde, f.problema);
    for (const QString& chave : m_opcoes.grupos) {
        const QString tabela = EstruturaConversao::tabelaOrigem(chave);
        const bool incompleta = std::any_of(faltas.begin(), faltas.end(), [&](const EstruturaConversao::Falta& f) {
            return f.onde == tabela || f.onde.startsWith(tabela + QLatin1Char('.'));
        });
        if (incompleta)
            continue;
        // Characters the target cannot store, wherever they stand in the columns read.
        const QStringList colunas = EstruturaConversao::colunasOrigem(chave);
        SourceQuery q(origem);
        q.setSql(QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + tabela);
        q.open();
        int relatados = 0;
        for (; !q.eof() && relatados < 20; q.next()) {
            for (const QString& c : colunas) {
                const QString v = q.fieldText(c);
                for (int i = 0; i < v.size(); ++i) {
                    if (!Win1252::canEncode(v[i])) {
                        achado(true, QStringLiteral("origem ") + tabela + QLatin1Char('.') + c,
                               QStringLiteral("CONTROLE %1: caractere %2 não pode ser gravado no destino (WIN1252)")
                                   .arg(q.fieldText(QStringLiteral("CONTROLE")), Win1252::codePoint(v, i)));
                        ++relatados;
                        break;
                    }
                }
            }
        }
    }
    if (faltas.empty())
        avisosDaOrigem(origem);
    return faltas.empty();
}

void VerificacaoPrevia::avisosDaOrigem(SourceConnection& origem)
{
    // Values the rules read otherwise than they look, or replace: counted per field, so the
    // operator learns of them before a run writes them so.
    struct Contagem {
        const char* chave;
        const char* tabela;
        const char* campo;
        const char* condicao;
        const char* problema;
    };
    static const Contagem contagens[] = {
        {"CLIENTES", "TBCLIENTES", "DATA", "DATA IS NULL OR YEAR(DATA) = 0 OR MONTH(DATA) = 0 OR DAY(DATA) = 0",
         "%1 datas vazias ou inválidas: serão gravadas como 30/12/1899"},
        {"CLIENTES", "TBCLIENTES", "DATACADASTRO",
         "DATACADASTRO IS NULL OR YEAR(DATACADASTRO) = 0 OR MONTH(DATACADASTRO) = 0 OR DAY(DATACADASTRO) = 0",
         "%1 datas vazias ou inválidas: serão gravadas como 30/12/1899"},
        {"PRODUTOS", "TBESTOQUE", "ATIVO", "ATIVO IS NULL OR BINARY ATIVO NOT IN (BINARY '0', BINARY '1')",
         "%1 valores diferentes de 0 e 1 (por exemplo N, vazio ou nulo): serão lidos como ativo (S)"},
        {"PRODUTOS", "TBESTOQUE", "FRACIONADO",
         "FRACIONADO IS NULL OR BINARY UPPER(FRACIONADO) NOT IN (BINARY 'TRUE', BINARY 'FALSE')",
         "%1 valores diferentes de TRUE e FALSE (por exemplo S, N, 0, vazio ou nulo): serão lidos como fracionado (S)"},
    };
    for (const Contagem& c : contagens) {
        if (!m_opcoes.grupos.contains(QLatin1String(c.chave)))
            continue;
        SourceQuery q(origem);
        q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM %1 WHERE %2").arg(QLatin1String(c.tabela), QLatin1String(c.condicao)));
        q.open();
        const qint64 n = q.field(QStringLiteral("N")).asInteger();
        if (n > 0)
            achado(false, QStringLiteral("origem %1.%2").arg(QLatin1String(c.tabela), QLatin1String(c.campo)),
                   QString::fromUtf8(c.problema).arg(n));
    }
    for (const QString& chave : m_opcoes.grupos)
        m_linhasOrigem[chave] = EstruturaConversao::contaOrigem(origem, EstruturaConversao::tabelaOrigem(chave));
}

bool VerificacaoPrevia::verificaDestino(TargetDatabase& destino)
{
    const std::vector<EstruturaConversao::Falta> faltas = EstruturaConversao::verificaDestino(destino, m_opcoes.grupos);
    bool completa = true;
    for (const auto& f : faltas) {
        achado(true, f.onde.isEmpty() ? QStringLiteral("destino") : QStringLiteral("destino ") + f.onde, f.problema);
        completa = completa && f.onde.isEmpty();
    }
    if (!completa)
        return false;
    // A group whose source table is empty still empties its target tables.
    for (const QString& chave : m_opcoes.grupos) {
        const auto it = m_linhasOrigem.find(chave);
        if (it == m_linhasOrigem.end() || it->second != 0)
            continue;
        for (const QString& t : EstruturaConversao::tabelasDestino(chave)) {
            const auto r = linhas(destino, QStringLiteral("SELECT COUNT(*) FROM ") + t);
            const qint64 n = r.empty() ? 0 : r[0][0].toLongLong();
            if (n > 0)
                achado(false, QStringLiteral("destino ") + t,
                       QStringLiteral("a tabela de origem %1 está vazia e %2 tem %3 linhas: a conversão vai esvaziá-la")
                           .arg(EstruturaConversao::tabelaOrigem(chave), t)
                           .arg(n));
        }
    }
    return true;
}

void VerificacaoPrevia::ensaio(const QString& copia)
{
    TargetDatabase db;
    db.setDatabaseName(copia);
    db.setUserName(m_opcoes.usuarioDestino);
    db.setPassword(m_opcoes.senhaDestino);
    db.connect();

    const QStringList tabelas = EstruturaConversao::tabelasDestinoDe(m_opcoes.grupos);
    const QString lista = QStringLiteral("'") + tabelas.join(QStringLiteral("','")) + QStringLiteral("'");

    // Keys (primary and unique) of the tables, to look for repeated codes afterwards.
    std::map<QString, QStringList> chaves;
    for (const QStringList& r : linhas(db, QStringLiteral(
             "SELECT C.RDB$RELATION_NAME, S.RDB$FIELD_NAME, C.RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS C "
             "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = C.RDB$INDEX_NAME "
             "WHERE C.RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'UNIQUE') AND C.RDB$RELATION_NAME IN (%1) "
             "ORDER BY C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_POSITION").arg(lista)))
        chaves[r[0] + QLatin1Char('|') + r[2]].append(r[1]);

    // Text columns and their widths.
    std::vector<ColunaTexto> textos;
    for (const QStringList& r : linhas(db, QStringLiteral(
             "SELECT RF.RDB$RELATION_NAME, RF.RDB$FIELD_NAME, COALESCE(F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH), "
             "F.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
             "WHERE RF.RDB$RELATION_NAME IN (%1) AND F.RDB$FIELD_TYPE IN (14, 37)").arg(lista)))
        textos.push_back({r[0], r[1], r[2].toInt(), r[3].toInt() == 14});

    // Remove what would stop the trial at the first collision or overlong value.
    for (const QStringList& r : linhas(db, QStringLiteral(
             "SELECT RDB$RELATION_NAME, RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS "
             "WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY' ORDER BY 1")))
        executa(db, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(r[0], r[1]));
    for (const auto& [k, cols] : chaves) {
        const QString tabela = k.section(QLatin1Char('|'), 0, 0), nome = k.section(QLatin1Char('|'), 1, 1);
        executa(db, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(tabela, nome));
    }
    for (const QStringList& r : linhas(db, QStringLiteral(
             "SELECT RDB$INDEX_NAME FROM RDB$INDICES WHERE RDB$RELATION_NAME IN (%1) AND RDB$SYSTEM_FLAG = 0").arg(lista)))
        executa(db, QStringLiteral("DROP INDEX %1").arg(r[0]));
    // Room enough to see by how much a value outgrows its column, within the record size limit.
    for (const ColunaTexto& c : textos)
        executa(db, QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3(%4)")
                        .arg(c.tabela, c.coluna, c.fixa ? QStringLiteral("CHAR") : QStringLiteral("VARCHAR"))
                        .arg(std::min(2000, c.largura * 3 + 60)));

    // The trial run itself, with the program's own controller and fillers.
    SemTela tela;
    Platform::setMessages(&tela);
    Platform::setEvents(&tela);
    Win1252::setSubstituteForTrial(true);
    TargetTransaction transacao(&db);
    SourceConnection origem(m_opcoes.origem);
    ListaParametros params;
    for (const QString& chave : m_opcoes.grupos)
        params.setValue(chave, QStringLiteral("S"));
    bool ok = false;
    try {
        ok = TClassesConversaoController().FEfetuaConversao(params, origem, db, transacao, tela, tela);
    } catch (const AppError& e) {
        tela.erros.append(e.message());
    }
    Win1252::setSubstituteForTrial(false);
    Platform::setMessages(nullptr);
    Platform::setEvents(nullptr);
    for (const QString& e : tela.erros)
        achado(true, QStringLiteral("ensaio"), QString(e).replace(QChar(13), QLatin1Char(' ')));
    for (const QString& a : tela.avisos)
        achado(false, QStringLiteral("ensaio"), QString(a).replace(QChar(13), QLatin1Char(' ')));
    if (!ok && tela.erros.isEmpty())
        achado(true, QStringLiteral("ensaio"), QStringLiteral("a conversão de ensaio não terminou"));

    for (const ColunaTexto& c : textos) {
        const QString medida = c.fixa ? QStringLiteral("CHAR_LENGTH(TRIM(TRAILING FROM %1))").arg(c.coluna)
                                      : QStringLiteral("CHAR_LENGTH(%1)").arg(c.coluna);
        const auto r = linhas(db, QStringLiteral("SELECT COUNT(*), MAX(%1) FROM %2 WHERE %1 > %3")
                                      .arg(medida, c.tabela).arg(c.largura));
        if (!r.empty() && r[0][0].toInt() > 0) {
            const auto exemplo = linhas(db, QStringLiteral("SELECT FIRST 1 %1 FROM %2 WHERE %3 > %4")
                                                .arg(c.coluna, c.tabela, medida).arg(c.largura));
            achado(true, c.tabela + QLatin1Char('.') + c.coluna,
                   QStringLiteral("%1 valores maiores que a coluna (%2 caracteres; até %3), por exemplo '%4'")
                       .arg(r[0][0]).arg(c.largura).arg(r[0][1])
                       .arg(exemplo.empty() ? QString() : exemplo[0][0].left(60)));
        }
    }
    for (const auto& [k, cols] : chaves) {
        const QString tabela = k.section(QLatin1Char('|'), 0, 0);
        const QString colunas = cols.join(QStringLiteral(", "));
        const auto r = linhas(db, QStringLiteral("SELECT %1, COUNT(*) FROM %2 GROUP BY %1 HAVING COUNT(*) > 1")
                                      .arg(colunas, tabela));
        if (r.empty())
            continue;
        QStringList exemplos;
        for (size_t i = 0; i < r.size() && i < 5; ++i)
            exemplos.append(QStringLiteral("'%1' (%2 vezes)").arg(r[i].mid(0, cols.size()).join(QLatin1Char('/')), r[i].last()));
        achado(true, tabela + QLatin1Char('.') + colunas,
               QStringLiteral("%1 códigos repetidos por chaves distintas da origem: %2")
                   .arg(r.size()).arg(exemplos.join(QStringLiteral(", "))));
    }
    db.disconnect();
}

int VerificacaoPrevia::executar(std::FILE* out)
{
    m_achados.clear();
    m_linhasOrigem.clear();
    SourceConnection origem(m_opcoes.origem);
    bool origemOk = true;
    try {
        origem.connect();
        origemOk = verificaOrigem(origem);
    } catch (const AppError& e) {
        achado(true, QStringLiteral("origem"), QStringLiteral("inacessível: ") + e.message());
        origemOk = false;
    }
    origem.disconnect();
    // Everything on the target side reads a scratch copy: even a read-only attachment moves
    // counters in the file's header, and the check must leave the file byte for byte as it was.
    QTemporaryDir pasta;
    const QString copia = pasta.path() + QStringLiteral("/VERIFICA.FB");
    bool destinoOk = false;
    {
        TargetDatabase destino;
        destino.setDatabaseName(copia);
        destino.setUserName(m_opcoes.usuarioDestino);
        destino.setPassword(m_opcoes.senhaDestino);
        try {
            if (!QFileInfo::exists(m_opcoes.destino))
                throw AppError(QStringLiteral("arquivo não encontrado: ") + m_opcoes.destino);
            if (const auto marca = CopiaDestino::leMarca(m_opcoes.destino))
                achado(true, QStringLiteral("destino"),
                       TConversaoProtegida::textoMarca(m_opcoes.destino, *marca) +
                           QStringLiteral(" Use --restaura para pôr o arquivo de volta como estava, ou --mantem-atual "
                                          "para seguir com ele como está."));
            if (CopiaDestino::emUso(m_opcoes.destino))
                achado(true, QStringLiteral("destino"),
                       QStringLiteral("o arquivo está em uso por outro programa; a conversão não poderia abri-lo"));
            {
                // Opening for writing changes nothing, and tells whether a run could write.
                QFile f(m_opcoes.destino);
                if (!f.open(QIODevice::ReadWrite))
                    achado(true, QStringLiteral("destino"),
                           QStringLiteral("o arquivo não pode ser aberto para gravação: ") + f.errorString());
            }
            if (!pasta.isValid() || !QFile::copy(m_opcoes.destino, copia))
                throw AppError(QStringLiteral("não foi possível copiar o arquivo para a verificação"));
            QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
            destino.connect();
            destinoOk = verificaDestino(destino);
        } catch (const AppError& e) {
            // The server names the file it opened: name the operator's.
            achado(true, QStringLiteral("destino"),
                   QStringLiteral("inacessível: ") + QString(e.message()).replace(copia, m_opcoes.destino));
        }
        destino.disconnect();
    }
    // The trial needs both structures complete; other findings do not keep it from running.
    if (origemOk && destinoOk) {
        try {
            ensaio(copia);
        } catch (const AppError& e) {
            achado(true, QStringLiteral("ensaio"), e.message());
        }
    }

    int largura = 10;
    for (const Achado& a : m_achados)
        largura = std::max(largura, static_cast<int>(a.onde.size()));
    std::fprintf(out, "%-5s  %-*s  %s\n", "nível", largura, "onde", "problema");
    for (const Achado& a : m_achados)
        std::fprintf(out, "%-5s  %-*s  %s\n", a.erro ? "ERRO" : "aviso", largura, a.onde.toUtf8().constData(),
                     a.problema.toUtf8().constData());
    const bool falha = std::any_of(m_achados.begin(), m_achados.end(), [](const Achado& a) { return a.erro; });
    std::fprintf(out, "%s\n", falha ? "Verificação: a conversão falharia ou gravaria valores errados."
                                    : "Verificação: nenhum problema encontrado.");
    return falha ? 1 : 0;
}
