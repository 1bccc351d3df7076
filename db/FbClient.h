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
