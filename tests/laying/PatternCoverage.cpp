#include "PatternCoverage.h"

#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>

std::unique_ptr<TPlanDocument> PlanWithArea(const TRing& Outline, const std::vector<TRing>& Holes) {
    auto plan = std::make_unique<TPlanDocument>();
    auto add = [&](const TRing& ring) {
        auto shape = std::make_unique<TShape>();
        for (const Tgpc_vertex& v : ring)
            shape->AddVertex(v);
        EXPECT_EQ(plan->AddShape(std::move(shape)), 0);
    };
    add(Outline);
    for (const TRing& hole : Holes)
        add(hole);
    plan->UpdateShapes();
    return plan;
}

TShape& FirstArea(TPlanDocument& Plan) {
    return *Plan.ShapeList.front();
}

namespace {

struct TBox {
    double x1, y1, x2, y2;
    const TGraphPaneel* Board;
};

} // namespace

TCoverage CheckCoverage(const TShape& Area, const TGraphicObjectList& Boards, double Step) {
    TCoverage result;
    std::vector<TBox> boxes;
    for (const auto& o : Boards) {
        const auto* board = dynamic_cast<const TGraphPaneel*>(o.get());
        if (board == nullptr) continue;
        TBox b{0, 0, 0, 0, board};
        board->GetExtent(b.x1, b.y1, b.x2, b.y2);
        boxes.push_back(b);
    }
    std::sort(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) { return a.x1 < b.x1; });

    double x1, y1, x2, y2;
    Area.GetExtent(x1, y1, x2, y2);
    // Odd offsets keep sample points off the board edges of every pattern tested.
    for (double y = y1 + 0.3173; y < y2; y += Step * 0.9871) {
        for (double x = x1 + 0.2417; x < x2; x += Step) {
            if (!Area.PointInObject(x, y)) continue;
            ++result.Samples;
            int hits = 0;
            for (const TBox& b : boxes) {
                if (b.x1 > x) break;
                if (x > b.x2 || y < b.y1 || y > b.y2) continue;
                hits += b.Board->PointInObject(x, y) ? 1 : 0;
            }
            if (hits == 0) ++result.Uncovered;
            if (hits > 1) ++result.Multiple;
        }
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size() && boxes[j].x1 < boxes[i].x2; ++j) {
            const TBox& a = boxes[i];
            const TBox& b = boxes[j];
            if (b.y1 >= a.y2 || a.y1 >= b.y2 || b.x1 >= a.x2) continue;
            Tgpc_polygon common;
            // Clipping rounds to 0.001 cm, which turns edges of turned boards that only touch
            // into slivers; one board is shrunk by 0.002 cm first to keep them apart.
            const Pgpc_polygon inner = GPCInflate(a.Board->Polygon, 0.002);
            gpc_polygon_clip(GPC_INT, *inner, b.Board->Polygon, common);
            // More than 0.01 cm² shared is an overlap; touching edges share nothing.
            if (GPCPolygonFlaeche(common) * 10000 > 0.01) ++result.OverlapPairs;
        }
    }
    return result;
}
