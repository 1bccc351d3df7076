// Draws the window's pictures (header logo, header illustration, button glyphs) into PNG files.
// Run through ../gera-imagens; the PNG files it writes are kept with the sources.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {
const QColor kTurquesa(0x2f, 0xa3, 0x9b);
const QColor kTurquesaEscura(0x1d, 0x6b, 0x66);
const QColor kCinza(0x6e, 0x7b, 0x7a);
const QColor kCinzaClaro(0xc9, 0xd1, 0xd0);

QImage novaImagem(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void salva(const QImage& img, const QString& pasta, const QString& nome)
{
    const QString caminho = pasta + QLatin1Char('/') + nome;
    if (!img.save(caminho, "PNG")) {
        std::fprintf(stderr, "desenha: cannot write %s\n", qPrintable(caminho));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(caminho));
}

QFont fonte(int pixels, bool negrito, int espacamento = 0)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    if (espacamento)
        f.setLetterSpacing(QFont::AbsoluteSpacing, espacamento);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Pharmacy cross in a rounded square, the name beside it. Drawn at twice the shown size.
QImage logo()
{
    QImage img = novaImagem(274, 128);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF quadro(8, 14, 100, 100);
    QLinearGradient g(quadro.topLeft(), quadro.bottomLeft());
    g.setColorAt(0, kTurquesa.lighter(120));
    g.setColorAt(1, kTurquesaEscura);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(quadro, 22, 22);
    QPainterPath cruz;
    cruz.addRoundedRect(QRectF(46, 28, 24, 72), 5, 5);
    cruz.addRoundedRect(QRectF(22, 52, 72, 24), 5, 5);
    cruz.setFillRule(Qt::WindingFill);
    p.setBrush(Qt::white);
    p.drawPath(cruz.simplified());
    p.setPen(kTurquesaEscura);
    p.setFont(fonte(33, true));
    p.drawText(QRectF(118, 22, 156, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ostrevo"));
    p.setPen(kCinza);
    p.setFont(fonte(19, false, 3));
    p.drawText(QRectF(120, 76, 154, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("FARMÁCIA"));
    p.setPen(QPen(kTurquesa, 3));
    p.drawLine(QPointF(120, 108), QPointF(262, 108));
    return img;
}

void cilindro(QPainter& p, const QRectF& r, const QColor& cor)
{
    const qreal elipse = r.height() * 0.22;
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, cor.darker(115));
    g.setColorAt(0.45, cor.lighter(125));
    g.setColorAt(1, cor.darker(135));
    QPainterPath corpo;
    corpo.moveTo(r.left(), r.top() + elipse / 2);
    corpo.lineTo(r.left(), r.bottom() - elipse / 2);
    corpo.arcTo(QRectF(r.left(), r.bottom() - elipse, r.width(), elipse), 180, 180);
    corpo.lineTo(r.right(), r.top() + elipse / 2);
    corpo.arcTo(QRectF(r.left(), r.top(), r.width(), elipse), 0, 180);
    p.setPen(QPen(cor.darker(160), 2));
    p.setBrush(g);
    p.drawPath(corpo);
    p.setBrush(cor.lighter(150));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), elipse));
    // Bands that make it read as a stack of disks.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const qreal y = r.top() + (r.height() - elipse) * i / 3.0;
        p.drawArc(QRectF(r.left(), y, r.width(), elipse), 180 * 16, 180 * 16);
    }
}

// Two databases and the arrow between them: data moving from the old one to the new one. The
// header's title runs over the left part of this picture, so that part stays low and small.
QImage ilustracao()
{
    QImage img = novaImagem(264, 142);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    cilindro(p, QRectF(14, 92, 52, 46), kCinzaClaro.darker(115));
    cilindro(p, QRectF(150, 12, 100, 122), kTurquesa);
    QPainterPath seta;
    seta.moveTo(74, 108);
    seta.lineTo(112, 108);
    seta.lineTo(112, 96);
    seta.lineTo(140, 115);
    seta.lineTo(112, 134);
    seta.lineTo(112, 122);
    seta.lineTo(74, 122);
    seta.closeSubpath();
    QLinearGradient g(74, 0, 140, 0);
    g.setColorAt(0, kCinza);
    g.setColorAt(1, kTurquesaEscura);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(seta);
    return img;
}

QImage abrir()
{
    QImage img = novaImagem(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fundo(0xd9, 0x9a, 0x2b), frente(0xf2, 0xc2, 0x5c);
    p.setPen(QPen(fundo.darker(140), 1));
    p.setBrush(fundo);
    QPainterPath atras;
    atras.moveTo(1.5, 3.5);
    atras.lineTo(6, 3.5);
    atras.lineTo(7.5, 5);
    atras.lineTo(13.5, 5);
    atras.lineTo(13.5, 13.5);
    atras.lineTo(1.5, 13.5);
    atras.closeSubpath();
    p.drawPath(atras);
    p.setBrush(frente);
    QPainterPath aba;
    aba.moveTo(3.5, 7.5);
    aba.lineTo(15, 7.5);
    aba.lineTo(13.5, 13.5);
    aba.lineTo(1.5, 13.5);
    aba.closeSubpath();
    p.drawPath(aba);
    return img;
}

QImage converter()
{
    QImage img = novaImagem(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kTurquesa, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF c(2.5, 2.5, 11, 11);
    p.drawArc(c, 20 * 16, 140 * 16);
    p.drawArc(c, 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kTurquesaEscura);
    // Arrow heads at the ends of the two arcs, turning the same way.
    p.drawPolygon(QPolygonF({QPointF(1.0, 5.0), QPointF(5.8, 5.0), QPointF(3.0, 9.0)}));
    p.drawPolygon(QPolygonF({QPointF(15.0, 11.0), QPointF(10.2, 11.0), QPointF(13.0, 7.0)}));
    return img;
}

QImage sair()
{
    QImage img = novaImagem(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kCinza.darker(130), 1));
    p.setBrush(kCinzaClaro);
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.setBrush(QColor(0x8a, 0x5a, 0x3c));
    p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(7.5, 3.5), QPointF(7.5, 15.5), QPointF(1.5, 14.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawRect(QRectF(8, 7, 4, 2.5));
    p.drawPolygon(QPolygonF({QPointF(11.5, 4.5), QPointF(15.5, 8.25), QPointF(11.5, 12.0)}));
    return img;
}
}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString pasta = args.size() > 1 ? args[1] : QStringLiteral(".");
    QDir().mkpath(pasta);
    salva(logo(), pasta, QStringLiteral("logo.png"));
    salva(ilustracao(), pasta, QStringLiteral("conversao.png"));
    salva(abrir(), pasta, QStringLiteral("abrir.png"));
    salva(converter(), pasta, QStringLiteral("converter.png"));
    salva(sair(), pasta, QStringLiteral("sair.png"));
    return 0;
}
