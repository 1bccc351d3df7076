#pragma once
#include "platform/Gauge.h"
#include <QColor>
#include <QWidget>

// The progress gauge of the window: a horizontal bar filled to the gauge's percentage, with the
// percentage written over it. A maximum of 0 shows an empty bar and "0%", never a busy animation.
class TBarraProgresso : public QWidget, public Gauge {
    Q_OBJECT
    // Settable from the theme's style sheet (qproperty-...).
    Q_PROPERTY(QColor corBarra MEMBER m_corBarra)
    Q_PROPERTY(QColor corFundo MEMBER m_corFundo)
    Q_PROPERTY(QColor corBorda MEMBER m_corBorda)
    Q_PROPERTY(QColor corTexto MEMBER m_corTexto)
    Q_PROPERTY(QColor corTextoBarra MEMBER m_corTextoBarra)

public:
    explicit TBarraProgresso(QWidget* parent = nullptr);

    QString textoPercentual() const;  // e.g. "33%"
    QRect areaInterna() const;        // inside the border
    int larguraPreenchida() const;    // filled part of areaInterna(), in pixels

protected:
    // The model asks for a repaint; the paint happens when the window next processes its events.
    void repaint() override { update(); }
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_corBarra{0x2f, 0xa3, 0x9b};
    QColor m_corFundo{0xf6, 0xf9, 0xf9};
    QColor m_corBorda{0x7a, 0x98, 0x96};
    QColor m_corTexto{0x1c, 0x26, 0x26};
    QColor m_corTextoBarra{Qt::white};
};
