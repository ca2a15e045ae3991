#pragma once
// What a plan document asks of the program around it: status texts, beeps, repaints and the
// reports of its operations. The plan window implements it; tarv-cli and tests use the default
// (which writes reports to standard error and does nothing else) or a recorder.

#include <QString>

class TShape;

class IPlanHost {
public:
    virtual ~IPlanHost() = default;

    // Text in a panel of the main window's status bar (panel 0 is the message panel).
    virtual void StatusText(int Panel, const QString& Text) {
        (void)Panel;
        (void)Text;
    }
    virtual void Beep() {}
    virtual void Repaint() {}
    // The offer dialog's grid no longer matches the plan.
    virtual void ClearOfferGrid() {}
    // The program-wide requirement list no longer matches the plan.
    virtual void ClearRequirement() {}
    // Selections of edges, objects and free objects point into data about to be rebuilt.
    virtual void ClearSelections() {}
    virtual void SelectShape(TShape* Shape) { (void)Shape; }
    // The plan totals changed; the status bar shows them.
    virtual void SummenChanged() {}
    // True while the user drags the interior of areas: derived data is then rebuilt only
    // as far as drawing needs it.
    virtual bool InteractiveMoveInProgress() const { return false; }
    // Something the plan could only do in part, and what it did instead (an effective
    // outline the clipper refused, say). The window shows it in the status bar with a beep.
    virtual void ReportError(const QString& Message);
};
