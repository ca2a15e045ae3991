#pragma once
// Connectors where battens meet and where a batten is longer than its sold length, and battens
// trimmed to their area.
//
// A connector point is a TVektor: the start point is where the connector sits; Flags holds the
// number of connectors there (1 or 2) in its low 16 bits and, for a longitudinal joint, 3 in
// its high 16 bits (kLaengsVerbinderFlags); a joint's direction is the unit direction of its
// batten, the others point from the connector to (1, 1), which means nothing.

#include <cstdint>

class TCatalogue;
class TPlanDocument;
class TShape;

constexpr std::int32_t kLaengsVerbinderFlags = 0x30001;

// Places the area's connectors anew. For every pair of battens (the first one's article in the
// catalogue) that meet at 2..178 degrees, lengthened by 0.1 cm at both ends: a cross connector
// of the first batten's article between 88 and 92 degrees, else its angle connector; two where
// the meeting point lies at least sqrt(2) cm from all four batten ends, else one; none where a
// connector already sits within 1 cm in x and y. For every batten longer than its article's
// sold length L by more than 1 cm: longitudinal joints every L cm (3 cm apart in the count).
// Connector articles not in the catalogue are not placed.
void UKVerbinder(TShape& Shape, const TCatalogue& Catalogue);

// The connectors of every area, as after loading a plan (plan files do not store them).
void UKVerbinderPlan(TPlanDocument& Plan, const TCatalogue& Catalogue);

// Trims the area's battens to the effective outline: each batten keeps its parts inside the
// area, several where it leaves and enters again; a batten with no part inside is removed.
// The connectors are forgotten with the old battens; the caller places them again.
void UKCutLatten(TShape& Shape);
