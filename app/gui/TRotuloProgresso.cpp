#include "app/gui/TRotuloProgresso.h"

TRotuloProgresso::TRotuloProgresso(QWidget* parent) : QLabel(parent)
{
    // Row data can hold "<"; it must never be read as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void TRotuloProgresso::setText(const QString& text)
{
    QLabel::setText(text);
    adjustSize();
}
