// The substructure parts of tarv-cli: options, the prototype set-up after laying, the JSON
// and the drawing of battens.

#include "cli/SubstructureCli.h"

#include "catalogue/Paneele.h"
#include "model/PlanDocument.h"
#include "platform/Canvas.h"
#include "substructure/StandardLayouts.h"
#include "substructure/UKPrev.h"

#include "SubstructureTestSupport.h"

#include <QCommandLineParser>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SubstructureCli : public TSubstructureTest {
protected:
    TPlanDocument Plan;
    TPaneele Board;
    QTemporaryDir Dir;

    void SetUp() override {
        TSubstructureTest::SetUp();
        Plan.ShapeList.push_back(MakeArea(Rect(0, 0, 300, 200)));
        Board.Lattenabstand = 45;
        Board.LattenNr.SetText(QStringLiteral("vom Brett"));
    }
    TShape& Area() { return *Plan.ShapeList[0]; }
    std::vector<TShape*> Areas() { return {&Area()}; }
    QString UKPrev() const { return Dir.filePath(QStringLiteral("UKprev.bin")); }
};

// The substructure options read from a command line that has others, as "lay" has.
bool ParseOptions(const QStringList& args, QCommandLineParser& parser,
                  TSubstructureCliOptions& options, QString& error) {
    parser.addOption(QCommandLineOption(QStringLiteral("json")));
    AddSubstructureOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("tarv-cli")} + args)) {
        error = parser.errorText();
        return false;
    }
    return ReadSubstructureOptions(parser, options, error);
}

TEST_F(SubstructureCli, OptionsAreTakenOutOfTheArguments) {
    const QStringList args = {
        "plan.pln",   "--substructure", "9",  "--json",   "--set-uk",
        "A_Rand=nur", "--batten",       "L1", "--set-uk", "A_MaxLattenAbstand=45,5"};
    TSubstructureCliOptions options;
    QString error;
    QCommandLineParser parser;
    ASSERT_TRUE(ParseOptions(args, parser, options, error)) << error.toStdString();
    EXPECT_EQ(parser.positionalArguments(), (QStringList{"plan.pln"}));
    EXPECT_TRUE(parser.isSet(QStringLiteral("json")));
    EXPECT_TRUE(options.Any);
    EXPECT_EQ(options.LayoutID, 9);
    EXPECT_EQ(options.BattenNr, QStringLiteral("L1"));
    EXPECT_EQ(options.Settings, (QStringList{"A_Rand=nur", "A_MaxLattenAbstand=45,5"}));

    for (const QStringList& bad :
         {QStringList{"--substructure"}, QStringList{"--substructure", "x"},
          QStringList{"--set-uk", "A_Rand"}, QStringList{"--batten"}}) {
        TSubstructureCliOptions o;
        QCommandLineParser p;
        error.clear();
        EXPECT_FALSE(ParseOptions(bad, p, o, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    TSubstructureCliOptions o;
    QCommandLineParser p;
    EXPECT_TRUE(ParseOptions({"plan.pln"}, p, o, error));
    EXPECT_FALSE(o.Any);
}

TEST_F(SubstructureCli, ChosenLayoutWithSettingsAfterTheBoardsDefaults) {
    TSubstructureCliOptions options;
    options.Any = true;
    options.LayoutID = 9;
    options.BattenNr = QStringLiteral("L1");
    options.Settings = {QStringLiteral("A_Rand=nur")};
    QString error;
    ASSERT_TRUE(ApplySubstructureOptions(Context, Plan, Areas(), options, Board, UKPrev(), error))
        << error.toStdString();
    const auto& g =
        dynamic_cast<const TLattenGeneratorLaengsStirnNurOhneRand&>(*LattenGeneratorOf(Area()));
    EXPECT_EQ(g.fRand, 1);
    EXPECT_EQ(g.fMaxLattenAbstand, 45); // the board's
    EXPECT_EQ(Area().VerlattungColl()[0].ArtikelNr, QStringLiteral("L1"));
    ExpectSameSegments(Area().VerlattungColl()[0].Vektoren, Horizontal({3, 197}, 3, 297));
    // The prototype changed: the settings file has it.
    TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
    ASSERT_TRUE(ReadUKPrevFile(UKPrev(), read));
    EXPECT_EQ(dynamic_cast<const TLattenGeneratorLaengsStirnNurOhneRand&>(*read[9]).fRand, 1);

    // Settings override the board's spacing.
    options.Settings = {QStringLiteral("A_Rand=0"), QStringLiteral("A_MaxLattenAbstand=60")};
    ASSERT_TRUE(ApplySubstructureOptions(Context, Plan, Areas(), options, Board, QString(), error));
    EXPECT_EQ(LattenGeneratorOf(Area())->fMaxLattenAbstand, 60);
    ExpectSameSegments(Area().VerlattungColl()[0].Vektoren,
                       Horizontal({51.45, 100, 148.55}, 3, 297));
}

TEST_F(SubstructureCli, RefusedOptionsChangeNothing) {
    Area().AddVerlattung(QStringLiteral("alt"), {TVektor(0, 0, 5, 5)});
    const struct {
        std::int32_t layout;
        QString setting;
        QString message;
    } cases[] = {
        {8, QString(), QStringLiteral("Unbekannte Unterkonstruktion 8")},
        {2, QStringLiteral("A_MaxLattenAbstand=250"),
         QStringLiteral("Der maximale Lattenabstand muß zwischen 1 cm und 200 cm liegen")},
        {2, QStringLiteral("A_Rand=1"),
         QStringLiteral("Die Unterkonstruktion \"Längs durch Stirnseiten\" hat keine "
                        "Eigenschaft \"A_Rand\"")},
        {9, QStringLiteral("A_Rand=2"), QStringLiteral("Ungültiger Wert \"2\" für A_Rand.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TSubstructureCliOptions options;
        options.Any = true;
        options.LayoutID = c.layout;
        if (!c.setting.isEmpty()) options.Settings = {c.setting};
        QString error;
        EXPECT_FALSE(
            ApplySubstructureOptions(Context, Plan, Areas(), options, Board, UKPrev(), error));
        EXPECT_EQ(error, c.message);
        ASSERT_EQ(Area().VerlattungColl().size(), 1u);
        EXPECT_EQ(Area().VerlattungColl()[0].ArtikelNr, QStringLiteral("alt"));
        if (Context.LattenPrototype(c.layout)) {
            EXPECT_EQ(Context.LattenPrototype(c.layout)->fMaxLattenAbstand,
                      Context.LattenPrototype(c.layout)->DefaultMaxLattenAbstand());
        }
    }
    EXPECT_FALSE(QFile::exists(UKPrev()));
}

TEST_F(SubstructureCli, BattensAndGeneratorAsJson) {
    Area().SetLattenGenerator(std::make_unique<TLattenGeneratorLaengsStirnNurOhneRand>());
    LattenGeneratorOf(Area())->LattenArtNr.SetText(QStringLiteral("L1"));
    // As a loaded plan has them: battens, but no length summed.
    Area().AddVerlattung(QStringLiteral("L1"), {TVektor(3, 3, 297, 3)});
    Area().AddVerlattung(QStringLiteral("L2"), {});
    TVektor joint(100, 3, 101, 3); // along +x
    joint.Flags = 0x30001;
    Area().AddUKVerbinderPoint(QStringLiteral("V1"), joint);
    ASSERT_EQ(Area().LaengeVerlattung(), 0);
    const QJsonObject json = ShapeSubstructureJson(Area());
    const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Compact);
    EXPECT_EQ(text.toStdString(),
              R"({"LaengeVerlattung":294,"LattenGenerator":{"BitMapIndex":9,)"
              R"("ClassName":"TLattenGeneratorLaengsStirnNurOhneRand","LattenArtNr":"L1",)"
              R"("Name":"Längs durch Stirnseiten nur/ohne Rand","Properties":)"
              R"({"A_MaxLattenAbstand":150,"A_Rand":"ohne"}},"UKVerbinderColl":)"
              R"([{"ArtikelNr":"V1","Verbinder":[[100,3,1,0,196609]]}],"VerlattungColl":)"
              R"([{"ArtikelNr":"L1","Latten":[[3,3,294,0]]},{"ArtikelNr":"L2","Latten":[]}]})");
    Area().SetLattenGenerator(nullptr);
    EXPECT_TRUE(ShapeSubstructureJson(Area())["LattenGenerator"].isNull());
}

TEST_F(SubstructureCli, LayoutListShowsEveryLayoutWithItsProperties) {
    const QJsonArray list = LattenGeneratorListJson(Context.LattenGeneratorList);
    std::vector<int> ids;
    for (const QJsonValue& v : list)
        ids.push_back(v["ID"].toInt());
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 9}));
    const QJsonArray properties = list[8]["Properties"].toArray();
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties[0]["Name"].toString(), QStringLiteral("A_MaxLattenAbstand"));
    EXPECT_EQ(properties[0]["Min"].toDouble(), 1);
    EXPECT_EQ(properties[0]["Max"].toDouble(), 200);
    EXPECT_EQ(properties[0]["Default"].toDouble(), 150);
    EXPECT_EQ(properties[1]["Values"].toArray().size(), 2);
    QString text;
    QTextStream out(&text);
    PrintLattenGeneratorList(out, Context.LattenGeneratorList);
    out.flush();
    EXPECT_TRUE(text.contains(QStringLiteral(" 9  Längs durch Stirnseiten nur/ohne Rand")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("A_Rand  Auswahl  ohne/nur  Vorgabe ohne  Wert ohne")));
}

TEST_F(SubstructureCli, SecondArticleIsDrawnDashed) {
    Area().AddVerlattung(QStringLiteral("L1"), {TVektor(10, 50, 190, 50)});
    Area().AddVerlattung(QStringLiteral("L2"), {TVektor(10, 100, 190, 100)});
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.Pen.Color = RGBColor(0, 0, 0);
        DrawVerlattung(canvas, Area());
        EXPECT_EQ(canvas.Pen.Width, 1);
    }
    const auto inked = [&](int y) {
        int n = 0;
        for (int x = 20; x < 180; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(image.pixel(x, y + dy)) < 128) {
                    ++n;
                    break;
                }
        return n;
    };
    EXPECT_EQ(inked(50), 160);
    EXPECT_GT(inked(100), 20);
    EXPECT_LT(inked(100), 150);
}

} // namespace
