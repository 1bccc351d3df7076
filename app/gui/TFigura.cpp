#include "app/gui/TFigura.h"
#include <QPainter>

TFigura::TFigura(const QString& arquivo, QWidget* parent) : QWidget(parent), m_imagem(arquivo) {}

void TFigura::paintEvent(QPaintEvent*)
{
    if (m_imagem.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize tamanho = m_imagem.size().scaled(size(), Qt::KeepAspectRatio);
    p.drawPixmap(QRect(QPoint(0, 0), tamanho), m_imagem);
}
