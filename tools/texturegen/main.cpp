// texturegen: draws every article and group picture of the sample catalogue and writes it as
// a JPEG. The pictures are committed under data/images; run this again only when the
// catalogue names new pictures.
//   texturegen [--sheet SHEET.png] OUTPUT_FOLDER [NAME ...]   (no names: all of them)
// --sheet also writes all pictures written, reduced, onto one PNG for a look at the set.

#include "Noise.h"
#include "Objects.h"
#include "Surfaces.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const QSize kSize(400, 300);

struct TEntry {
    const char* Name;
    std::function<QImage(std::uint32_t Seed)> Make;
};

TWoodStyle Wood(QColor light, QColor dark, double rings, double contrast) {
    TWoodStyle s;
    s.Light = light;
    s.Dark = dark;
    s.RingSpacing = rings;
    s.Contrast = contrast;
    return s;
}

// The woods of the catalogue, their colours close to the article colours.
TWoodStyle Bangkirai() {
    TWoodStyle s = Wood(QColor(178, 120, 80), QColor(120, 68, 40), 6, 0.3);
    s.Fibre = 0.5;
    s.Pores = 0.12;
    s.Warp = 5;
    return s;
}
TWoodStyle ThermoAsh() {
    TWoodStyle s = Wood(QColor(132, 86, 52), QColor(76, 44, 24), 18, 0.6);
    s.Pores = 0.2;
    return s;
}
TWoodStyle Douglas() {
    TWoodStyle s = Wood(QColor(220, 160, 112), QColor(170, 94, 54), 12, 0.75);
    s.Knots = 2;
    return s;
}
TWoodStyle Larch() {
    TWoodStyle s = Wood(QColor(224, 172, 116), QColor(168, 102, 52), 9, 0.7);
    s.Knots = 3;
    return s;
}
TWoodStyle GreenPine() {
    TWoodStyle s = Wood(QColor(174, 166, 106), QColor(118, 110, 60), 13, 0.55);
    s.Knots = 3;
    return s;
}
TWoodStyle Spruce() {
    TWoodStyle s = Wood(QColor(240, 208, 152), QColor(198, 150, 92), 10, 0.5);
    s.Knots = 2;
    return s;
}
TWoodStyle Pine() {
    TWoodStyle s = Wood(QColor(236, 204, 152), QColor(204, 148, 86), 12, 0.55);
    s.Knots = 3;
    return s;
}
TWoodStyle ThermoPine() {
    TWoodStyle s = Wood(QColor(130, 88, 56), QColor(82, 50, 28), 10, 0.6);
    s.Knots = 1;
    return s;
}
TWoodStyle Oak() {
    TWoodStyle s = Wood(QColor(198, 154, 102), QColor(148, 102, 58), 16, 0.4);
    s.Pores = 0.16;
    return s;
}
TWoodStyle Beech() {
    TWoodStyle s = Wood(QColor(224, 176, 130), QColor(196, 138, 94), 20, 0.25);
    s.Pores = 0.06;
    s.Fibre = 0.15;
    return s;
}

template <typename T>
T With(T style, const std::function<void(T&)>& change) {
    change(style);
    return style;
}

TBrushedStyle Brushed(QColor base, double grooves = 0) {
    TBrushedStyle s;
    s.Base = base;
    s.GrooveSpacing = grooves;
    return s;
}
TBrushedStyle Wpc(QColor base, double grooves, double grain) {
    TBrushedStyle s;
    s.Base = base;
    s.Streaks = 0.1;
    s.Highlight = 0.06;
    s.Specks = 0.08;
    s.WoodGrain = grain;
    s.GrooveSpacing = grooves;
    return s;
}

std::function<QImage(std::uint32_t)> Surface(const TWoodStyle& style) {
    return [style](std::uint32_t seed) { return WoodSurface(kSize, style, seed); };
}
std::function<QImage(std::uint32_t)> Surface(const TBrushedStyle& style) {
    return [style](std::uint32_t seed) { return BrushedSurface(kSize, style, seed); };
}
std::function<QImage(std::uint32_t)> Fixed(const std::function<QImage()>& make) {
    return [make](std::uint32_t) { return make(); };
}

std::vector<TEntry> Entries() {
    const QColor alu(206, 208, 211), anthracite(68, 66, 66);
    const QColor wpcGrey(134, 132, 128), wpcBrown(132, 90, 58);
    return {
        // Decking, hardwood and softwood: grain along the length.
        {"bangkirai.jpg", Surface(Bangkirai())},
        {"bangkirai_nut.jpg",
         Surface(
             With<TWoodStyle>(Bangkirai(), [](TWoodStyle& s) { s.Light = s.Light.darker(106); }))},
        {"thermoesche.jpg", Surface(ThermoAsh())},
        {"douglasie.jpg", Surface(Douglas())},
        {"laerche.jpg", Surface(Larch())},
        {"kiefer_kdi.jpg", Surface(With<TWoodStyle>(GreenPine(),
                                                    [](TWoodStyle& s) {
                                                        s.GrooveSpacing = 10;
                                                        s.GrooveDepth = 0.3;
                                                    }))},
        // WPC: grooved hollow boards, solid boards with an embossed grain, click tiles.
        {"wpc_grau.jpg", Surface(Wpc(wpcGrey, 12, 0.02))},
        {"wpc_braun.jpg", Surface(Wpc(wpcBrown, 12, 0.02))},
        {"wpc_anthrazit.jpg", Surface(Wpc(QColor(66, 64, 64), 0, 0.07))},
        {"wpc_teak.jpg", Surface(Wpc(QColor(168, 110, 64), 0, 0.1))},
        {"wpc_fliese.jpg",
         [=](std::uint32_t seed) { return WpcTiles(kSize, Wpc(wpcGrey, 0, 0.05), 100, seed); }},
        // Facade and ceiling profiles.
        {"rhombus_laerche.jpg",
         Surface(With<TWoodStyle>(Larch(), [](TWoodStyle& s) { s.RingSpacing = 8; }))},
        {"stuelpschalung.jpg", Surface(Spruce())},
        {"rhombus_thermo.jpg", Surface(ThermoPine())},
        {"douglasie_nf.jpg", Surface(Douglas())},
        {"fichte_profil.jpg",
         Surface(With<TWoodStyle>(Spruce(), [](TWoodStyle& s) { s.RingSpacing = 8; }))},
        {"kiefer_softline.jpg", Surface(Pine())},
        {"akustik.jpg", Surface(With<TWoodStyle>(Spruce(),
                                                 [](TWoodStyle& s) {
                                                     s.Glaze = QColor(250, 248, 240);
                                                     s.GlazeAmount = 0.65;
                                                     s.GrooveSpacing = 24;
                                                     s.GrooveDepth = 0.5;
                                                 }))},
        // Floors.
        {"eiche_landhaus.jpg",
         Surface(With<TWoodStyle>(Oak(), [](TWoodStyle& s) { s.Knots = 1; }))},
        {"eiche_schiffsboden.jpg",
         Surface(With<TWoodStyle>(Oak(), [](TWoodStyle& s) { s.RingSpacing = 12; }))},
        {"fichte_diele.jpg",
         Surface(With<TWoodStyle>(Spruce(), [](TWoodStyle& s) { s.Knots = 3; }))},
        {"buche_stab.jpg", Surface(Beech())},
        // Beams.
        {"kantholz_douglasie.jpg",
         Surface(With<TWoodStyle>(Douglas(), [](TWoodStyle& s) { s.RingSpacing = 16; }))},
        {"kvh.jpg", Surface(Spruce())},
        {"leimholz.jpg", Surface(With<TWoodStyle>(Spruce(),
                                                  [](TWoodStyle& s) {
                                                      s.Knots = 0;
                                                      s.GrooveSpacing =
                                                          60; // the glue lines of the lamellae
                                                      s.GrooveDepth = 0.2;
                                                  }))},
        {"kantholz_bangkirai.jpg", Surface(Bangkirai())},
        // Substructure battens and profiles.
        {"uk_bangkirai.jpg", Surface(Bangkirai())},
        {"uk_douglasie.jpg", Surface(Douglas())},
        {"uk_laerche.jpg", Surface(Larch())},
        {"uk_kiefer.jpg", Surface(GreenPine())},
        {"uk_fassade.jpg", Surface(With<TWoodStyle>(Spruce(),
                                                    [](TWoodStyle& s) {
                                                        s.Glaze =
                                                            QColor(150, 170, 120); // impregnated
                                                        s.GlazeAmount = 0.25;
                                                    }))},
        {"uk_dachlatte.jpg", Surface(With<TWoodStyle>(Spruce(),
                                                      [](TWoodStyle& s) {
                                                          s.Fibre = 0.5; // sawn, not planed
                                                          s.Knots = 3;
                                                      }))},
        {"uk_lagerholz.jpg", Surface(Spruce())},
        {"uk_alu.jpg", Surface(Brushed(alu, 40))},
        {"uk_alu_flach.jpg", Surface(Brushed(alu, 0))},
        {"uk_wpc.jpg", Surface(Wpc(anthracite, 30, 0))},
        // Edge strips.
        {"winkel_silber.jpg", Surface(Brushed(alu))},
        {"winkel_anthrazit.jpg", Surface(Brushed(anthracite))},
        {"leiste_wpc_grau.jpg", Surface(Wpc(wpcGrey, 0, 0.03))},
        {"leiste_wpc_braun.jpg", Surface(Wpc(wpcBrown, 0, 0.03))},
        {"blende_wpc.jpg", Surface(Wpc(wpcGrey, 0, 0.08))},
        {"stirnbrett.jpg", Surface(Bangkirai())},
        {"leiste_laerche.jpg", Surface(Larch())},
        // Clips and claws.
        {"clip_mitte.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Middle, TFinish::Stainless); })},
        {"clip_nut.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Groove, TFinish::Stainless); })},
        {"clip_thermo.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Groove, TFinish::Black); })},
        {"kralle_verzinkt.jpg",
         Fixed([] { return ClawPicture(kSize, TFinish::Galvanised, false); })},
        {"kralle_edelstahl.jpg",
         Fixed([] { return ClawPicture(kSize, TFinish::Stainless, false); })},
        {"clip_wpc.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Hollow, TFinish::GreyPlastic); })},
        {"clip_start.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Start, TFinish::Stainless); })},
        {"clip_fassade.jpg",
         Fixed([] { return ClipPicture(kSize, TClipKind::Facade, TFinish::Black); })},
        {"profilholzkralle.jpg",
         Fixed([] { return ClawPicture(kSize, TFinish::Galvanised, true); })},
        // Screws and accessories.
        {"schraube_a2.jpg",
         Fixed([] { return ScrewPicture(kSize, TFinish::Stainless, 0.85, true); })},
        {"schraube_a4.jpg",
         Fixed([] { return ScrewPicture(kSize, TFinish::Stainless, 1.0, true); })},
        {"schraube_verzinkt.jpg",
         Fixed([] { return ScrewPicture(kSize, TFinish::Galvanised, 1.1, false); })},
        {"schraube_clip.jpg",
         Fixed([] { return ScrewPicture(kSize, TFinish::Stainless, 0.6, true); })},
        {"verbinder_kreuz.jpg",
         Fixed([] { return ConnectorPicture(kSize, TConnectorKind::Cross, TFinish::Aluminium); })},
        {"verbinder_winkel.jpg",
         Fixed([] { return ConnectorPicture(kSize, TConnectorKind::Angle, TFinish::Aluminium); })},
        {"verbinder_laengs.jpg", Fixed([] {
             return ConnectorPicture(kSize, TConnectorKind::Straight, TFinish::Aluminium);
         })},
        {"lochblech.jpg", Fixed([] { return PerforatedPlatePicture(kSize); })},
        {"stellfuss.jpg", Fixed([] { return FootPicture(kSize); })},
        {"gummipad.jpg", Fixed([] { return PadPicture(kSize); })},
        {"vlies.jpg", Fixed([] { return FleecePicture(kSize); })},
        {"oel.jpg", Fixed([] { return OilCanPicture(kSize, QColor(166, 110, 66)); })},
        {"montageset.jpg", Fixed([] { return KitPicture(kSize); })},
        {"bit.jpg", Fixed([] { return BitPicture(kSize); })},
        // Groups.
        {"grp_hartholz.jpg", [](std::uint32_t s) { return LaidBoards(kSize, Bangkirai(), 56, s); }},
        {"grp_nadelholz.jpg", [](std::uint32_t s) { return LaidBoards(kSize, Larch(), 56, s); }},
        {"grp_wpc.jpg",
         [=](std::uint32_t s) { return LaidWpc(kSize, Wpc(wpcGrey, 12, 0.02), 56, s); }},
        {"grp_fassade.jpg", [](std::uint32_t s) { return LaidBoards(kSize, Larch(), 30, s); }},
        {"grp_decke.jpg", [](std::uint32_t s) { return LaidBoards(kSize, Spruce(), 40, s); }},
        {"grp_parkett.jpg", [](std::uint32_t s) { return LaidBoards(kSize, Oak(), 36, s); }},
        {"grp_balken.jpg", [](std::uint32_t s) { return EndGrain(kSize, Douglas(), s); }},
        {"grp_uk.jpg", [](std::uint32_t s) { return SubstructureGroupPicture(kSize, s); }},
        {"grp_leisten.jpg", [](std::uint32_t s) { return StripsGroupPicture(kSize, s); }},
        {"grp_clips.jpg", Fixed([] { return ClipsGroupPicture(kSize); })},
        {"grp_zubehoer.jpg", Fixed([] { return AccessoriesGroupPicture(kSize); })},
        {"grp_module.jpg", [](std::uint32_t s) { return ModulesGroupPicture(kSize, s); }},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    QString sheetFile;
    if (args.size() >= 2 && args.first() == u"--sheet") {
        args.removeFirst();
        sheetFile = args.takeFirst();
    }
    if (args.isEmpty() || args.first().startsWith(u'-')) {
        std::fputs("Aufruf: texturegen [--sheet BLATT.png] AUSGABEORDNER [NAME ...]\n", stderr);
        return 2;
    }
    const QDir out(args.takeFirst());
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "texturegen: Ordner %s nicht anlegbar\n", qPrintable(out.path()));
        return 1;
    }
    const std::vector<TEntry> entries = Entries();
    for (const QString& name : args) {
        bool known = false;
        for (const TEntry& e : entries)
            known = known || name == QLatin1String(e.Name);
        if (!known) {
            std::fprintf(stderr, "texturegen: unbekanntes Bild %s\n", qPrintable(name));
            return 2;
        }
    }
    int failures = 0;
    std::vector<QImage> written;
    for (const TEntry& e : entries) {
        if (!args.isEmpty() && !args.contains(QLatin1String(e.Name))) continue;
        const QImage image = e.Make(SeedOf(e.Name));
        QImageWriter writer(out.filePath(QLatin1String(e.Name)), "jpeg");
        writer.setQuality(85);
        writer.setOptimizedWrite(true);
        if (!writer.write(image)) {
            std::fprintf(stderr, "texturegen: %s: %s\n", e.Name, qPrintable(writer.errorString()));
            ++failures;
            continue;
        }
        written.push_back(image);
        std::printf("%-26s %6lld Bytes\n", e.Name,
                    static_cast<long long>(QFileInfo(out.filePath(QLatin1String(e.Name))).size()));
    }
    if (!sheetFile.isEmpty() && !written.empty()) {
        constexpr int kColumns = 8;
        const QSize cell = kSize / 2;
        const int rows = int(written.size() + kColumns - 1) / kColumns;
        QImage sheet(cell.width() * kColumns, cell.height() * rows, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        for (std::size_t i = 0; i < written.size(); ++i)
            painter.drawImage(
                QRect(QPoint(int(i % kColumns) * cell.width(), int(i / kColumns) * cell.height()),
                      cell - QSize(2, 2)),
                written[i]);
        painter.end();
        if (!sheet.save(sheetFile, "PNG")) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
