#include "Objects.h"

#include "Noise.h"
#include "Surfaces.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace {

QColor Base(TFinish finish) {
    switch (finish) {
    case TFinish::Stainless:
        return QColor(196, 199, 204);
    case TFinish::Galvanised:
        return QColor(182, 186, 176);
    case TFinish::Aluminium:
        return QColor(208, 210, 212);
    case TFinish::Black:
        return QColor(48, 48, 52);
    case TFinish::GreyPlastic:
        return QColor(120, 122, 124);
    }
    return Qt::gray;
}

// Light from the top left: a metal part shaded across its height.
QBrush Metal(TFinish finish, const QRectF& box, bool vertical = true) {
    const QColor c = Base(finish);
    QLinearGradient g(box.topLeft(), vertical ? box.bottomLeft() : box.topRight());
    g.setColorAt(0, c.lighter(finish == TFinish::Black ? 190 : 125));
    g.setColorAt(0.35, c.lighter(108));
    g.setColorAt(0.6, c.darker(115));
    g.setColorAt(1, c.darker(finish == TFinish::Black ? 140 : 150));
    return QBrush(g);
}

} // namespace

QImage OnBackground(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QRadialGradient back(size.width() * 0.5, size.height() * 0.4, size.width() * 0.75);
    back.setColorAt(0, QColor(250, 250, 248));
    back.setColorAt(1, QColor(222, 222, 218));
    p.fillRect(image.rect(), back);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return image;
}

void DropShadow(QPainter& p, const QRectF& box) {
    QRadialGradient g(box.center() + QPointF(6, box.height() * 0.45), box.width() * 0.55);
    g.setColorAt(0, QColor(0, 0, 0, 70));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(
        QRectF(box.left(), box.bottom() - box.height() * 0.1, box.width(), box.height() * 0.25));
}

namespace {

void Hole(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.2));
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(c, r, r);
}

void DrawScrew(QPainter& p, QRectF box, TFinish finish, bool torx) {
    const double h = box.height();
    const double headW = h * 0.28, shank = h * 0.42;
    const double cy = box.center().y();
    DropShadow(p, box);
    // Countersunk head seen from the side.
    QPainterPath head;
    head.moveTo(box.left(), cy - h / 2);
    head.lineTo(box.left() + headW * 0.3, cy - h / 2);
    head.lineTo(box.left() + headW, cy - shank / 2);
    head.lineTo(box.left() + headW, cy + shank / 2);
    head.lineTo(box.left() + headW * 0.3, cy + h / 2);
    head.lineTo(box.left(), cy + h / 2);
    head.closeSubpath();
    p.setPen(QPen(Base(finish).darker(180), 1));
    p.setBrush(Metal(finish, QRectF(box.left(), cy - h / 2, headW, h)));
    p.drawPath(head);
    // Shank with the thread, then the point.
    const double tip = box.right() - h * 0.5;
    const QRectF body(box.left() + headW, cy - shank / 2, tip - box.left() - headW, shank);
    p.setBrush(Metal(finish, body));
    p.drawRect(body);
    QPainterPath point;
    point.moveTo(tip, cy - shank / 2);
    point.lineTo(box.right(), cy);
    point.lineTo(tip, cy + shank / 2);
    point.closeSubpath();
    p.drawPath(point);
    p.setPen(QPen(Base(finish).darker(170), 1.6));
    const double pitch = shank * 0.45;
    for (double x = body.left() + body.width() * 0.3; x < tip; x += pitch)
        p.drawLine(QPointF(x, cy - shank / 2), QPointF(x + pitch * 0.6, cy + shank / 2));
    // Drive recess on the head's face.
    p.setPen(Qt::NoPen);
    p.setBrush(Base(finish).darker(200));
    if (torx)
        p.drawEllipse(QRectF(box.left() + 1, cy - h * 0.12, headW * 0.18, h * 0.24));
    else
        p.drawRect(QRectF(box.left() + 1, cy - h * 0.2, headW * 0.12, h * 0.4));
}

} // namespace

QImage ClipPicture(QSize Size, TClipKind Kind, TFinish Finish) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QRectF box(w * 0.22, h * 0.25, w * 0.56, h * 0.45);
        DropShadow(p, box);
        QPainterPath shape;
        switch (Kind) {
        case TClipKind::Middle: // a T: the web goes between the boards
            shape.addRect(box.left(), box.top(), box.width(), box.height() * 0.32);
            shape.addRect(box.center().x() - box.width() * 0.08, box.top(), box.width() * 0.16,
                          box.height());
            break;
        case TClipKind::Groove: // an H with tongues for the grooves
            shape.addRect(box.left(), box.top() + box.height() * 0.35, box.width(),
                          box.height() * 0.3);
            shape.addRect(box.left(), box.top(), box.width() * 0.18, box.height());
            shape.addRect(box.right() - box.width() * 0.18, box.top(), box.width() * 0.18,
                          box.height());
            break;
        case TClipKind::Start: // an L against the first board
            shape.addRect(box.left(), box.bottom() - box.height() * 0.3, box.width(),
                          box.height() * 0.3);
            shape.addRect(box.left(), box.top(), box.width() * 0.22, box.height());
            break;
        case TClipKind::Facade:
            shape.addRoundedRect(box.adjusted(0, box.height() * 0.2, 0, -box.height() * 0.2), 8, 8);
            shape.addRect(box.center().x() - 6, box.top(), 12, box.height());
            break;
        case TClipKind::Hollow: // a plug for the chambers of hollow boards
            shape.addRoundedRect(box.adjusted(box.width() * 0.1, 0, -box.width() * 0.1, 0), 14, 14);
            break;
        }
        shape.setFillRule(Qt::WindingFill);
        p.setPen(QPen(Base(Finish).darker(170), 1.5));
        p.setBrush(Metal(Finish, box));
        p.drawPath(shape.simplified());
        Hole(p, box.center() + QPointF(0, Kind == TClipKind::Start ? box.height() * 0.3 : 0), 7);
    });
}

QImage ClawPicture(QSize Size, TFinish Finish, bool Small) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const double scale = Small ? 0.7 : 1.0;
        const QRectF plate(w * (0.5 - 0.3 * scale), h * (0.5 - 0.14 * scale), w * 0.6 * scale,
                           h * 0.28 * scale);
        DropShadow(p, plate.adjusted(0, 0, 0, plate.height()));
        QPainterPath claw;
        claw.addRect(plate);
        // Teeth bent out along both long edges.
        const int teeth = 6;
        const double step = plate.width() / teeth;
        for (int i = 0; i < teeth; ++i) {
            const double x = plate.left() + i * step;
            for (const double sign : {-1.0, 1.0}) {
                const double edge = sign < 0 ? plate.top() : plate.bottom();
                QPolygonF tooth{QPointF(x + step * 0.15, edge),
                                QPointF(x + step * 0.5, edge + sign * h * 0.12 * scale),
                                QPointF(x + step * 0.85, edge)};
                claw.addPolygon(tooth);
                claw.closeSubpath();
            }
        }
        claw.setFillRule(Qt::WindingFill);
        p.setPen(QPen(Base(Finish).darker(170), 1.2));
        if (Finish == TFinish::Galvanised) {
            p.setBrush(QBrush(GalvanisedSurface(Size, 7)));
        } else {
            p.setBrush(Metal(Finish, plate));
        }
        p.drawPath(claw.simplified());
        Hole(p, plate.center() - QPointF(plate.width() * 0.2, 0), 6 * scale);
        Hole(p, plate.center() + QPointF(plate.width() * 0.2, 0), 6 * scale);
    });
}

QImage ScrewPicture(QSize Size, TFinish Finish, double Length, bool Torx) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const double len = w * 0.8 * Length;
        DrawScrew(p, QRectF((w - len) / 2, h * 0.5 - h * 0.09, len, h * 0.18), Finish, Torx);
        // A second one behind, turned a little, as on a product photo.
        p.save();
        p.translate(w * 0.5, h * 0.75);
        p.rotate(-8);
        DrawScrew(p, QRectF(-len * 0.45, -h * 0.07, len * 0.9, h * 0.14), Finish, Torx);
        p.restore();
    });
}

QImage ConnectorPicture(QSize Size, TConnectorKind Kind, TFinish Finish) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QPointF c(w / 2, h / 2);
        const double arm = h * 0.32, t = h * 0.13;
        QPainterPath shape;
        switch (Kind) {
        case TConnectorKind::Cross:
            shape.addRect(c.x() - arm, c.y() - t / 2, 2 * arm, t);
            shape.addRect(c.x() - t / 2, c.y() - arm, t, 2 * arm);
            break;
        case TConnectorKind::Angle:
            shape.addRect(c.x() - arm, c.y() + arm - t, 2 * arm, t);
            shape.addRect(c.x() - arm, c.y() - arm, t, 2 * arm);
            break;
        case TConnectorKind::Straight:
            shape.addRect(c.x() - 1.6 * arm, c.y() - t, 3.2 * arm, 2 * t);
            break;
        case TConnectorKind::Strip:
            shape.addRect(c.x() - 1.6 * arm, c.y() - t * 0.6, 3.2 * arm, 1.2 * t);
            break;
        }
        shape.setFillRule(Qt::WindingFill);
        const QRectF box = shape.boundingRect();
        DropShadow(p, box);
        p.setPen(QPen(Base(Finish).darker(160), 1.4));
        p.setBrush(Metal(Finish, box));
        p.drawPath(shape.simplified());
        // Screw holes along the arms.
        if (Kind == TConnectorKind::Straight || Kind == TConnectorKind::Strip) {
            for (int i = -2; i <= 2; ++i)
                Hole(p, c + QPointF(i * arm * 0.6, 0), t * 0.22);
        } else {
            Hole(p, c + QPointF(-arm * 0.6, Kind == TConnectorKind::Angle ? arm - t / 2 : 0),
                 t * 0.22);
            Hole(p, c + QPointF(Kind == TConnectorKind::Angle ? -arm + t / 2 : 0, -arm * 0.6),
                 t * 0.22);
        }
    });
}

QImage PerforatedPlatePicture(QSize Size) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QRectF plate(w * 0.15, h * 0.3, w * 0.7, h * 0.38);
        DropShadow(p, plate);
        p.setPen(QPen(QColor(110, 112, 108), 1.2));
        p.setBrush(QBrush(GalvanisedSurface(Size, 11)));
        p.drawRect(plate);
        for (double x = plate.left() + 14; x < plate.right() - 6; x += 22)
            for (double y = plate.top() + 14; y < plate.bottom() - 6; y += 22)
                Hole(p, QPointF(x, y), 4.5);
    });
}

QImage FootPicture(QSize Size) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QRectF base(w * 0.25, h * 0.68, w * 0.5, h * 0.1);
        const QRectF rod(w * 0.47, h * 0.28, w * 0.06, h * 0.42);
        const QRectF top(w * 0.33, h * 0.2, w * 0.34, h * 0.09);
        DropShadow(p, base);
        p.setPen(QPen(QColor(20, 20, 20), 1));
        p.setBrush(Metal(TFinish::Black, base));
        p.drawRoundedRect(base, 6, 6);
        p.setBrush(Metal(TFinish::Black, rod, false));
        p.drawRect(rod);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        for (double y = rod.top() + 4; y < rod.bottom(); y += 6)
            p.drawLine(QPointF(rod.left(), y), QPointF(rod.right(), y + 3));
        p.setPen(QPen(QColor(20, 20, 20), 1));
        p.setBrush(Metal(TFinish::Black, top));
        p.drawRoundedRect(top, 5, 5);
    });
}

QImage PadPicture(QSize Size) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // A square pad in perspective, with its knobbed surface.
        const QPolygonF pad{QPointF(w * 0.2, h * 0.55), QPointF(w * 0.55, h * 0.3),
                            QPointF(w * 0.85, h * 0.45), QPointF(w * 0.5, h * 0.72)};
        DropShadow(p, pad.boundingRect());
        p.setPen(QPen(QColor(15, 15, 15), 1));
        p.setBrush(QColor(38, 38, 40));
        p.drawPolygon(pad);
        p.setBrush(QColor(25, 25, 27));
        p.drawPolygon(QPolygonF{pad[0], pad[3], pad[3] + QPointF(0, 12), pad[0] + QPointF(0, 12)});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(62, 62, 66));
        for (int i = 1; i < 6; ++i)
            for (int j = 1; j < 6; ++j) {
                const QPointF a = pad[0] + (pad[1] - pad[0]) * (i / 6.0);
                const QPointF q = a + (pad[3] - pad[0]) * (j / 6.0);
                p.drawEllipse(q, 4, 2.5);
            }
    });
}

QImage FleecePicture(QSize Size) {
    const TNoise noise(21);
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // Unrolled fleece with a matt, fibrous surface, the roll behind it.
        QImage cloth(Size, QImage::Format_RGB32);
        for (int y = 0; y < Size.height(); ++y)
            for (int x = 0; x < Size.width(); ++x) {
                const int v = int(28 + 30 * noise.Fractal(x / 2.5, y / 2.5, 3));
                cloth.setPixel(x, y, qRgb(v, v, v + 2));
            }
        const QRectF sheet(w * 0.1, h * 0.45, w * 0.8, h * 0.38);
        DropShadow(p, sheet);
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(cloth));
        p.drawRect(sheet);
        const QRectF roll(w * 0.1, h * 0.22, w * 0.8, h * 0.26);
        QLinearGradient g(roll.topLeft(), roll.bottomLeft());
        g.setColorAt(0, QColor(70, 70, 72));
        g.setColorAt(0.5, QColor(35, 35, 37));
        g.setColorAt(1, QColor(18, 18, 20));
        p.setBrush(g);
        p.drawRoundedRect(roll, roll.height() / 2, roll.height() / 2);
    });
}

QImage OilCanPicture(QSize Size, QColor Label) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QRectF can(w * 0.32, h * 0.2, w * 0.36, h * 0.62);
        DropShadow(p, can);
        p.setPen(QPen(QColor(90, 92, 96), 1.2));
        p.setBrush(Metal(TFinish::Stainless, can, false));
        p.drawRoundedRect(can, 8, 8);
        p.setBrush(Metal(TFinish::Stainless, QRectF(can.left() + 10, can.top() - 18, 30, 18)));
        p.drawRect(QRectF(can.left() + 12, can.top() - 16, 26, 16)); // spout
        p.setPen(QPen(QColor(90, 92, 96), 6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(can.center().x() - 10, can.top() - 28, 60, 50), 0, 180 * 16); // handle
        const QRectF label = can.adjusted(6, can.height() * 0.3, -6, -can.height() * 0.2);
        p.setPen(Qt::NoPen);
        p.setBrush(Label);
        p.drawRect(label);
        p.setBrush(Label.lighter(170));
        p.drawRect(label.adjusted(8, label.height() * 0.3, -8, -label.height() * 0.45));
    });
}

QImage KitPicture(QSize Size) {
    const QImage clip = ClipPicture(QSize(160, 120), TClipKind::Middle, TFinish::Stainless);
    const QImage screw = ScrewPicture(QSize(180, 120), TFinish::Stainless, 0.8, true);
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // A cardboard box, open, with clips and screws on top.
        const QRectF box(w * 0.12, h * 0.35, w * 0.76, h * 0.5);
        DropShadow(p, box);
        p.setPen(QPen(QColor(120, 85, 45), 1.5));
        p.setBrush(QColor(196, 152, 98));
        p.drawRect(box);
        p.setBrush(QColor(170, 128, 78));
        p.drawPolygon(QPolygonF{box.topLeft(), box.topRight(), box.topRight() + QPointF(-30, -40),
                                box.topLeft() + QPointF(30, -40)});
        // Multiplied, so the pictures' light backgrounds take the cardboard's colour.
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.drawImage(QRectF(w * 0.18, h * 0.42, 160, 120), clip);
        p.drawImage(QRectF(w * 0.5, h * 0.45, 160, 106), screw);
    });
}

QImage BitPicture(QSize Size) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        const QRectF hex(w * 0.18, h * 0.42, w * 0.38, h * 0.16);
        const QRectF neck(hex.right(), h * 0.46, w * 0.16, h * 0.08);
        const QRectF tip(neck.right(), h * 0.44, w * 0.1, h * 0.12);
        DropShadow(p, hex.united(tip));
        p.setPen(QPen(QColor(70, 70, 74), 1));
        p.setBrush(Metal(TFinish::Stainless, hex));
        p.drawRect(hex);
        p.drawLine(QPointF(hex.left(), hex.center().y()), QPointF(hex.right(), hex.center().y()));
        p.setBrush(Metal(TFinish::Stainless, neck));
        p.drawRect(neck);
        p.setBrush(Metal(TFinish::Black, tip));
        p.drawRoundedRect(tip, 3, 3);
        p.setPen(QPen(QColor(200, 200, 200), 1));
        for (int i = 1; i < 3; ++i)
            p.drawLine(QPointF(tip.left() + 2, tip.top() + i * tip.height() / 3),
                       QPointF(tip.right() - 2, tip.top() + i * tip.height() / 3));
    });
}

QImage AngleProfilePicture(QSize Size, QColor Colour) {
    return OnBackground(Size, [&](QPainter& p) {
        const double w = Size.width(), h = Size.height();
        // A long angle in perspective: the two legs running into the depth.
        const QPointF depth(w * 0.45, -h * 0.22);
        const QPointF a(w * 0.12, h * 0.78), b(w * 0.42, h * 0.78), c(w * 0.12, h * 0.5);
        QLinearGradient g(QPointF(0, 0), QPointF(0, h));
        g.setColorAt(0, Colour.lighter(130));
        g.setColorAt(1, Colour.darker(130));
        p.setPen(QPen(Colour.darker(180), 1.2));
        p.setBrush(g);
        p.drawPolygon(QPolygonF{a, b, b + depth, a + depth}); // bottom leg
        p.setBrush(Colour.darker(115));
        p.drawPolygon(QPolygonF{a, c, c + depth, a + depth}); // upright leg
        p.setBrush(Colour.lighter(115));
        p.drawPolygon(
            QPolygonF{a, b, b + QPointF(0, -6), a + QPointF(6, -6), c + QPointF(6, 0), c});
    });
}
