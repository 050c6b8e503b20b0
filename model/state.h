#pragma once
// The common base of the three state kinds, and the two mixins that keep the transitions
// leaving a state (heads) and arriving at it (tails). State is a virtual base of both mixins,
// so a state that is both holds one State.

#include "model/connectable_rect_shape.h"
#include "platform/kelmora_export.h"

#include <string>
#include <vector>

class Transition;

class KELMORA_API State : public ConnectableRectShape {
public:
    State() = default;
    // In the editor the anchors are shown as the default settings say.
    State(long id, const std::string& type, ViewServices* mgr, const CRect& r,
          const std::string& name);

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void onContextMenuAction(int commandId) override;

    const std::string& getName() const { return name; }
    void setName(const std::string& n) { name = n; }

protected:
    std::string name;
};

// A state transitions can leave: their head end is here.
class KELMORA_API StartableState : public virtual State {
public:
    StartableState(const StartableState&) = delete;
    StartableState& operator=(const StartableState&) = delete;
    // Every listed transition forgets this state.
    ~StartableState() override;

    // Appends without a duplicate check.
    virtual void attachTransitionHead(Transition* t);
    // Drops the first occurrence and clears the transition's start state; an unlisted
    // transition is left untouched.
    virtual void detachTransitionHead(Transition* t);

    const std::vector<Transition*>& getHeads() const { return heads; }

protected:
    StartableState() = default;
    // Transitions always follow their states, whatever the flag.
    void publishChange(bool all);
    void detachAll();

private:
    std::vector<Transition*> heads;
};

// A state transitions can arrive at: their tail end is here.
class KELMORA_API EndableState : public virtual State {
public:
    EndableState(const EndableState&) = delete;
    EndableState& operator=(const EndableState&) = delete;
    ~EndableState() override;

    virtual void attachTransitionTail(Transition* t);
    virtual void detachTransitionTail(Transition* t);

    const std::vector<Transition*>& getTails() const { return tails; }

protected:
    EndableState() = default;
    void publishChange(bool all);
    void detachAll();

private:
    std::vector<Transition*> tails;
};
