#pragma once
#include <QPixmap>
#include <QWidget>

// A picture scaled to the widget's size, keeping its proportions.
class TFigura : public QWidget {
    Q_OBJECT
public:
    explicit TFigura(const QString& arquivo, QWidget* parent = nullptr);
    const QPixmap& imagem() const { return m_imagem; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_imagem;
};
