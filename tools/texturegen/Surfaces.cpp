#include "Surfaces.h"

#include "Noise.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

QRgb Mix(const QColor& a, const QColor& b, double t) {
    t = Clamp01(t);
    return qRgb(int(a.red() + (b.red() - a.red()) * t),
                int(a.green() + (b.green() - a.green()) * t),
                int(a.blue() + (b.blue() - a.blue()) * t));
}

QRgb Shade(QRgb c, double factor) {
    const auto channel = [factor](int v) { return std::clamp(int(v * factor + 0.5), 0, 255); };
    return qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
}

// Light ridge, dark flank: one period of a riffled or grooved surface.
double Ridge(double y, double spacing, double depth) {
    if (spacing <= 0) return 1;
    const double phase = y / spacing - std::floor(y / spacing);
    return 1 + depth * (0.35 * std::sin(kTwoPi * phase) -
                        0.5 * std::pow(std::cos(std::numbers::pi * phase), 10));
}

struct TKnot {
    double x, y, r;
};

} // namespace

QImage WoodSurface(QSize Size, const TWoodStyle& Style, std::uint32_t Seed) {
    const TNoise warp(Seed), width(Seed + 1), fibre(Seed + 2), pores(Seed + 3), tone(Seed + 4);
    TRandom random(Seed + 5);
    std::vector<TKnot> knots;
    for (int i = 0; i < Style.Knots; ++i)
        knots.push_back({random.Uniform(0.1, 0.9) * Size.width(),
                         random.Uniform(0.15, 0.85) * Size.height(), random.Uniform(5, 11)});

    QImage image(Size, QImage::Format_RGB32);
    for (int y = 0; y < Size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Size.width(); ++x) {
            // Growth lines run along x and wander slowly; knots push them apart.
            double yy = y + Style.Warp * 2 * (warp.Fractal(x / 220.0, y / 70.0, 3) - 0.5);
            double knotDark = 0;
            for (const TKnot& k : knots) {
                const double dx = (x - k.x) / 2.4, dy = y - k.y;
                const double d2 = dx * dx + dy * dy;
                const double r2 = k.r * k.r;
                yy += 2.2 * r2 * dy / (d2 + r2);
                knotDark = std::max(knotDark, std::exp(-d2 / (r2 * 0.5)));
            }
            const double ring = yy / Style.RingSpacing + 0.9 * width.At(x / 300.0, y / 80.0);
            const double f = ring - std::floor(ring);
            const double late = std::pow(0.5 + 0.5 * std::cos(kTwoPi * f), 3);
            const double streak = fibre.Fractal(x / 55.0, y / 1.6, 2) - 0.5;
            double t = Style.Contrast * late + Style.Fibre * streak +
                       0.35 * (tone.Fractal(x / 160.0, y / 45.0, 2) - 0.5) + 0.1;
            if (Style.Pores > 0 && pores.At(x / 5.0, y / 1.1) > 0.8) t += Style.Pores;
            t = Clamp01(t) * (1 - knotDark) + knotDark * 1.25;
            QRgb c = Mix(Style.Light, Style.Dark, t);
            if (Style.Glaze.isValid()) c = Mix(QColor(c), Style.Glaze, Style.GlazeAmount);
            line[x] = Shade(c, Ridge(y, Style.GrooveSpacing, Style.GrooveDepth));
        }
    }
    return image;
}

QImage BrushedSurface(QSize Size, const TBrushedStyle& Style, std::uint32_t Seed) {
    const TNoise streaks(Seed), specks(Seed + 1), grain(Seed + 2), tone(Seed + 3);
    QImage image(Size, QImage::Format_RGB32);
    const double band = 0.35 * Size.height(), spread = 0.3 * Size.height();
    for (int y = 0; y < Size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double light = Style.Highlight * std::exp(-std::pow((y - band) / spread, 2));
        for (int x = 0; x < Size.width(); ++x) {
            double f = 1 + Style.Streaks * (streaks.Fractal(x / 130.0, y / 0.8, 3) - 0.5) + light +
                       0.06 * (tone.At(x / 150.0, y / 60.0) - 0.5);
            if (Style.WoodGrain > 0) {
                const double yy = y + 12 * (grain.Fractal(x / 200.0, y / 60.0, 2) - 0.5);
                const double ring = yy / 16.0 - std::floor(yy / 16.0);
                f -= Style.WoodGrain * std::pow(0.5 + 0.5 * std::cos(kTwoPi * ring), 4);
            }
            if (Style.Specks > 0) {
                const double s = specks.At(x / 1.7, y / 1.3);
                if (s > 0.86) f -= Style.Specks;
                if (s < 0.1) f += Style.Specks * 0.7;
            }
            f *= Ridge(y, Style.GrooveSpacing, Style.GrooveDepth);
            line[x] = Shade(Style.Base.rgb(), f);
        }
    }
    return image;
}

QImage GalvanisedSurface(QSize Size, std::uint32_t Seed) {
    struct TCell {
        double x, y, tone, angle;
    };
    TRandom random(Seed);
    std::vector<TCell> cells;
    for (int i = 0; i < 60; ++i)
        cells.push_back({random.Uniform(0, Size.width()), random.Uniform(0, Size.height()),
                         random.Uniform(150, 205), random.Uniform(0, std::numbers::pi)});
    const TNoise noise(Seed + 1);
    QImage image(Size, QImage::Format_RGB32);
    for (int y = 0; y < Size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Size.width(); ++x) {
            // Zinc spangles: crystals of one tone each, with a fine dendritic sheen.
            const TCell* nearest = &cells.front();
            double best = 1e18;
            for (const TCell& c : cells) {
                const double d = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
                if (d < best) {
                    best = d;
                    nearest = &c;
                }
            }
            const double sheen =
                6 * std::sin((x * std::cos(nearest->angle) + y * std::sin(nearest->angle)) / 2.5);
            const double v = nearest->tone + sheen + 14 * (noise.At(x / 3.0, y / 3.0) - 0.5);
            const int g = std::clamp(int(v), 0, 255);
            line[x] = qRgb(g, std::clamp(g + 2, 0, 255), std::clamp(g + 6, 0, 255));
        }
    }
    return image;
}

namespace {

// Boards of one picture each, a dark joint between rows and staggered butt joints.
template <typename TMakeBoard>
QImage Laid(QSize Size, int BoardHeight, std::uint32_t Seed, TMakeBoard makeBoard) {
    QImage image(Size, QImage::Format_RGB32);
    image.fill(QColor(40, 34, 28));
    QPainter painter(&image);
    TRandom random(Seed);
    constexpr int kJoint = 4;
    for (int row = 0, top = 0; top < Size.height(); ++row, top += BoardHeight + kJoint) {
        double x = -random.Uniform(0, Size.width() * 0.8);
        while (x < Size.width()) {
            const int length = int(random.Uniform(0.8, 1.6) * Size.width());
            const QImage board =
                makeBoard(QSize(length, BoardHeight),
                          Seed + 97 * std::uint32_t(row) + std::uint32_t(x + 1000));
            painter.drawImage(QPointF(x, top), board);
            // A little bevel on each long edge.
            painter.fillRect(QRectF(x, top, length, 2), QColor(255, 255, 255, 40));
            painter.fillRect(QRectF(x, top + BoardHeight - 2, length, 2), QColor(0, 0, 0, 60));
            x += length;
            painter.fillRect(QRectF(x, top, kJoint - 1, BoardHeight), QColor(40, 34, 28));
            x += kJoint - 1;
        }
    }
    painter.end();
    return image;
}

} // namespace

QImage LaidBoards(QSize Size, const TWoodStyle& Style, int BoardHeight, std::uint32_t Seed) {
    return Laid(Size, BoardHeight, Seed,
                [&](QSize s, std::uint32_t seed) { return WoodSurface(s, Style, seed); });
}

QImage LaidWpc(QSize Size, const TBrushedStyle& Style, int BoardHeight, std::uint32_t Seed) {
    return Laid(Size, BoardHeight, Seed,
                [&](QSize s, std::uint32_t seed) { return BrushedSurface(s, Style, seed); });
}

QImage WpcTiles(QSize Size, const TBrushedStyle& Style, int TileSize, std::uint32_t Seed) {
    QImage image(Size, QImage::Format_RGB32);
    image.fill(QColor(50, 50, 50));
    QPainter painter(&image);
    const int slats = 4;
    const int slat = TileSize / slats;
    for (int ty = 0; ty * TileSize < Size.height(); ++ty)
        for (int tx = 0; tx * TileSize < Size.width(); ++tx) {
            const bool turned = (tx + ty) % 2 == 1;
            for (int s = 0; s < slats; ++s) {
                const QImage strip = BrushedSurface(QSize(TileSize, slat - 3), Style,
                                                    Seed + std::uint32_t(ty * 131 + tx * 17 + s));
                painter.save();
                painter.translate(tx * TileSize, ty * TileSize);
                if (turned) {
                    painter.translate(TileSize, 0);
                    painter.rotate(90);
                }
                painter.drawImage(QPoint(0, s * slat + 1), strip);
                painter.restore();
            }
        }
    painter.end();
    return image;
}

QImage EndGrain(QSize Size, const TWoodStyle& Style, std::uint32_t Seed) {
    const TNoise noise(Seed), fibre(Seed + 1);
    QImage image(Size, QImage::Format_RGB32);
    const double cx = Size.width() * 0.42, cy = Size.height() * 1.1; // pith below the cut
    for (int y = 0; y < Size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Size.width(); ++x) {
            const double angle = std::atan2(y - cy, x - cx);
            const double r =
                std::hypot(x - cx, y - cy) + 6 * (noise.Fractal(angle * 3, 0.5, 2) - 0.5);
            const double ring = r / Style.RingSpacing - std::floor(r / Style.RingSpacing);
            const double late = std::pow(0.5 + 0.5 * std::cos(kTwoPi * ring), 3);
            // Radial cracks and rays.
            const double rays = fibre.At(angle * 90, r / 40.0) > 0.85 ? 0.15 : 0;
            line[x] = Mix(Style.Light, Style.Dark,
                          Style.Contrast * late + rays + 0.2 * (fibre.At(x / 2.0, y / 2.0) - 0.5));
        }
    }
    return image;
}
