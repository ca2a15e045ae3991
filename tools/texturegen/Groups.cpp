#include "Objects.h"

#include "Noise.h"
#include "Surfaces.h"

#include <QPainter>

namespace {

// Four pictures in a two by two grid.
QImage Grid(QSize Size, const QImage (&parts)[4]) {
    QImage image(Size, QImage::Format_RGB32);
    QPainter p(&image);
    const QSize part(Size.width() / 2, Size.height() / 2);
    for (int i = 0; i < 4; ++i)
        p.drawImage(QPoint((i % 2) * part.width(), (i / 2) * part.height()), parts[i]);
    p.end();
    return image;
}

} // namespace

QImage ClipsGroupPicture(QSize Size) {
    const QSize part(Size.width() / 2, Size.height() / 2);
    const QImage images[] = {ClipPicture(part, TClipKind::Middle, TFinish::Stainless),
                             ClipPicture(part, TClipKind::Groove, TFinish::Stainless),
                             ClawPicture(part, TFinish::Galvanised, false),
                             ClipPicture(part, TClipKind::Hollow, TFinish::GreyPlastic)};
    return Grid(Size, images);
}

QImage AccessoriesGroupPicture(QSize Size) {
    const QSize part(Size.width() / 2, Size.height() / 2);
    const QImage images[] = {ScrewPicture(part, TFinish::Stainless, 1.0, true),
                             ConnectorPicture(part, TConnectorKind::Cross, TFinish::Aluminium),
                             FootPicture(part), OilCanPicture(part, QColor(140, 70, 40))};
    return Grid(Size, images);
}

QImage ModulesGroupPicture(QSize Size, std::uint32_t Seed) {
    TWoodStyle larch;
    larch.Light = QColor(214, 160, 100);
    larch.Dark = QColor(150, 90, 45);
    larch.RingSpacing = 9;
    const QImage wood = WoodSurface(QSize(260, 40), larch, Seed);
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // A planter of stacked boards with a shrub, a bench beside it.
        const QRectF planter(w * 0.08, h * 0.42, w * 0.42, h * 0.42);
        DropShadow(p, planter);
        p.setPen(QPen(QColor(90, 55, 25), 1.2));
        for (int i = 0; i < 4; ++i) {
            const QRectF board(planter.left(), planter.top() + i * planter.height() / 4,
                               planter.width(), planter.height() / 4 - 2);
            p.drawImage(board, wood, QRectF(i * 10, 0, board.width(), 40));
            p.setBrush(Qt::NoBrush);
            p.drawRect(board);
        }
        p.setPen(Qt::NoPen);
        TRandom random(Seed);
        for (int i = 0; i < 60; ++i) {
            const QPointF c(planter.center().x() + random.Uniform(-70, 70),
                            planter.top() - 10 - random.Uniform(0, 80));
            p.setBrush(
                QColor(40 + int(random.Uniform(0, 40)), 110 + int(random.Uniform(0, 50)), 40));
            p.drawEllipse(c, 14, 12);
        }
        const QRectF seat(w * 0.56, h * 0.55, w * 0.38, h * 0.08);
        DropShadow(p, seat.adjusted(0, 0, 0, h * 0.2));
        p.setPen(QPen(QColor(90, 55, 25), 1.2));
        p.drawImage(seat, wood);
        p.setBrush(QColor(110, 70, 35));
        p.drawRect(QRectF(seat.left() + 8, seat.bottom(), 12, h * 0.2));
        p.drawRect(QRectF(seat.right() - 20, seat.bottom(), 12, h * 0.2));
    });
}

QImage StripsGroupPicture(QSize Size, std::uint32_t Seed) {
    (void)Seed;
    const QSize half(Size.width() / 2, Size.height());
    const QImage left = AngleProfilePicture(half, QColor(200, 202, 205));
    const QImage right = AngleProfilePicture(half, QColor(70, 66, 64));
    QImage image(Size, QImage::Format_RGB32);
    QPainter p(&image);
    p.drawImage(QPoint(0, 0), left);
    p.drawImage(QPoint(half.width(), 0), right);
    p.end();
    return image;
}

QImage SubstructureGroupPicture(QSize Size, std::uint32_t Seed) {
    TWoodStyle batten;
    batten.Light = QColor(200, 150, 95);
    batten.Dark = QColor(140, 90, 50);
    batten.RingSpacing = 8;
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // Battens on the ground, one aluminium profile among them.
        for (int i = 0; i < 4; ++i) {
            const QRectF r(w * 0.05, h * (0.12 + i * 0.2), w * 0.9, h * 0.12);
            DropShadow(p, r);
            const QImage strip =
                i == 2
                    ? BrushedSurface(r.size().toSize(), TBrushedStyle{QColor(205, 207, 210)}, Seed)
                    : WoodSurface(r.size().toSize(), batten, Seed + std::uint32_t(i));
            p.drawImage(r.topLeft(), strip);
            p.setPen(QPen(QColor(0, 0, 0, 80), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        }
    });
}
