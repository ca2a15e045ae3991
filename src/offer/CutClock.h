#pragma once
// The time and the Escape key of one exact optimisation, and the stop of CBC's search.

#include "offer/CutTypes.h"

#include <QElapsedTimer>

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>

#include <algorithm>

// Without a time limit of its own an entry gets this long.
constexpr double kDefaultCutTimeLimit = 10;

class TClock {
public:
    explicit TClock(const TCutControl& Control) : fControl(Control) {
        fClock.start();
        fLimit = Control.TimeLimit > 0 ? Control.TimeLimit : kDefaultCutTimeLimit;
    }
    double Elapsed() const { return fClock.elapsed() / 1000.0; }
    double Left() const { return std::max(0.0, fLimit - Elapsed()); }
    // Time up or Escape; an Escape is remembered for the rest of the entry.
    bool Stop() {
        if (!fStopped && fControl.TakeEscape && fControl.TakeEscape()) fStopped = fEscape = true;
        if (Left() <= 0) fStopped = true;
        return fStopped;
    }
    bool Escape() const { return fEscape; }

private:
    const TCutControl& fControl;
    QElapsedTimer fClock;
    double fLimit = 0;
    bool fStopped = false;
    bool fEscape = false;
};

// Stops CBC between nodes when the time is up or Escape was pressed, or once it has found a
// solution of an objective at most Enough.
class TStopHandler : public CbcEventHandler {
public:
    explicit TStopHandler(TClock& Clock, double Enough = -COIN_DBL_MAX)
        : fClock(Clock), fEnough(Enough) {}
    CbcAction event(CbcEvent) override {
        const bool enough = model_ && model_->getMinimizationObjValue() <= fEnough;
        return enough || fClock.Stop() ? stop : noAction;
    }
    CbcEventHandler* clone() const override { return new TStopHandler(*this); }

private:
    TClock& fClock;
    double fEnough;
};
