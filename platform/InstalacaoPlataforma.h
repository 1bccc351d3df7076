#pragma once
class MessageBoxes;
class EventPump;

// Installs message boxes and an event pump for as long as it lives; at its end the ones that
// were installed before come back, however the scope is left.
class InstalacaoPlataforma {
public:
    InstalacaoPlataforma(MessageBoxes* mensagens, EventPump* eventos);
    ~InstalacaoPlataforma();
    InstalacaoPlataforma(const InstalacaoPlataforma&) = delete;
    InstalacaoPlataforma& operator=(const InstalacaoPlataforma&) = delete;

private:
    MessageBoxes& m_mensagensAntes;
    EventPump& m_eventosAntes;
};
