// Replays the statements a run sent to the target (a file written with the runner's
// --registro-comandos) straight through the Firebird client, one by one, in one transaction and
// with nothing else: the floor that a conversion run of this design can reach.
//   repete-comandos DESTINO.FB REGISTRO
#include "db/FbClient.h"
#include <QFile>
#include <QHash>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Firebird;

namespace {
struct Registro {
    char kind;
    QByteArray sql;
    QList<QByteArray> params;
};

std::vector<Registro> ler(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "repete-comandos: não foi possível ler %s\n", arquivo.toUtf8().constData());
        std::exit(2);
    }
    const QByteArray all = f.readAll();
    std::vector<Registro> out;
    qsizetype p = 0;
    auto numero = [&]() {
        const qsizetype sp = all.indexOf(' ', p);
        const int n = all.mid(p, sp - p).toInt();
        p = sp + 1;
        return n;
    };
    while (p < all.size()) {
        Registro r;
        r.kind = all[p++];
        const int len = numero();
        r.sql = all.mid(p, len);
        p += len + 1;
        const int np = numero();
        for (int i = 0; i < np; ++i) {
            if (all[p] == 'N') {
                r.params.append(QByteArray());
                p += 2;
                continue;
            }
            const int pl = numero();
            r.params.append(all.mid(p, pl).isNull() ? QByteArray("") : all.mid(p, pl));
            p += pl + 1;
        }
        ++p;  // end of record
        out.push_back(r);
    }
    return out;
}

struct Preparado {
    IStatement* stmt;
    IMessageMetadata* in;
    IMessageMetadata* out;
};
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: repete-comandos DESTINO.FB REGISTRO\n");
        return 2;
    }
    const std::vector<Registro> registros = ler(QString::fromLocal8Bit(argv[2]));
    FbClient::Status st;
    try {
        IXpbBuilder* dpb = FbClient::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st, isc_dpb_password, "velorquin");
        dpb->insertString(&st, isc_dpb_lc_ctype, "WIN1252");
        IAttachment* att = FbClient::provider()->attachDatabase(&st, argv[1], dpb->getBufferLength(&st), dpb->getBuffer(&st));
        dpb->dispose();
        const auto inicio = std::chrono::steady_clock::now();
        ITransaction* tra = att->startTransaction(&st, 0, nullptr);
        QHash<QByteArray, Preparado> cache;
        std::vector<unsigned char> buf, outBuf;
        long executados = 0;
        for (const Registro& r : registros) {
            if (r.kind == 'C')
                continue;  // one transaction for the whole replay
            if (r.kind == 'E' && r.params.isEmpty()) {
                att->execute(&st, tra, static_cast<unsigned>(r.sql.size()), r.sql.constData(), 1, nullptr, nullptr, nullptr, nullptr);
                ++executados;
                continue;
            }
            auto it = cache.find(r.sql);
            if (it == cache.end()) {
                Preparado p{};
                p.stmt = att->prepare(&st, tra, static_cast<unsigned>(r.sql.size()), r.sql.constData(), 1,
                                      IStatement::PREPARE_PREFETCH_METADATA);
                IMessageMetadata* described = p.stmt->getInputMetadata(&st);
                IMetadataBuilder* b = described->getBuilder(&st);
                const unsigned n = described->getCount(&st);
                described->release();
                for (unsigned i = 0; i < n; ++i) {
                    b->setType(&st, i, SQL_VARYING);
                    b->setSubType(&st, i, 0);
                    b->setScale(&st, i, 0);
                    b->setLength(&st, i, 32765);
                    b->setCharSet(&st, i, 53);
                }
                p.in = b->getMetadata(&st);
                b->release();
                p.out = p.stmt->getOutputMetadata(&st);
                it = cache.insert(r.sql, p);
            }
            const Preparado& p = it.value();
            buf.assign(p.in->getMessageLength(&st), 0);
            for (int i = 0; i < r.params.size(); ++i) {
                short* nul = reinterpret_cast<short*>(&buf[p.in->getNullOffset(&st, static_cast<unsigned>(i))]);
                unsigned char* d = &buf[p.in->getOffset(&st, static_cast<unsigned>(i))];
                if (r.params[i].isNull()) {
                    *nul = -1;
                    continue;
                }
                *nul = 0;
                const unsigned short len = static_cast<unsigned short>(r.params[i].size());
                std::memcpy(d, &len, 2);
                std::memcpy(d + 2, r.params[i].constData(), len);
            }
            outBuf.assign(p.out->getMessageLength(&st), 0);
            if (r.kind == 'O') {
                IResultSet* rs = p.stmt->openCursor(&st, tra, p.in, buf.data(), p.out, 0);
                while (rs->fetchNext(&st, outBuf.data()) == IStatus::RESULT_OK) {
                }
                rs->close(&st);
            } else {
                p.stmt->execute(&st, tra, p.in, buf.data(), p.out, outBuf.data());
            }
            ++executados;
        }
        tra->commit(&st);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        for (const Preparado& p : cache) {
            p.in->release();
            p.out->release();
            p.stmt->free(&st);
        }
        att->detach(&st);
        std::printf("repetidos %ld comandos em %.3f s\n", executados, s);
    } catch (const FbException& e) {
        std::fprintf(stderr, "repete-comandos: %s\n", FbClient::message(e).toUtf8().constData());
        return 1;
    }
    return 0;
}
