#include "app/gui/TBarraProgresso.h"
#include <QPainter>

TBarraProgresso::TBarraProgresso(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString TBarraProgresso::textoPercentual() const
{
    return QString::number(percent()) + QLatin1Char('%');
}

QRect TBarraProgresso::areaInterna() const { return rect().adjusted(1, 1, -1, -1); }

int TBarraProgresso::larguraPreenchida() const
{
    return areaInterna().width() * percent() / 100;
}

void TBarraProgresso::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_corBorda);
    const QRect interna = areaInterna();
    p.fillRect(interna, m_corFundo);
    const int largura = larguraPreenchida();
    const QRect cheia(interna.left(), interna.top(), largura, interna.height());
    const QRect vazia(interna.left() + largura, interna.top(), interna.width() - largura,
                      interna.height());
    p.fillRect(cheia, m_corBarra);

    // The text changes colour where the bar runs under it, so it stays readable on both parts.
    const QString texto = textoPercentual();
    p.setFont(font());
    p.setClipRect(vazia);
    p.setPen(m_corTexto);
    p.drawText(interna, Qt::AlignCenter, texto);
    p.setClipRect(cheia);
    p.setPen(m_corTextoBarra);
    p.drawText(interna, Qt::AlignCenter, texto);
}
