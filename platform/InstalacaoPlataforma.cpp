#include "platform/InstalacaoPlataforma.h"
#include "platform/Platform.h"

InstalacaoPlataforma::InstalacaoPlataforma(MessageBoxes* mensagens, EventPump* eventos)
    : m_mensagensAntes(Platform::messages()), m_eventosAntes(Platform::events())
{
    Platform::setMessages(mensagens);
    Platform::setEvents(eventos);
}

InstalacaoPlataforma::~InstalacaoPlataforma()
{
    Platform::setMessages(&m_mensagensAntes);
    Platform::setEvents(&m_eventosAntes);
}
