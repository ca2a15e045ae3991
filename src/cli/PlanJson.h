#pragma once
// The JSON of a plan as tarv-cli prints it: every record field under its name in the plan.

#include <QJsonObject>

#include <functional>

class TGraphicObject;
class TPlanDocument;
class TShape;

// Adds fields to the object of one layer (index Layer of Shape).
using TLayerJsonExtra = std::function<void(const TShape& Shape, int Layer, QJsonObject& Json)>;

QJsonObject PlanToJson(const TPlanDocument& Plan, const TLayerJsonExtra& LayerExtra = {});
// One plan object with the fields of its class (modules with their primitives and elements).
QJsonObject ObjectJson(const TGraphicObject& Object);
