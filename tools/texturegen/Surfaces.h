#pragma once
// Surfaces that fill the whole picture: wood with its grain along x (the board's length),
// brushed metal and WPC, galvanised zinc, and laid boards for the group pictures.

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>

struct TWoodStyle {
    QColor Light;              // early wood
    QColor Dark;               // late wood, the growth lines
    double RingSpacing = 14;   // pixels between growth lines across the board
    double Warp = 10;          // how far the lines wander along the board
    double Contrast = 0.55;    // weight of the growth lines
    double Fibre = 0.25;       // fine streaks along the grain
    double Pores = 0;          // dark pore dashes (oak, ash)
    int Knots = 0;             // knots per picture
    double GrooveSpacing = 0;  // ridges along the length (riffled decking); 0: smooth
    double GrooveDepth = 0.25; // shading of the ridges
    QColor Glaze;              // mixed over the wood (white glazed panels); invalid: none
    double GlazeAmount = 0;
};

struct TBrushedStyle {
    QColor Base;
    double Streaks = 0.18;    // brushing along x
    double Highlight = 0.12;  // a soft light band across the picture
    double Specks = 0;        // wood fibre specks of WPC
    double WoodGrain = 0;     // embossed grain of wood-look WPC
    double GrooveSpacing = 0; // ridges along x; 0: none
    double GrooveDepth = 0.3;
};

QImage WoodSurface(QSize Size, const TWoodStyle& Style, std::uint32_t Seed);
QImage BrushedSurface(QSize Size, const TBrushedStyle& Style, std::uint32_t Seed);
QImage GalvanisedSurface(QSize Size, std::uint32_t Seed);

// Several boards laid side by side with their joints, for group pictures.
QImage LaidBoards(QSize Size, const TWoodStyle& Style, int BoardHeight, std::uint32_t Seed);
QImage LaidWpc(QSize Size, const TBrushedStyle& Style, int BoardHeight, std::uint32_t Seed);
// Square tiles whose slats turn by a right angle from tile to tile.
QImage WpcTiles(QSize Size, const TBrushedStyle& Style, int TileSize, std::uint32_t Seed);
// End grain of a squared beam: the growth rings around the pith.
QImage EndGrain(QSize Size, const TWoodStyle& Style, std::uint32_t Seed);
