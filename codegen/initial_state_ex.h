#pragma once
// The generation variant of an initial state: checks that it leads to exactly one direct
// sub-state of the state that adopted it, and names that target for the records.

#include "codegen/generatable.h"
#include "model/initial_state.h"
#include "platform/kelmora_export.h"

#include <ostream>
#include <string>

class GenericStateEx;

class KELMORA_API InitialStateEx : public InitialState, public Generatable {
public:
    InitialStateEx() = default;
    InitialStateEx(long id, ViewServices* view, const CRect& r);

    void assertValid() override;

    void setParent(GenericStateEx* p) { parent = p; }
    GenericStateEx* getParent() const { return parent; }
    void setClassName(const std::string& n) { className = n; }
    const std::string& getClassName() const { return className; }

    // The class name of the state the first outgoing transition leads to.
    const std::string& getInitialStateClassName() const;
    virtual void generate_sm(std::ostream& out, short indent, const std::string& label);

private:
    GenericStateEx* parent = nullptr;
    std::string className;
};
