#pragma once
// What the batch runner prints: its output stream, and what it writes to stderr meanwhile.
#include <QString>
#include <cstdio>
#include <cstdlib>

struct Saida {
    char* buf = nullptr;
    size_t len = 0;
    std::FILE* f = open_memstream(&buf, &len);
    Saida() = default;
    Saida(const Saida&) = delete;
    Saida& operator=(const Saida&) = delete;
    ~Saida() { std::fclose(f); std::free(buf); }
    QString texto() { std::fflush(f); return QString::fromUtf8(buf, static_cast<int>(len)); }
};

// Runs f with stderr sent to a buffer of its own; answers what was written there.
template <typename F>
QString comErrosCapturados(F&& f)
{
    Saida err;
    std::FILE* salvo = stderr;
    stderr = err.f;
    struct Restaura {
        std::FILE* s;
        ~Restaura() { stderr = s; }
    } restaura{salvo};
    f();
    return err.texto();
}
