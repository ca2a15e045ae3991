#pragma once
// Pictures of small articles on a light background: clips, claws, screws, connectors and the
// other accessories, and the group pictures that show several of them.

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>

class QPainter;
class QRectF;

// The light studio background of these pictures, antialiased drawing on top.
QImage OnBackground(QSize Size, const std::function<void(QPainter&)>& Draw);
// A soft shadow under an object standing in the box.
void DropShadow(QPainter& Painter, const QRectF& Box);

// Metal finishes of the accessories.
enum class TFinish { Stainless, Galvanised, Aluminium, Black, GreyPlastic };

enum class TClipKind { Middle, Groove, Start, Facade, Hollow };

QImage ClipPicture(QSize Size, TClipKind Kind, TFinish Finish);
QImage ClawPicture(QSize Size, TFinish Finish, bool Small);
QImage ScrewPicture(QSize Size, TFinish Finish, double Length, bool Torx);
enum class TConnectorKind { Cross, Angle, Straight, Strip };
QImage ConnectorPicture(QSize Size, TConnectorKind Kind, TFinish Finish);
QImage PerforatedPlatePicture(QSize Size);
QImage FootPicture(QSize Size);
QImage PadPicture(QSize Size);
QImage FleecePicture(QSize Size);
QImage OilCanPicture(QSize Size, QColor Label);
QImage KitPicture(QSize Size);
QImage BitPicture(QSize Size);
// Profiles seen from the end: angles, strips, battens.
QImage AngleProfilePicture(QSize Size, QColor Colour);
// Group pictures (Groups.cpp).
QImage ClipsGroupPicture(QSize Size);
QImage AccessoriesGroupPicture(QSize Size);
QImage ModulesGroupPicture(QSize Size, std::uint32_t Seed);
QImage StripsGroupPicture(QSize Size, std::uint32_t Seed);
QImage SubstructureGroupPicture(QSize Size, std::uint32_t Seed);
