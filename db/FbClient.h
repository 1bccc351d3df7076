#pragma once
#include <QString>
#include <firebird/Interface.h>

// Access to the Firebird client library and its error texts.
class FbClient {
public:
    static Firebird::IMaster* master();
    static Firebird::IUtil* util();
    static Firebird::IProvider* provider();
    // The full text of the status's error vector, as the server wrote it.
    static QString message(const Firebird::FbException& e);
    static QString message(Firebird::IStatus* status);
    // The client library answers SIGINT and SIGTERM by shutting every attachment down at once,
    // which would cut a run off in the middle of a statement with "connection shutdown". From
    // this call on it refuses those shutdowns and calls aoSinal instead, so the program stops
    // at a point of its own choosing.
    static void recusaDesligamentoPorSinal(void (*aoSinal)());
    // A status wrapper that raises FbException; owns its status object.
    class Status {
    public:
        Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
        ~Status() { m_status->dispose(); }
        Status(const Status&) = delete;
        Status& operator=(const Status&) = delete;
        Firebird::ThrowStatusWrapper* operator&() { return &m_wrapper; }

    private:
        Firebird::IStatus* m_status;
        Firebird::ThrowStatusWrapper m_wrapper;
    };
};
