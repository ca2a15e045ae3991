#pragma once
// Shared set-up of the substructure tests: areas from outlines, boards placed exactly, battens
// compared as unordered sets of segments, and a fixture that keeps the program-wide
// prototypes, defaults, catalogue and messages of one test from leaking into the next.

#include "catalogue/Products.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "substructure/LattenGeneratoren.h"
#include "substructure/NeuVerlatten.h"
#include "substructure/SubstructureContext.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using TOutline = std::vector<Tgpc_vertex>;

// A closed area whose effective outline is the outline plus the given holes; battens run along
// the direction of `richtung` from its start.
inline std::unique_ptr<TShape> MakeArea(const TOutline& outline,
                                        const std::vector<TOutline>& holes = {},
                                        const TVektor& richtung = TVektor(0, 0, 1, 0)) {
    auto shape = std::make_unique<TShape>();
    shape->SetOutline(outline);
    shape->SetClosed(true);
    // The holes are cut-outs of areas above it, as the plan's shape update makes them.
    Tgpc_polygon above;
    for (const TOutline& h : holes) {
        Tgpc_vertex_list c;
        c.vertex = h;
        above.AddContour(c, false);
    }
    shape->CutEffectiveOutline(above);
    shape->CreateV_VectorList();
    shape->SetVerlattungsRichtung(richtung);
    return shape;
}

// A new generator of the layout with that identifier, with its constructor values.
inline std::unique_ptr<TLattenGenerator> NewLayout(int id) {
    const TLattenGeneratorList prototypes = CreateLattenGeneratorPrototypes();
    return prototypes.at(static_cast<size_t>(id))->Clone();
}

inline TOutline Rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

// A board in layer 0: corner (x, y), length vector (lx, ly), width vector (wx, wy).
inline void AddBoard(TShape& shape, double x, double y, double lx, double ly, double wx,
                     double wy) {
    shape.Layer(0).push_back(std::make_unique<TGraphPaneel>(&shape, nullptr, QStringLiteral("B1"),
                                                            1, TVektor(x, y, x + lx, y + ly),
                                                            TVektor(0, 0, wx, wy), QString(), 0));
}

// The area's battens with a copy of `layout`; expects them in one group.
inline std::vector<TVektor> Battens(TShape& shape, const TLattenGenerator& layout) {
    shape.SetLattenGenerator(layout.Clone());
    Verlatten(shape);
    if (shape.VerlattungColl().size() != 1) {
        ADD_FAILURE() << "expected one batten group, got " << shape.VerlattungColl().size();
        return {};
    }
    return shape.VerlattungColl()[0].Vektoren;
}

struct TSeg {
    double x1, y1, x2, y2;
};

// Direction-free and in a fixed order, so that sets of battens compare.
inline std::vector<TSeg> Normalized(const std::vector<TSeg>& segs) {
    std::vector<TSeg> out;
    for (TSeg s : segs) {
        if (s.x2 < s.x1 - 1e-9 || (std::fabs(s.x2 - s.x1) <= 1e-9 && s.y2 < s.y1)) {
            std::swap(s.x1, s.x2);
            std::swap(s.y1, s.y2);
        }
        out.push_back(s);
    }
    const auto key = [](double v) { return std::round(v * 1e6); };
    std::sort(out.begin(), out.end(), [&](const TSeg& a, const TSeg& b) {
        if (key(a.x1) != key(b.x1)) return key(a.x1) < key(b.x1);
        if (key(a.y1) != key(b.y1)) return key(a.y1) < key(b.y1);
        if (key(a.x2) != key(b.x2)) return key(a.x2) < key(b.x2);
        return key(a.y2) < key(b.y2);
    });
    return out;
}

inline std::vector<TSeg> Segs(const std::vector<TVektor>& battens) {
    std::vector<TSeg> out;
    for (const TVektor& v : battens)
        out.push_back({v.x, v.y, v.EndX(), v.EndY()});
    return out;
}

inline void ExpectSameSegments(const std::vector<TVektor>& actual,
                               const std::vector<TSeg>& expected, double tolerance = 1e-7) {
    const std::vector<TSeg> a = Normalized(Segs(actual));
    const std::vector<TSeg> e = Normalized(expected);
    ASSERT_EQ(a.size(), e.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "segment " << i << " expected (" << e[i].x1 << ", "
                                        << e[i].y1 << ") - (" << e[i].x2 << ", " << e[i].y2 << ")");
        EXPECT_NEAR(a[i].x1, e[i].x1, tolerance);
        EXPECT_NEAR(a[i].y1, e[i].y1, tolerance);
        EXPECT_NEAR(a[i].x2, e[i].x2, tolerance);
        EXPECT_NEAR(a[i].y2, e[i].y2, tolerance);
    }
}

// The battens along x at the given heights from x1 to x2.
inline std::vector<TSeg> Horizontal(std::initializer_list<double> ys, double x1, double x2) {
    std::vector<TSeg> out;
    for (double y : ys)
        out.push_back({x1, y, x2, y});
    return out;
}

inline std::vector<TSeg> operator+(std::vector<TSeg> a, const std::vector<TSeg>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The edges of a rectangle as battens.
inline std::vector<TSeg> RectEdges(double x1, double y1, double x2, double y2) {
    return {{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x1, y2, x2, y2}, {x1, y1, x1, y2}};
}

inline double DistanceToSegment(double px, double py, const Tgpc_vertex& a, const Tgpc_vertex& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double len2 = ex * ex + ey * ey;
    double t = len2 > 0 ? ((px - a.x) * ex + (py - a.y) * ey) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - a.x - t * ex, py - a.y - t * ey);
}

// Every batten lies inside the area and keeps the clearance from its border (sampled).
inline void ExpectInsideWithClearance(const TShape& shape, const std::vector<TVektor>& battens,
                                      double clearance) {
    const Tgpc_polygon& area = shape.VPolygon();
    for (const TVektor& v : battens)
        for (int k = 0; k <= 20; ++k) {
            const double px = v.x + v.rx * k / 20, py = v.y + v.ry * k / 20;
            ASSERT_TRUE(PointInGPCPolygon(area, px, py))
                << "batten point (" << px << ", " << py << ") outside the area";
            for (const auto& c : area.contour)
                for (size_t j = 0; j < c.vertex.size(); ++j) {
                    const double d =
                        DistanceToSegment(px, py, c.vertex[j], c.vertex[(j + 1) % c.vertex.size()]);
                    ASSERT_GE(d, clearance - 1e-6)
                        << "batten point (" << px << ", " << py << ") too near the border";
                }
        }
}

inline double TotalLength(const std::vector<TVektor>& battens) {
    double sum = 0;
    for (const TVektor& v : battens)
        sum += v.Betrag();
    return sum;
}

// Every test has a substructure context of its own: an empty catalogue, the layout prototypes
// with their constructor values, and the error messages recorded instead of printed.
class TSubstructureTest : public ::testing::Test {
protected:
    TRecordingMessages Recorded;
    TSubstructureContext Context{&Recorded};
    QStringList& Messages = Recorded.Messages;
    TCatalogue& Catalogue = Context.Catalogue;
    TSubstructureDefaults& Defaults = Context.SubstructureDefaults;

    // An article of that type in the context's catalogue.
    TProduct& AddArticle(std::int32_t typ, const QString& number, const QString& name) {
        if (Catalogue.GroupCount() == 0)
            Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Gruppe")));
        std::unique_ptr<TProduct> product = CreateProductOfType(typ);
        product->ArtikelNr.SetText(number);
        product->Name.SetText(name);
        TProduct& ref = *product;
        Catalogue.Group(0)->Products.Add(std::move(product));
        return ref;
    }
};
