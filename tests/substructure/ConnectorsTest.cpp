// Connectors where battens meet and at their joints, and battens trimmed to their area.

#include "substructure/Connectors.h"
#include "catalogue/Leisten.h"

#include "SubstructureTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <numbers>
#include <random>

namespace {

struct TPlaced {
    QString Artikel;
    double x, y;
    std::int32_t Flags;
};

class Connectors : public testing::Test {
protected:
    TCatalogue fCatalogue;
    TProductGroup* fBattens = nullptr;
    std::unique_ptr<TShape> fArea = MakeArea(Rect(-5000, -5000, 5000, 5000));

    void SetUp() override {
        fBattens = fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Latten")));
        AddBatten(QStringLiteral("L1"), 400);
        TProductGroup* other =
            fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Verbinder")));
        for (const char* number : {"K", "W", "J"}) {
            auto connector = std::make_unique<TProduct>();
            connector->ArtikelNr.SetText(QString::fromLatin1(number));
            other->Products.Add(std::move(connector));
        }
    }

    TProduct& AddBatten(const QString& number, double length, const char* cross = "K",
                        const char* angle = "W", const char* joint = "J") {
        auto batten = std::make_unique<TLeiste>();
        batten->Typ = ptLatte;
        batten->ArtikelNr.SetText(number);
        batten->Name.SetText(QStringLiteral("Latte"));
        batten->VLaenge = length;
        batten->Kreuzverbinder.SetText(QString::fromLatin1(cross));
        batten->Winkelverbinder.SetText(QString::fromLatin1(angle));
        batten->Laengsverbinder.SetText(QString::fromLatin1(joint));
        return *fBattens->Products.Get(fBattens->Products.Add(std::move(batten)));
    }

    // Places the connectors of battens of article L1 (without joints: the battens are short).
    std::vector<TPlaced> Place(const std::vector<TVektor>& battens,
                               const QString& article = QStringLiteral("L1")) {
        fArea->AddVerlattung(article, battens);
        UKVerbinder(*fArea, fCatalogue);
        return Points();
    }

    std::vector<TPlaced> Points(const QString& only = QString()) const {
        std::vector<TPlaced> points;
        for (const TVektorGruppe& entry : fArea->UKVerbinderColl())
            for (const TVektor& v : entry.Vektoren)
                if (only.isEmpty() || entry.ArtikelNr == only)
                    points.push_back({entry.ArtikelNr, v.x, v.y, v.Flags});
        return points;
    }
};

// A batten of length 100 through (cx, cy) at that angle (degrees), from t0 to t1 along it.
TVektor Through(double cx, double cy, double degrees, double t0 = -50, double t1 = 50) {
    const double a = degrees * std::numbers::pi / 180;
    const double ux = std::cos(a), uy = std::sin(a);
    return TVektor(cx + t0 * ux, cy + t0 * uy, cx + t1 * ux, cy + t1 * uy);
}

TEST_F(Connectors, KindAndCountOfTwoBattens) {
    struct TCase {
        const char* name;
        TVektor v, w;
        const char* article; // nullptr: none
        std::int32_t count;
    };
    const std::vector<TCase> cases = {
        {"crossing at 90 degrees in their middles", Through(0, 0, 0), Through(0, 0, 90), "K", 2},
        {"T joint at 90 degrees", Through(0, 0, 0), Through(0, 0, 90, 0, 50), "K", 1},
        {"L corner", Through(0, 0, 0, 0, 50), Through(0, 0, 90, 0, 50), "K", 1},
        {"crossing at 45 degrees", Through(0, 0, 0), Through(0, 0, 45), "W", 2},
        {"meeting at 45 degrees near an end", Through(0, 0, 0), Through(1, 0, 45, 0, 50), "W", 1},
        {"88.5 degrees is a right angle", Through(0, 0, 0), Through(0, 0, 88.5), "K", 2},
        {"91.9 degrees is a right angle", Through(0, 0, 0), Through(0, 0, 91.9), "K", 2},
        {"87.9 degrees is not", Through(0, 0, 0), Through(0, 0, 87.9), "W", 2},
        {"92.1 degrees is not", Through(0, 0, 0), Through(0, 0, 92.1), "W", 2},
        {"parallel and overlapping", Through(0, 0, 0), Through(30, 0, 0), nullptr, 0},
        {"1.9 degrees counts as parallel", Through(0, 0, 0), Through(0, 0, 1.9), nullptr, 0},
        {"178.1 degrees counts as parallel", Through(0, 0, 0), Through(0, 0, 178.1), nullptr, 0},
        {"2.1 degrees meets", Through(0, 0, 0), Through(0, 0, 2.1), "W", 2},
        // The lengthening reaches 0.1 beyond each end.
        {"0.05 short of the other", Through(0, 0, 0), Through(0, 0.05, 90, 0, 50), "K", 1},
        {"0.25 short of the other", Through(0, 0, 0), Through(0, 0.25, 90, 0, 50), nullptr, 0},
        // The end rule: at least sqrt(2) from every end is a true crossing.
        {"1.42 from an end", Through(0, 0, 0, -1.42, 50), Through(0, 0, 90), "K", 2},
        {"1.41 from an end", Through(0, 0, 0, -1.41, 50), Through(0, 0, 90), "K", 1},
        {"1.41 from the other's end", Through(0, 0, 0), Through(0, 0, 90, -1.41, 50), "K", 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        fArea->DeleteVerlattung();
        const std::vector<TPlaced> points = Place({c.v, c.w});
        if (c.article == nullptr) {
            EXPECT_TRUE(points.empty());
            continue;
        }
        ASSERT_EQ(points.size(), 1u);
        EXPECT_EQ(points[0].Artikel, QString::fromLatin1(c.article));
        EXPECT_EQ(points[0].Flags, c.count);
    }
}

TEST_F(Connectors, OnePointWhereSeveralBattensMeet) {
    // Three battens through one point: the first pair places it.
    std::vector<TPlaced> points =
        Place({Through(10, 20, 0), Through(10, 20, 90), Through(10, 20, 45)});
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].Artikel, QStringLiteral("K"));
    EXPECT_NEAR(points[0].x, 10, 1e-9);
    EXPECT_NEAR(points[0].y, 20, 1e-9);
    // The angle connector entry exists although its point was left out; so does the joint
    // entry of battens too short for a joint.
    ASSERT_EQ(fArea->UKVerbinderColl().size(), 3u);
    EXPECT_EQ(fArea->UKVerbinderColl()[1].ArtikelNr, QStringLiteral("W"));
    EXPECT_TRUE(fArea->UKVerbinderColl()[1].Vektoren.empty());

    // Within 1 cm in x and y any connector stands for another; 1.1 apart both are placed.
    fArea->DeleteVerlattung();
    points = Place({Through(0, 0, 0), Through(0, 0, 90), Through(0.9, 0, 90), Through(2, 0, 90)});
    ASSERT_EQ(points.size(), 2u);
    EXPECT_NEAR(points[1].x, 2, 1e-9);
}

TEST_F(Connectors, TheCrossingPointAndItsMeaninglessDirection) {
    const std::vector<TPlaced> points = Place({TVektor(0, 7, 100, 7), TVektor(30, 0, 30, 50)});
    ASSERT_EQ(points.size(), 1u);
    const TVektor& v = fArea->UKVerbinderColl()[0].Vektoren[0];
    EXPECT_DOUBLE_EQ(v.x, 30);
    EXPECT_DOUBLE_EQ(v.y, 7);
    EXPECT_DOUBLE_EQ(v.EndX(), 1);
    EXPECT_DOUBLE_EQ(v.EndY(), 1);
}

TEST_F(Connectors, MissingArticles) {
    // A batten of an article not in the catalogue never starts a pair, but is the second one.
    fArea->AddVerlattung(QStringLiteral("fehlt"), {Through(0, 0, 0)});
    fArea->AddVerlattung(QStringLiteral("L1"), {Through(0, 0, 90)});
    UKVerbinder(*fArea, fCatalogue);
    EXPECT_TRUE(Points().empty());
    fArea->DeleteVerlattung();
    fArea->AddVerlattung(QStringLiteral("L1"), {Through(0, 0, 0)});
    fArea->AddVerlattung(QStringLiteral("fehlt"), {Through(0, 0, 90)});
    UKVerbinder(*fArea, fCatalogue);
    EXPECT_EQ(Points().size(), 1u);

    // Connector articles that are empty or not in the catalogue are not placed.
    AddBatten(QStringLiteral("L2"), 400, "", "gibtsnicht", "");
    fArea->DeleteVerlattung();
    EXPECT_TRUE(
        Place({Through(0, 0, 0), Through(0, 0, 90), Through(0, 10, 45), TVektor(0, 50, 2000, 50)},
              QStringLiteral("L2"))
            .empty());
    EXPECT_TRUE(fArea->UKVerbinderColl().empty());
}

TEST_F(Connectors, JointsEverySoldLength) {
    struct TCase {
        double length;
        std::vector<double> at; // distances from the start
    };
    const TCase cases[] = {
        {1000, {400, 800}}, {900, {400, 800}},    {401, {}}, {401.01, {400}}, {400, {}},
        {804, {400}},       {804.01, {400, 800}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.length);
        fArea->DeleteVerlattung();
        // Along a diagonal, so that the joints lie along the batten's own direction.
        const TVektor batten = Through(100, 200, 30, 0, c.length);
        fArea->AddVerlattung(QStringLiteral("L1"), {batten});
        UKVerbinder(*fArea, fCatalogue);
        ASSERT_EQ(fArea->UKVerbinderColl().size(), 1u);
        EXPECT_EQ(fArea->UKVerbinderColl()[0].ArtikelNr, QStringLiteral("J"));
        const std::vector<TVektor>& joints = fArea->UKVerbinderColl()[0].Vektoren;
        ASSERT_EQ(joints.size(), c.at.size());
        for (size_t k = 0; k < joints.size(); ++k) {
            const TVektor expected = Through(100, 200, 30, 0, c.at[k]);
            EXPECT_NEAR(joints[k].x, expected.EndX(), 1e-9);
            EXPECT_NEAR(joints[k].y, expected.EndY(), 1e-9);
            EXPECT_NEAR(joints[k].rx, std::cos(std::numbers::pi / 6), 1e-12);
            EXPECT_NEAR(joints[k].ry, 0.5, 1e-12);
            EXPECT_EQ(joints[k].Flags, kLaengsVerbinderFlags);
        }
    }
}

TEST_F(Connectors, JointCountEndsForEveryStockLength) {
    // Stock lengths down to nothing, and none at all: the count always ends, bounded.
    for (double stock : {3.0, 0.5, 1e-6, 0.0, -5.0}) {
        SCOPED_TRACE(stock);
        fBattens->Products.Clear();
        AddBatten(QStringLiteral("L1"), stock);
        fArea->DeleteVerlattung();
        fArea->AddVerlattung(QStringLiteral("L1"), {TVektor(0, 0, 3000, 0)});
        UKVerbinder(*fArea, fCatalogue);
        const size_t joints = Points(QStringLiteral("J")).size();
        if (stock > 0)
            EXPECT_GT(joints, 400u);
        else
            EXPECT_EQ(joints, 0u);
        EXPECT_LE(joints, 10000u);
    }
}

TEST_F(Connectors, SoldLengthIsTheLongestCompatibleArticle) {
    // Shorter articles of the same kind may stand in, but do not shorten the stock.
    TProduct& shorter = AddBatten(QStringLiteral("L1k"), 300);
    shorter.Name.SetText(QStringLiteral("Latte"));
    fArea->AddVerlattung(QStringLiteral("L1"), {TVektor(0, 0, 850, 0)});
    UKVerbinder(*fArea, fCatalogue);
    const std::vector<TPlaced> joints = Points(QStringLiteral("J"));
    ASSERT_EQ(joints.size(), 2u);
    EXPECT_DOUBLE_EQ(joints[0].x, 400);
}

// The rule written once more, pair by pair and point by point, to compare with.
std::vector<TPlaced> BruteForce(const std::vector<TVektor>& battens) {
    std::vector<TPlaced> placed;
    const auto lengthened = [](const TVektor& v) {
        const double l = v.Betrag();
        return TVektor(v.x - v.rx / l * 0.1, v.y - v.ry / l * 0.1, v.EndX() + v.rx / l * 0.1,
                       v.EndY() + v.ry / l * 0.1);
    };
    for (size_t i = 0; i < battens.size(); ++i)
        for (size_t j = i + 1; j < battens.size(); ++j) {
            const TVektor &v = battens[i], &w = battens[j];
            const double angle = v.Winkel(w) * 180 / std::numbers::pi;
            if (angle < 2 || angle > 178) continue;
            double px = 0, py = 0, f1 = 0, f2 = 0;
            if (!lengthened(v).SchnittpunktLock(lengthened(w), px, py, f1, f2)) continue;
            bool near = false;
            for (const TPlaced& p : placed)
                near = near || (std::abs(p.x - px) < 1 && std::abs(p.y - py) < 1);
            if (near) continue;
            int count = 2;
            for (const TVektor* b : {&v, &w})
                for (auto [ex, ey] : {std::pair{b->x, b->y}, std::pair{b->EndX(), b->EndY()}})
                    if (std::hypot(px - ex, py - ey) < std::numbers::sqrt2) count = 1;
            placed.push_back({angle > 88 && angle < 92 ? "K" : "W", px, py, count});
        }
    return placed;
}

TEST_F(Connectors, ManyBattensGiveWhatEveryPairByItselfGives) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coord(0, 600), turn(0, 180), len(5, 390);
    std::vector<TVektor> battens;
    // A grid, a few lying on grid points and ends, and random ones.
    for (int k = 0; k <= 10; ++k) {
        battens.emplace_back(0, k * 60, 390, k * 60);
        battens.emplace_back(k * 37, 0, k * 37, 390);
    }
    for (int k = 0; k < 150; ++k)
        battens.push_back(Through(coord(random), coord(random), turn(random), 0, len(random)));
    fArea->AddVerlattung(QStringLiteral("L1"), battens);
    UKVerbinder(*fArea, fCatalogue);

    std::vector<TPlaced> expected = BruteForce(battens);
    std::vector<TPlaced> actual;
    for (const TPlaced& p : Points())
        if (p.Artikel != QStringLiteral("J")) actual.push_back(p);
    // Entries are per article: compare per article in placing order.
    for (const QString& article : {QStringLiteral("K"), QStringLiteral("W")}) {
        std::vector<TPlaced> e, a;
        std::copy_if(expected.begin(), expected.end(), std::back_inserter(e),
                     [&](const TPlaced& p) { return p.Artikel == article; });
        std::copy_if(actual.begin(), actual.end(), std::back_inserter(a),
                     [&](const TPlaced& p) { return p.Artikel == article; });
        ASSERT_EQ(a.size(), e.size()) << qPrintable(article);
        EXPECT_GT(a.size(), 50u);
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(a[i].x, e[i].x, 1e-9);
            EXPECT_NEAR(a[i].y, e[i].y, 1e-9);
            EXPECT_EQ(a[i].Flags, e[i].Flags);
        }
    }
}

// --- Trimming -----------------------------------------------------------------------------------

TEST(CutLatten, BattensKeepTheirPartsInsideTheArea) {
    // An L: the notch is the upper right quarter (x > 200, y > 100).
    auto area = MakeArea({{0, 0}, {400, 0}, {400, 100}, {200, 100}, {200, 200}, {0, 200}});
    area->AddVerlattung(QStringLiteral("L1"),
                        {
                            TVektor(10, 50, 390, 50),      // inside: unchanged
                            TVektor(-50, 150, 450, 150),   // through the notch: one part left
                            TVektor(300, -50, 300, 250),   // across the lower leg only
                            TVektor(250, 150, 350, 150),   // in the notch: removed
                            TVektor(500, 10, 600, 10),     // far outside: removed
                            TVektor(-100, 300, 300, -100), // through the corner (0, 200)
                        });
    area->AddVerlattung(QStringLiteral("L2"), {TVektor(300, 150, 350, 150)});
    TVektor flagged(100, 220, 100, -20);
    flagged.Flags = 5;
    area->AddVerlattung(QStringLiteral("L3"), {flagged});
    UKCutLatten(*area);
    const TVektorColl& coll = area->VerlattungColl();
    ASSERT_EQ(coll.size(), 3u); // emptied groups stay
    ExpectSameSegments(
        coll[0].Vektoren,
        {{10, 50, 390, 50}, {0, 150, 200, 150}, {300, 0, 300, 100}, {0, 200, 200, 0}});
    EXPECT_TRUE(coll[1].Vektoren.empty());
    ASSERT_EQ(coll[2].Vektoren.size(), 1u);
    EXPECT_EQ(coll[2].Vektoren[0].Flags, 5);
    EXPECT_DOUBLE_EQ(coll[2].Vektoren[0].y, 200); // the batten keeps its direction
    EXPECT_DOUBLE_EQ(coll[2].Vektoren[0].ry, -200);
    EXPECT_NEAR(area->LaengeVerlattung(), 380 + 200 + 100 + std::hypot(200, 200) + 200, 1e-9);
}

TEST(CutLatten, ABattenLeavingAndEnteringAConcaveAreaIsSplit) {
    // A U: two legs joined at the bottom; a batten across both legs leaves and enters again.
    auto area = MakeArea(
        {{0, 0}, {300, 0}, {300, 200}, {200, 200}, {200, 100}, {100, 100}, {100, 200}, {0, 200}});
    area->AddVerlattung(QStringLiteral("L1"), {TVektor(-20, 150, 320, 150),
                                               TVektor(-20, 100, 320, 100)}); // along an edge
    area->AddUKVerbinder(QStringLiteral("K"), {TVektor(0, 0, 1, 1)});
    UKCutLatten(*area);
    ASSERT_EQ(area->VerlattungColl().size(), 1u);
    const std::vector<TVektor>& kept = area->VerlattungColl()[0].Vektoren;
    ASSERT_GE(kept.size(), 3u);
    ExpectSameSegments({kept[0], kept[1]}, {{0, 150, 100, 150}, {200, 150, 300, 150}});
    // Whatever part of the batten along the edge stays, it lies in the area.
    for (size_t i = 2; i < kept.size(); ++i) {
        EXPECT_GE(kept[i].x, -1e-9);
        EXPECT_LE(kept[i].EndX(), 300 + 1e-9);
    }
    EXPECT_TRUE(area->UKVerbinderColl().empty()); // placed again by the caller
}

} // namespace
