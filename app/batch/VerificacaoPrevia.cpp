#include "app/batch/VerificacaoPrevia.h"
#include "app/ListaParametros.h"
#include "app/ConversaoProtegida.h"
#include "app/CopiaDestino.h"
#include "app/EstruturaConversao.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include "db/TargetCatalog.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include "db/Win1252.h"
#include "conversion/ColetorEnsaio.h"
#include "conversion/ProgressWalk.h"
#include "platform/Gauge.h"
#include "platform/InstalacaoPlataforma.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

void VerificacaoPrevia::achado(Achado a)
{
    a.onde = a.lado;
    if (!a.tabela.isEmpty())
        a.onde += QLatin1Char(' ') + a.tabela + (a.campo.isEmpty() ? QString() : QLatin1Char('.') + a.campo);
    m_achados.push_back(std::move(a));
}

void VerificacaoPrevia::achado(bool erro, const QString& lado, const QString& problema)
{
    achado(erro, lado, QString(), problema);
}

void VerificacaoPrevia::achado(bool erro, const QString& lado, const QString& onde, const QString& problema)
{
    Achado a;
    a.erro = erro;
    a.lado = lado;
    a.tabela = onde.section(QLatin1Char('.'), 0, 0);
    a.campo = onde.section(QLatin1Char('.'), 1);
    a.problema = problema;
    achado(std::move(a));
}

namespace {
void executa(TargetDatabase& db, const QString& sql)
{
    TargetTransaction t(&db);
    TargetQuery q(db, t);
    q.setSql(sql);
    q.execSql();
    t.commit();
}

// The trial's screen: it keeps the messages, and the rows that would fail, so the trial goes on
// past them. Each row's table and key are set as a context of the attachment, where a trigger
// of the scratch copy stores them beside every row written, so that a finding read back from
// the copy names the source row it came from.
class SemTela : public Gauge, public ProgressLabel, public MessageBoxes, public EventPump, public ColetorEnsaio {
public:
    struct Falha {
        QString tabela, controle, mensagem;
    };
    SemTela(TargetDatabase& db, TargetTransaction& t) : m_contexto(db, t)
    {
        m_contexto.setSql(QStringLiteral("SELECT RDB$SET_CONTEXT('USER_SESSION', 'OSTREVO_ORIGEM', :ORIGEM) FROM RDB$DATABASE"));
    }
    void inicioDaLinha(const QString& tabela, const QString& controle) override
    {
        m_contexto.close();
        m_contexto.setParamText(QStringLiteral("ORIGEM"), (tabela + QLatin1Char(' ') + controle).left(250));
        m_contexto.open();
        m_contexto.close();
    }
    void falhaDaLinha(const QString& tabela, const QString& controle, const QString& mensagem) override
    {
        falhas.push_back({tabela, controle, mensagem});
    }
    void setText(const QString& t) override { m_text = t; }
    QString text() const override { return m_text; }
    void processEvents() override {}
    void warning(const QString& t) override { avisos.append(t); }
    void information(const QString&) override {}
    void error(const QString& t) override { erros.append(t); }
    QStringList avisos, erros;
    std::vector<Falha> falhas;

private:
    QString m_text;
    TargetQuery m_contexto;
};

// "TBCLIENTES 1021" as the trigger stored it: the source table and the key.
std::pair<QString, QString> origemDaLinha(const QString& s)
{
    const int espaco = s.indexOf(QLatin1Char(' '));
    return espaco < 0 ? std::pair<QString, QString>{s, QString()} : std::pair<QString, QString>{s.left(espaco), s.mid(espaco + 1)};
}

// The kind of a row's failure: its message with the values it quotes left out.
QString tipoDaFalha(const QString& mensagem)
{
    static const QRegularExpression simples(QStringLiteral("'[^']*'"));
    static const QRegularExpression duplas(QStringLiteral("\"[^\"]*\""));
    static const QRegularExpression valor(QStringLiteral("valor [^)]*\\)"));
    QString t = mensagem;
    t.replace(duplas, QStringLiteral("\"…\""));
    t.replace(simples, QStringLiteral("'…'"));
    t.replace(valor, QStringLiteral("valor …)"));
    return t.simplified();
}
}  // namespace

bool VerificacaoPrevia::verificaOrigem(SourceConnection& origem)
{
    const std::vector<EstruturaConversao::Falta> faltas = EstruturaConversao::verificaOrigem(origem, m_opcoes.grupos);
    for (const auto& f : faltas)
        achado(true, QStringLiteral("origem"), f.onde, f.problema);
    for (const QString& chave : m_opcoes.grupos) {
        const QString tabela = EstruturaConversao::tabelaOrigem(chave);
        const bool incompleta = std::any_of(faltas.begin(), faltas.end(), [&](const EstruturaConversao::Falta& f) {
            return f.onde == tabela || f.onde.startsWith(tabela + QLatin1Char('.'));
        });
        if (incompleta)
            continue;
        // Characters the target cannot store, wherever they stand in the columns read, and the
        // values the rules will shorten, in one pass over the rows.
        const QStringList colunas = EstruturaConversao::colunasOrigem(chave);
        struct Medicao {
            const EstruturaConversao::Corte* corte;
            qint64 cortados = 0;
            int maior = 0;
            QString controleDoMaior;
        };
        std::vector<Medicao> medicoes;
        for (const auto& c : EstruturaConversao::cortes())
            if (chave == QLatin1String(c.chave))
                medicoes.push_back({&c, 0, 0, QString()});
        SourceQuery q(origem);
        q.setSql(QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + tabela);
        q.open();
        for (; !q.eof(); q.next()) {
            const QString controle = q.fieldText(QStringLiteral("CONTROLE"));
            for (const QString& c : colunas) {
                const QString v = q.fieldText(c);
                for (int i = 0; i < v.size(); ++i) {
                    if (!Win1252::canEncode(v[i])) {
                        Achado a;
                        a.erro = true;
                        a.lado = QStringLiteral("origem");
                        a.tabela = tabela;
                        a.campo = c;
                        a.controle = controle;
                        a.valor = v;
                        a.problema = QStringLiteral("caractere %1 não pode ser gravado no destino (WIN1252)")
                                         .arg(Win1252::codePoint(v, i));
                        a.tipo = QStringLiteral("caracteres que o destino não pode gravar (WIN1252)");
                        achado(std::move(a));
                        break;
                    }
                }
            }
            for (Medicao& m : medicoes) {
                const int n = EstruturaConversao::medida(*m.corte, q.fieldText(QLatin1String(m.corte->coluna)));
                if (n <= m.corte->largura)
                    continue;
                ++m.cortados;
                if (n > m.maior) {
                    m.maior = n;
                    m.controleDoMaior = controle;
                }
            }
        }
        for (const Medicao& m : medicoes) {
            if (m.cortados == 0)
                continue;
            const QString regra = m.corte->medida == EstruturaConversao::Corte::Ultimos
                                      ? QStringLiteral("ficam os %1 últimos caracteres").arg(m.corte->largura)
                                      : QStringLiteral("ficam os %1 primeiros caracteres").arg(m.corte->largura);
            Achado a;
            a.erro = false;
            a.lado = QStringLiteral("origem");
            a.tabela = tabela;
            a.campo = QLatin1String(m.corte->coluna);
            a.problema = QStringLiteral("%1 valores serão cortados ao gravar %2 (%3); o mais longo (CONTROLE %4) tem "
                                        "%5 caracteres e ficará com %6")
                             .arg(m.cortados)
                             .arg(QLatin1String(m.corte->destino), regra, ProgressWalk::chaveLegivel(m.controleDoMaior))
                             .arg(m.maior)
                             .arg(m.corte->largura);
            achado(std::move(a));
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
            achado(false, QStringLiteral("origem"), QStringLiteral("%1.%2").arg(QLatin1String(c.tabela), QLatin1String(c.campo)),
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
        achado(true, QStringLiteral("destino"), f.onde, f.problema);
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
            const auto r = TargetQuery::allRows(destino, QStringLiteral("SELECT COUNT(*) FROM ") + t);
            const qint64 n = r.empty() ? 0 : r[0][0].toLongLong();
            if (n > 0)
                achado(false, QStringLiteral("destino"), t,
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
    // The scratch copy's own connection: a character WIN1252 cannot hold goes in as "?", so the
    // trial goes on; the scan of the source names every such character.
    db.setSubstituiNoEnsaio(true);
    const QStringList tabelas = EstruturaConversao::tabelasDestinoDe(m_opcoes.grupos);
    // Keys (primary and unique) and text columns of the tables, read before the copy is altered.
    const std::vector<TargetCatalog::Key> chaves = TargetCatalog::uniqueKeys(db, tabelas);
    const std::vector<TargetCatalog::TextColumn> textos = TargetCatalog::textColumns(db, tabelas);
    preparaCopia(db, tabelas, chaves, textos);
    rodaEnsaio(db);
    valoresLongos(db, textos);
    codigosRepetidos(db, chaves);
    db.disconnect();
}

void VerificacaoPrevia::preparaCopia(TargetDatabase& db, const QStringList& tabelas,
                                     const std::vector<TargetCatalog::Key>& chaves,
                                     const std::vector<TargetCatalog::TextColumn>& textos)
{
    // Remove what would stop the trial at the first collision or overlong value.
    for (const TargetCatalog::Constraint& c : TargetCatalog::foreignKeys(db))
        executa(db, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(c.table, c.name));
    for (const TargetCatalog::Key& k : chaves)
        executa(db, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(k.table, k.name));
    for (const QString& indice : TargetCatalog::userIndices(db, tabelas))
        executa(db, QStringLiteral("DROP INDEX %1").arg(indice));
    // Room enough to see by how much a value outgrows its column, within the record size limit.
    for (const TargetCatalog::TextColumn& c : textos)
        executa(db, QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3(%4)")
                        .arg(c.table, c.column, c.fixed ? QStringLiteral("CHAR") : QStringLiteral("VARCHAR"))
                        .arg(std::min(2000, c.length * 3 + 60)));
    // Every row written keeps the source row it came from.
    for (int i = 0; i < tabelas.size(); ++i) {
        executa(db, QStringLiteral("ALTER TABLE %1 ADD OSTREVO_ORIGEM VARCHAR(250)").arg(tabelas[i]));
        executa(db, QStringLiteral("CREATE TRIGGER OSTREVO_ORIGEM_%1 FOR %2 ACTIVE BEFORE INSERT POSITION 32767 AS "
                                   "BEGIN NEW.OSTREVO_ORIGEM = RDB$GET_CONTEXT('USER_SESSION', 'OSTREVO_ORIGEM'); END")
                        .arg(i)
                        .arg(tabelas[i]));
    }
}

void VerificacaoPrevia::rodaEnsaio(TargetDatabase& db)
{
    // The trial run itself, with the program's own controller and fillers.
    TargetTransaction transacao(&db);
    SemTela tela(db, transacao);
    SourceConnection origem(m_opcoes.origem);
    ListaParametros params;
    for (const QString& chave : m_opcoes.grupos)
        params.setValue(chave, QStringLiteral("S"));
    bool ok = false;
    {
        const InstalacaoPlataforma plataforma(&tela, &tela);
        try {
            ok = TClassesConversaoController().FEfetuaConversao(params, origem, db, transacao, tela, tela);
        } catch (const AppError& e) {
            tela.erros.append(e.message());
        }
    }
    for (const SemTela::Falha& f : tela.falhas) {
        Achado a;
        a.erro = true;
        a.lado = QStringLiteral("origem");
        a.tabela = f.tabela;
        a.controle = f.controle;
        a.problema = QString(f.mensagem).replace(QChar(13), QLatin1Char(' '));
        a.tipo = QStringLiteral("linhas que fariam a conversão parar: ") + tipoDaFalha(a.problema);
        achado(std::move(a));
    }
    for (const QString& e : tela.erros)
        achado(true, QStringLiteral("ensaio"), QString(e).replace(QChar(13), QLatin1Char(' ')));
    for (const QString& a : tela.avisos)
        achado(false, QStringLiteral("ensaio"), QString(a).replace(QChar(13), QLatin1Char(' ')));
    if (!ok && tela.erros.isEmpty())
        achado(true, QStringLiteral("ensaio"), QStringLiteral("a conversão de ensaio não terminou"));
}

void VerificacaoPrevia::valoresLongos(TargetDatabase& db, const std::vector<TargetCatalog::TextColumn>& textos)
{
    // Values longer than their column, each with the row it came from.
    for (const TargetCatalog::TextColumn& c : textos) {
        const QString medida = c.fixed ? QStringLiteral("CHAR_LENGTH(TRIM(TRAILING FROM %1))").arg(c.column)
                                      : QStringLiteral("CHAR_LENGTH(%1)").arg(c.column);
        for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral("SELECT OSTREVO_ORIGEM, %1, %2 FROM %3 WHERE %2 > %4")
                                                   .arg(c.column, medida, c.table)
                                                   .arg(c.length),
                                            false)) {
            const auto [tabelaOrigem, controle] = origemDaLinha(r[0]);
            Achado a;
            a.erro = true;
            a.lado = QStringLiteral("destino");
            a.tabela = c.table;
            a.campo = c.column;
            a.controle = controle;
            a.valor = c.fixed ? r[1].trimmed() : r[1];
            a.problema = QStringLiteral("valor maior que a coluna (%1 caracteres): tem %2").arg(c.length).arg(r[2].trimmed()) +
                         (tabelaOrigem.isEmpty() ? QString() : QStringLiteral(", vindo de ") + tabelaOrigem);
            a.tipo = QStringLiteral("valores maiores que a coluna (%1 caracteres)").arg(c.length);
            achado(std::move(a));
        }
    }
}

void VerificacaoPrevia::codigosRepetidos(TargetDatabase& db, const std::vector<TargetCatalog::Key>& chaves)
{
    // Codes that distinct source keys share: every key that ends up with the code is named.
    for (const TargetCatalog::Key& k : chaves) {
        const QString& tabela = k.table;
        const QStringList& cols = k.columns;
        QStringList iguais, selecao;
        for (const QString& c : cols) {
            iguais.append(QStringLiteral("A.%1 = D.%1").arg(c));
            selecao.append(QStringLiteral("A.") + c);
        }
        std::map<QString, std::vector<std::pair<QString, QString>>> porCodigo;  // code -> (source table, key)
        for (const QStringList& r : TargetQuery::allRows(db, QStringLiteral(
                 "SELECT %1, A.OSTREVO_ORIGEM FROM %2 A JOIN (SELECT %3 FROM %2 GROUP BY %3 HAVING COUNT(*) > 1) D "
                 "ON %4 ORDER BY %1, A.OSTREVO_ORIGEM")
                 .arg(selecao.join(QStringLiteral(", ")), tabela, cols.join(QStringLiteral(", ")),
                      iguais.join(QStringLiteral(" AND "))),
                 false)) {
            QStringList codigo;
            for (int i = 0; i < cols.size(); ++i)
                codigo.append(r[i].trimmed());
            porCodigo[codigo.join(QLatin1Char('/'))].push_back(origemDaLinha(r.last()));
        }
        for (const auto& [codigo, origens] : porCodigo) {
            QStringList nomes;
            for (const auto& o : origens)
                nomes.append(o.first.isEmpty() ? QStringLiteral("(linha que já estava no destino)")
                                               : ProgressWalk::chaveLegivel(o.second));
            for (const auto& o : origens) {
                Achado a;
                a.erro = true;
                a.lado = QStringLiteral("destino");
                a.tabela = tabela;
                a.campo = cols.join(QLatin1Char('/'));
                a.controle = o.second;
                a.valor = codigo;
                a.problema = QStringLiteral("código '%1' repetido: %2 chaves da origem%3 dão o mesmo código (CONTROLE %4)")
                                 .arg(codigo)
                                 .arg(origens.size())
                                 .arg(o.first.isEmpty() ? QString() : QStringLiteral(" de ") + o.first)
                                 .arg(nomes.join(QStringLiteral(", ")));
                a.tipo = QStringLiteral("códigos repetidos por chaves distintas da origem");
                achado(std::move(a));
            }
        }
    }
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

    imprime(out, m_achados);
    if (!m_opcoes.relatorio.isEmpty()) {
        QFile f(m_opcoes.relatorio);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(relatorioCsv(m_achados)) < 0 || !f.flush()) {
            std::fprintf(out, "Não foi possível gravar o relatório %s: %s\n", m_opcoes.relatorio.toUtf8().constData(),
                         f.errorString().toUtf8().constData());
            return 1;
        }
        std::fprintf(out, "Relatório gravado em %s (%zu achados).\n", m_opcoes.relatorio.toUtf8().constData(),
                     m_achados.size());
    }
    const bool falha = std::any_of(m_achados.begin(), m_achados.end(), [](const Achado& a) { return a.erro; });
    return falha ? 1 : 0;
}

namespace {
QString umaLinha(QString t)
{
    t.replace(QChar(13), QLatin1Char(' '));
    t.replace(QChar(10), QLatin1Char(' '));
    return t;
}

QString detalhe(const VerificacaoPrevia::Achado& a)
{
    QString t;
    if (!a.controle.isNull() && (!a.controle.isEmpty() || a.lado == QLatin1String("origem")))
        t = QStringLiteral("CONTROLE ") + ProgressWalk::chaveLegivel(a.controle) + QStringLiteral(": ");
    t += a.problema;
    if (!a.valor.isEmpty() && !a.problema.contains(a.valor))
        t += QStringLiteral(" — valor '") + (a.valor.size() > 60 ? a.valor.left(60) + QStringLiteral("...") : a.valor) +
             QLatin1Char('\'');
    return umaLinha(t);
}

QString campoCsv(const QString& v)
{
    if (!v.contains(QLatin1Char(',')) && !v.contains(QLatin1Char('"')) && !v.contains(QChar(10)) && !v.contains(QChar(13)))
        return v;
    return QLatin1Char('"') + QString(v).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}
}  // namespace

void VerificacaoPrevia::imprime(std::FILE* out, const std::vector<Achado>& achados)
{
    // Findings of one kind stand together, in the order the first of each was found.
    constexpr size_t kPrimeiros = 5;
    std::vector<std::vector<const Achado*>> grupos;
    std::map<QString, size_t> indice;
    for (const Achado& a : achados) {
        if (a.tipo.isEmpty()) {
            grupos.push_back({&a});
            continue;
        }
        const QString chave = QString::number(a.erro) + QChar(1) + a.onde + QChar(1) + a.tipo;
        const auto it = indice.find(chave);
        if (it != indice.end()) {
            grupos[it->second].push_back(&a);
        } else {
            indice.emplace(chave, grupos.size());
            grupos.push_back({&a});
        }
    }
    int largura = 10;
    for (const Achado& a : achados)
        largura = std::max(largura, static_cast<int>(a.onde.size()));
    const auto linha = [&](const Achado& a, const QString& texto) {
        std::fprintf(out, "%-5s  %-*s  %s\n", a.erro ? "ERRO" : "aviso", largura, a.onde.toUtf8().constData(),
                     texto.toUtf8().constData());
    };
    std::fprintf(out, "%-5s  %-*s  %s\n", "nível", largura, "onde", "problema");
    for (const auto& g : grupos) {
        const Achado& primeiro = *g.front();
        if (g.size() == 1) {
            linha(primeiro, detalhe(primeiro));
            continue;
        }
        linha(primeiro, QStringLiteral("%1 (%2 ocorrências)").arg(umaLinha(primeiro.tipo)).arg(g.size()));
        for (size_t i = 0; i < g.size() && i < kPrimeiros; ++i)
            std::fprintf(out, "%-5s  %-*s    %s\n", "", largura, "", detalhe(*g[i]).toUtf8().constData());
        if (g.size() > kPrimeiros)
            std::fprintf(out, "%-5s  %-*s    ... e mais %zu\n", "", largura, "", g.size() - kPrimeiros);
    }
    const bool falha = std::any_of(achados.begin(), achados.end(), [](const Achado& a) { return a.erro; });
    std::fprintf(out, "%s\n", falha ? "Verificação: a conversão falharia ou gravaria valores errados."
                                    : "Verificação: nenhum problema encontrado.");
}

QByteArray VerificacaoPrevia::relatorioCsv(const std::vector<Achado>& achados)
{
    // A byte order mark, so that a spreadsheet opened on it reads UTF-8; CRLF ends each record.
    QString t = QChar(0xFEFF) + QStringLiteral("nível,lado,tabela,CONTROLE,campo,valor,problema\r\n");
    for (const Achado& a : achados) {
        const QStringList campos = {a.erro ? QStringLiteral("erro") : QStringLiteral("aviso"), a.lado, a.tabela,
                                    a.controle, a.campo, a.valor, a.problema};
        QStringList linha;
        for (const QString& c : campos)
            linha.append(campoCsv(c));
        t += linha.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return t.toUtf8();
}
