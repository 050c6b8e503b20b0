#pragma once
// Identity of every diagram element, and the interface through which a selection drives its
// shapes as one.

#include "platform/kelmora_export.h"

class InArchive;
class OutArchive;

// The commands a Collection sends to its items. The numbers are fixed; 3 is unassigned.
enum EAction {
    eDeselect = 0,
    eSelect = 1,
    eMove = 2,   // data: CSize* offset in model units
    eTrack = 4,  // data: CSize* offset of the drag feedback
    eEndTrack = 5,
};

class KELMORA_API Object {
public:
    Object() = default;
    explicit Object(long id) : objId(id) {}
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object() = default;

    virtual void serialise(OutArchive& ar) = 0;
    virtual void serialise(InArchive& ar) = 0;

    long getObjId() const { return objId; }

protected:
    long objId = 0;
};

class KELMORA_API Collectable {
public:
    virtual ~Collectable() = default;
    virtual void execute(EAction action, void* data) = 0;
};
