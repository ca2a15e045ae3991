// The offset family and the length and angle offsets: exact positions of the reference cases,
// rows in phase with the laying start point, board ranges for steep and negative angles, the
// published properties and the record tails.

#include "laying/OffsetPatterns.h"

#include "PatternCoverage.h"
#include "PatternTestSupport.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "laying/SimplePatterns.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"
#include "support/StreamBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <type_traits>

namespace {

// x modulo m in [0, m).
double Mod(double x, double m) {
    const double r = std::fmod(x, m);
    return r < 0 ? r + m : r;
}

// Distance of x from the nearest multiple of m.
double OffGrid(double x, double m) {
    const double r = Mod(x, m);
    return std::min(r, m - r);
}

std::unique_ptr<TPlanDocument> Rectangle(double x1, double y1, double x2, double y2) {
    return PlanWithArea({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

// --- The reference cases ---------------------------------------------------------------------

TEST(OffsetPatternsTest, HalfOffsetOnTheReferenceRectangle) {
    auto plan = Rectangle(0, 0, 300, 200);
    TShape& area = FirstArea(*plan);
    THalbVersatzGen g;
    SetArticle(g, 10, 100);
    EXPECT_EQ(g.PeriodeL(), 20);
    EXPECT_EQ(g.PeriodeS(), 100);
    TGraphicObjectList boards;
    Lay(g, area, 0, 0, 0, 1, boards);
    EXPECT_EQ(area.LegeVektor().rx, 0);
    EXPECT_EQ(area.LegeVektor().ry, 1);
    EXPECT_EQ(area.SymetrieVek().rx, 1);
    EXPECT_EQ(area.SymetrieVek().ry, 0);
    for (const TVektor* v : {&area.LegeVektor(), &area.SymetrieVek()}) {
        EXPECT_NEAR(v->x, -100.05, 1e-9);
        EXPECT_NEAR(v->y, -20.05, 1e-9);
    }
    EXPECT_NEAR(g.dx, 400.05, 1e-9);
    EXPECT_NEAR(g.dy, 400.05, 1e-9);

    // Rows -19 .. 58, boards -3 .. 6 in each, row by row.
    ASSERT_EQ(boards.size(), 78u * 10u);
    for (int j = -19; j <= 58; ++j) {
        const TGraphPaneel& first = Board(boards, size_t(j + 19) * 10);
        SCOPED_TRACE(j);
        EXPECT_NEAR(first.P(0).y, -20.05 + 10 * j, 1e-9);
        EXPECT_NEAR(first.P(0).x, -100.05 + (j % 2) * 50 - 300, 1e-9);
        EXPECT_NEAR(first.P(1).x - first.P(0).x, 100, 1e-9);
        EXPECT_NEAR(first.P(3).y - first.P(0).y, 10, 1e-9);
    }
}

TEST(OffsetPatternsTest, ThirdOffsetAlternatingAndMirrored) {
    for (bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored ? "mirrored" : "plain");
        auto plan = Rectangle(0, 0, 300, 200);
        TShape& area = FirstArea(*plan);
        TDrittelVersatzGen g;
        SetArticle(g, 10, 300);
        g.fAlternierend = true;
        g.fSpiegeln = mirrored;
        TGraphicObjectList boards;
        Lay(g, area, 0, 0, 0, 1, boards);
        const double ox = area.LegeVektor().x, oy = area.LegeVektor().y;
        EXPECT_NEAR(ox, -300.05, 1e-9);
        const double shifted = mirrored ? 200 : 100; // -L/3 and +L/3, modulo L
        for (const auto& o : boards) {
            const auto& b = dynamic_cast<const TGraphPaneel&>(*o);
            const long j = std::lround((b.P(0).y - oy) / 10);
            if (j < 0 || j > 5) continue;
            EXPECT_NEAR(Mod(b.P(0).x - ox, 300), j % 2 ? shifted : 0, 1e-6) << "row " << j;
        }
    }
}

// --- Row phase --------------------------------------------------------------------------------

struct TPhaseCase {
    const char* Label;
    std::function<std::unique_ptr<TPatternGenerator>()> Create;
    double W, L;
    // Shift along e_S of the row r rows after the start row, modulo L.
    std::function<double(long r)> Shift;
};

// The offset family: Fraction * L per step, 1 / Fraction steps (2 when alternating).
template <class T>
TPhaseCase OffsetCase(const char* Label, double W, double L, double Fraction, bool Alternierend,
                      bool Spiegeln) {
    const long cycle = Alternierend ? 2 : std::lround(1 / Fraction);
    return {Label,
            [=] {
                auto g = std::make_unique<T>();
                g->fAlternierend = Alternierend;
                g->fSpiegeln = Spiegeln;
                return g;
            },
            W, L,
            [=](long r) {
                const double step = Fraction * L * (Spiegeln ? -1 : 1);
                return double((r % cycle + cycle) % cycle) * step;
            }};
}

// Length and angle offset: -r * s.
template <class T>
TPhaseCase RowShiftCase(const char* Label, double W, double L, double Parameter, double s) {
    return {Label,
            [=] {
                auto g = std::make_unique<T>();
                if constexpr (std::is_same_v<T, TLaengenVersatzGen>)
                    g->fVersatzLaenge = Parameter;
                else
                    g->fVersatzWinkel = Parameter;
                return g;
            },
            W, L, [=](long r) { return -double(r) * s; }};
}

std::vector<TPhaseCase> PhaseCases() {
    const double tan30 = std::tan(std::numbers::pi / 6), tan60 = std::tan(std::numbers::pi / 3);
    return {
        {"profil", [] { return std::make_unique<TProfilHolzGen>(); }, 14.5, 400,
         [](long) { return 0.0; }},
        OffsetCase<THalbVersatzGen>("halb", 14.5, 400, 0.5, false, false),
        OffsetCase<TDrittelVersatzGen>("drittel", 10, 300, 1.0 / 3, false, false),
        OffsetCase<TDrittelVersatzGen>("drittel alt", 10, 300, 1.0 / 3, true, false),
        OffsetCase<TDrittelVersatzGen>("drittel alt mirror", 14.5, 400, 1.0 / 3, true, true),
        OffsetCase<TViertelVersatzGen>("viertel mirror", 14.5, 400, 0.25, false, true),
        OffsetCase<TViertelVersatzGen>("viertel alt", 12, 250, 0.25, true, false),
        RowShiftCase<TLaengenVersatzGen>("laenge 20", 14.5, 400, 20, 20),
        RowShiftCase<TLaengenVersatzGen>("laenge 73", 10, 100, 73, 73),
        RowShiftCase<TWinkelVersatzGen>("winkel 30", 14.5, 400, 30, tan30 * 14.5),
        RowShiftCase<TWinkelVersatzGen>("winkel -60", 10, 100, -60, -tan60 * 10),
    };
}

// However far the area reaches behind the laying start point, the row starting there (0.05
// before it) begins on the start edge with the shift of row 0, and every other row follows
// from it.
TEST(OffsetPatternsTest, RowsKeepTheirPhaseWithTheStartPoint) {
    for (const TPhaseCase& c : PhaseCases()) {
        for (double behind : {0.0, 35.0, 7.3, 77.7}) {
            for (double degrees : {90.0, 30.0}) {
                SCOPED_TRACE(testing::Message()
                             << c.Label << ", area " << behind << " behind, " << degrees << "°");
                auto plan = Rectangle(-behind, -behind, 300, 200);
                const auto g = c.Create();
                SetArticle(*g, c.W, c.L);
                const double a = degrees * std::numbers::pi / 180;
                const double ex = std::cos(a), ey = std::sin(a); // e_L; e_S = (ey, -ex)
                TGraphicObjectList boards;
                Lay(*g, FirstArea(*plan), 0, 0, ex, ey, boards);
                ASSERT_FALSE(boards.empty());
                // Rows before the frame origin never reach the area; there the alternation
                // counts backwards from the origin (remainder with the sign of the row).
                const TVektor& origin = FirstArea(*plan).LegeVektor();
                const double first = origin.x * ex + origin.y * ey + 0.05;
                int wrong = 0, checked = 0;
                for (const auto& o : boards) {
                    const auto& b = dynamic_cast<const TGraphPaneel&>(*o);
                    const double along = b.P(0).x * ex + b.P(0).y * ey + 0.05;
                    if (along < first - 1e-6) continue;
                    ++checked;
                    const double across = b.P(0).x * ey - b.P(0).y * ex + 0.05;
                    const long r = std::lround(along / c.W);
                    if (std::fabs(along - double(r) * c.W) > 1e-6 ||
                        OffGrid(across - c.Shift(r), c.L) > 1e-6)
                        ++wrong;
                }
                EXPECT_EQ(wrong, 0);
                EXPECT_GT(checked, 100);
            }
        }
    }
}

// --- Board ranges -----------------------------------------------------------------------------

// A steep angle shifts each row far along the board length, but a row still needs no more
// boards than an unshifted one: the count stays that of a small angle (one more per row at
// most), on a room-sized area as on a large one.
TEST(WinkelVersatzGenTest, SteepAnglesDoNotMultiplyTheBoards) {
    for (double size : {300.0, 1000.0}) {
        auto plan = Rectangle(0, 0, size, size * 2 / 3);
        auto count = [&](double degrees) {
            TWinkelVersatzGen g;
            SetArticle(g, 10, 100);
            g.fVersatzWinkel = degrees;
            TGraphicObjectList boards;
            Lay(g, FirstArea(*plan), 0, 0, 0, 1, boards);
            return boards.size();
        };
        const size_t flat = count(0.5);
        const size_t rows = size_t(std::lround(1.9 * (size + 100) / 10)) + 2;
        SCOPED_TRACE(size);
        EXPECT_LE(count(89.9), flat + rows);
        EXPECT_LE(count(-89.9), flat + rows);
        EXPECT_LE(count(-45), flat + rows);
        EXPECT_GE(count(-89.9), flat - rows);
    }
}

// Negative angles shift the rows the other way; their boards must start early enough.
TEST(WinkelVersatzGenTest, NegativeAngleShiftsTheNextRowForward) {
    auto plan = Rectangle(0, 0, 300, 200);
    TWinkelVersatzGen g;
    SetArticle(g, 10, 100);
    g.fVersatzWinkel = -45; // s = -10: each row starts 10 cm further along e_S
    TGraphicObjectList boards;
    Lay(g, FirstArea(*plan), 0, 0, 0, 1, boards);
    bool sawStartRow = false, sawNextRow = false;
    for (const auto& o : boards) {
        const auto& b = dynamic_cast<const TGraphPaneel&>(*o);
        if (std::fabs(b.P(0).y + 0.05) < 1e-9) {
            sawStartRow = true;
            EXPECT_NEAR(Mod(b.P(0).x + 0.05, 100), 0, 1e-9);
        }
        if (std::fabs(b.P(0).y - 9.95) < 1e-9) {
            sawNextRow = true;
            EXPECT_NEAR(Mod(b.P(0).x + 0.05, 100), 10, 1e-9);
        }
    }
    EXPECT_TRUE(sawStartRow);
    EXPECT_TRUE(sawNextRow);
    const TCoverage cover = CheckCoverage(FirstArea(*plan), boards, 3);
    EXPECT_EQ(cover.Uncovered, 0);
    EXPECT_EQ(cover.Multiple, 0);
}

// --- Properties -------------------------------------------------------------------------------

QStringList Names(const TPropertyList& list) {
    QStringList names;
    for (const TPublishedProperty& p : list)
        names << p.Name;
    return names;
}

TEST(OffsetPatternsTest, OnlyThirdAndQuarterPublishMirrorAndAlternation) {
    const QStringList mirror{QStringLiteral("Alternierend"), QStringLiteral("Spiegeln")};
    EXPECT_EQ(Names(TDrittelVersatzGen().Properties()), mirror);
    EXPECT_EQ(Names(TViertelVersatzGen().Properties()), mirror);
    EXPECT_TRUE(TVersatzGen().Properties().empty());
    EXPECT_TRUE(THalbVersatzGen().Properties().empty());
    EXPECT_TRUE(TProfilHolzGen().Properties().empty());
    EXPECT_TRUE(TSinglePanelGen().Properties().empty());
    EXPECT_EQ(Names(TLaengenVersatzGen().Properties()), QStringList{"Versatzlaenge"});
    EXPECT_EQ(Names(TWinkelVersatzGen().Properties()), QStringList{"Versatzwinkel"});

    TViertelVersatzGen g;
    TPropertyList list = g.Properties();
    TPublishedProperty* spiegeln = FindProperty(list, QStringLiteral("spiegeln"));
    ASSERT_NE(spiegeln, nullptr);
    EXPECT_EQ(spiegeln->Kind, TPropertyKind::Boolean);
    SetPropertyText(*spiegeln, QStringLiteral("ja"));
    EXPECT_TRUE(g.fSpiegeln);
    EXPECT_FALSE(g.fAlternierend);
    SetPropertyText(*FindProperty(list, QStringLiteral("Alternierend")), QStringLiteral("1"));
    EXPECT_TRUE(g.fAlternierend);
    EXPECT_EQ(PropertyText(*spiegeln), QStringLiteral("true"));
}

// Sets the value and returns the refusal's message, empty when it was accepted.
QString SetValue(TPatternGenerator& g, double value) {
    TPropertyList list = g.Properties();
    try {
        list.front().Set(value);
    } catch (const EPropertyError& e) {
        return e.Message();
    }
    return QString();
}

TEST(LaengenVersatzGenTest, VersatzlaengeBetweenTwoAndLMinusOne) {
    TLaengenVersatzGen g;
    SetArticle(g, 10, 100);
    const QString refused =
        QStringLiteral("Die Versatzlänge muß zwischen 2,0 cm und 99,0 cm liegen.");
    struct {
        double Value;
        bool Accepted;
    } cases[] = {{1.9, false}, {2.0, true},  {99.0, true}, {99.05, false},
                 {-20, false}, {50.5, true}, {NAN, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        const double before = g.fVersatzLaenge;
        const QString message = SetValue(g, c.Value);
        if (c.Accepted) {
            EXPECT_EQ(message, QString());
            EXPECT_EQ(g.fVersatzLaenge, c.Value);
        } else {
            EXPECT_EQ(message, refused);
            EXPECT_EQ(g.fVersatzLaenge, before);
        }
    }
    SetArticle(g, 14.5, 400);
    EXPECT_EQ(SetValue(g, 400),
              QStringLiteral("Die Versatzlänge muß zwischen 2,0 cm und 399,0 cm liegen."));
    // The current value again is no change, even when the article no longer allows it.
    SetArticle(g, 10, 15.5);
    g.fVersatzLaenge = 20;
    EXPECT_EQ(SetValue(g, 20), QString());
    EXPECT_EQ(SetValue(g, 19),
              QStringLiteral("Die Versatzlänge muß zwischen 2,0 cm und 14,5 cm liegen."));
    TPropertyList list = g.Properties();
    EXPECT_EQ(list.front().Kind, TPropertyKind::Real);
    EXPECT_EQ(list.front().Default, 20);
    EXPECT_EQ(list.front().Get(), 20);
}

TEST(WinkelVersatzGenTest, VersatzwinkelStrictlyBetweenMinusAndPlusNinety) {
    TWinkelVersatzGen g;
    SetArticle(g, 10, 100);
    const QString refused = QStringLiteral("Der Versatzwinkel muß zwischen -90° und +90° liegen");
    for (double v : {90.0, -90.0, 120.0, double(NAN)}) {
        EXPECT_EQ(SetValue(g, v), refused) << v;
        EXPECT_EQ(g.fVersatzWinkel, 45);
    }
    for (double v : {89.9, -89.9, 0.0, 45.0}) {
        EXPECT_EQ(SetValue(g, v), QString()) << v;
        EXPECT_EQ(g.fVersatzWinkel, v);
    }
}

// --- Records ----------------------------------------------------------------------------------

// The bytes after the common part of the record (version, article, LattenGenID).
QByteArray Tail(const TPatternGenerator& g) {
    TProfilHolzGen plain;
    plain.Product->Assign(*g.Product);
    plain.LattenGenID = g.LattenGenID;
    const QByteArray common = Written([&](TWriter& w) { plain.WriteData(w); });
    const QByteArray all = Written([&](TWriter& w) { g.WriteData(w); });
    EXPECT_TRUE(all.startsWith(common));
    return all.mid(common.size());
}

TEST(OffsetPatternsTest, RecordTails) {
    TDrittelVersatzGen drittel;
    drittel.fSpiegeln = true;
    EXPECT_EQ(Tail(drittel).toHex(' '), QByteArray("09 02 01 08")); // true, Int 1, false
    THalbVersatzGen halb;
    halb.fAlternierend = true;
    EXPECT_EQ(Tail(halb).toHex(' '), QByteArray("08 02 01 09"));
    TLaengenVersatzGen laenge;
    laenge.fVersatzLaenge = 20;
    EXPECT_EQ(Tail(laenge).toHex(' '), QByteArray("00 00 00 00 00 00 34 40")); // raw 20.0
    TWinkelVersatzGen winkel;
    winkel.fVersatzWinkel = -45;
    EXPECT_EQ(Tail(winkel).toHex(' '), QByteArray("00 00 00 00 00 80 46 c0"));
}

// Older files stop after fSpiegeln; whatever comes next belongs to the following record.
TEST(OffsetPatternsTest, OldRecordWithoutTheIntegerAfterSpiegeln) {
    TPaneele article;
    article.ArtikelNr.SetText(QStringLiteral("ALT-7"));
    const auto common = [&](TWriter& w) {
        w.WriteInteger(0);
        article.WriteData(w);
        w.WriteInteger(5);
        w.WriteBoolean(true);
    };
    struct {
        const char* Label;
        std::function<void(TWriter&)> After;
        bool Alternierend;
        bool NextIsString; // the reader stands on the string "weiter"
    } cases[] = {
        {"old, string follows", [](TWriter& w) { w.WriteString(QStringLiteral("weiter")); }, false,
         true},
        {"old, end of data", [](TWriter&) {}, false, false},
        {"current",
         [](TWriter& w) {
             w.WriteInteger(1);
             w.WriteBoolean(true);
             w.WriteString(QStringLiteral("weiter"));
         },
         true, true},
        {"unknown version", [](TWriter& w) { w.WriteInteger(0); }, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Label);
        QByteArray bytes = Written([&](TWriter& w) {
            common(w);
            c.After(w);
        });
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TReader reader(buffer);
        TDrittelVersatzGen g;
        g.fAlternierend = !c.Alternierend;
        g.ReadData(reader);
        EXPECT_EQ(g.Product->ArtikelNr.Text(), QStringLiteral("ALT-7"));
        EXPECT_EQ(g.LattenGenID, 5);
        EXPECT_TRUE(g.fSpiegeln);
        EXPECT_EQ(g.fAlternierend, c.Alternierend);
        if (c.NextIsString) {
            EXPECT_EQ(reader.ReadString(), QStringLiteral("weiter"));
        }
        EXPECT_TRUE(reader.AtEnd());
    }
}

} // namespace
