#pragma once
// The generation variant of a transition label: hands out its event, guard and effect.

#include "codegen/generatable.h"
#include "model/mesg.h"
#include "platform/kelmora_export.h"

#include <string>

class KELMORA_API MesgEx : public Mesg, public Generatable {
public:
    MesgEx() = default;
    MesgEx(long id, ViewServices* view, const CRect& r, Transition* t) : Mesg(id, view, r, t) {}

    // The event without leading and trailing blanks.
    std::string getEvent() const { return trimBlanks(textHandler.getEvent()); }
    const std::string& getGuard() const { return textHandler.getGuard(); }
    const std::string& getEffect() const { return textHandler.getEffect(); }

    // Only the space character counts; a text of nothing but blanks stays as it is.
    static std::string trimBlanks(const std::string& text);
};
