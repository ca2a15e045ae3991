#pragma once
// Records and areas for the tests of plan objects.

#include "model/GraphicObject.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"
#include "support/StreamBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <memory>

inline QByteArray WrittenObject(const TGraphicObject& o) {
    return Written([&](TWriter& w) { o.WriteData(w); });
}

// A new T read from the record; what the reader raises passes through. atEnd tells whether the
// record used every byte.
template <class T>
std::unique_ptr<T> ReadObject(const QByteArray& bytes, bool* atEnd = nullptr) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    auto o = std::make_unique<T>();
    o->ReadData(reader);
    if (atEnd) *atEnd = reader.AtEnd();
    return o;
}

// ReadObject of a record that must use every byte.
template <class T>
std::unique_ptr<T> ReadBack(const QByteArray& bytes) {
    bool atEnd = false;
    auto o = ReadObject<T>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    return o;
}

// A closed rectangular area with its edge list and drawing cache, as hit tests need it.
inline std::unique_ptr<TShape> RectangleArea(double x1, double y1, double x2, double y2) {
    auto s = std::make_unique<TShape>();
    for (Tgpc_vertex v : {Tgpc_vertex{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}})
        s->AddVertex(v);
    s->SetClosed(true);
    s->CopyF2Vpolygon();
    s->CreateV_VectorList();
    s->UpdateClipRgn();
    return s;
}

// The document record of the plan, as a plan file holds it.
inline QByteArray PlanBytes(const TPlanDocument& plan) {
    return Written([&](TWriter& w) { plan.WriteData(w); });
}

// A plan read from a document record; what the reader raises passes through.
inline std::unique_ptr<TPlanDocument> ReadPlan(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    TReader reader(in);
    auto plan = std::make_unique<TPlanDocument>();
    plan->ReadData(reader, {});
    return plan;
}
