#pragma once
// Small mouse trackers that run a modal drag on the view window and draw XOR feedback on its
// overlay: a point (optionally with a rubber line from the start) and a segment dragged
// sideways. Editor only; the headless library never starts one.

#include "platform/cwnd.h"
#include "platform/geometry.h"

using TrackCallback = void (*)(CPoint& point, void* context);

class BaseTracker {
public:
    BaseTracker(void* ctx, TrackCallback cb) : context(ctx), callback(cb) {}
    virtual ~BaseTracker() = default;

    // Accepts or refuses the release point.
    virtual bool finish(const CPoint& end, CDC* dc) = 0;
    virtual void move(const CPoint& to, CDC* dc) = 0;
    virtual void cancel(CDC* dc) = 0;

    // The modal loop: true when the user released the button and finish accepted.
    bool track(CWnd* view);

protected:
    bool shown = false;
    void* context = nullptr;
    TrackCallback callback = nullptr;
};

class PointTracker : public BaseTracker {
public:
    PointTracker(void* context, TrackCallback callback, bool showLine);
    // Sets where the drag starts (window pixels).
    void setStart(const CPoint& p);

    bool finish(const CPoint& end, CDC* dc) override;
    void move(const CPoint& to, CDC* dc) override;
    void cancel(CDC* dc) override;

    // The last point, after the callback.
    const CPoint& getPoint() const { return current; }

private:
    void drawLine(CDC* dc);

    CPoint start;
    CPoint current;
    bool showLine = false;
};

class LineTracker : public BaseTracker {
public:
    LineTracker(void* context, TrackCallback callback);
    // The segment as it stands when the drag starts (window pixels).
    void setStart(const CPoint& first, const CPoint& second);

    bool finish(const CPoint& end, CDC* dc) override;
    void move(const CPoint& to, CDC* dc) override;
    void cancel(CDC* dc) override;

    const CPoint& getFirst() const { return curFirst; }
    const CPoint& getSecond() const { return curSecond; }

private:
    void pointsFor(const CPoint& p, CPoint& first, CPoint& second) const;
    void drawOutline(CDC* dc);

    CPoint startFirst, startSecond;
    CPoint curFirst, curSecond;
};
