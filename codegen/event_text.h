#pragma once
// A transition label's event text split into the event's name and its parameter list:
// "received(int count, bool last)" is the event "received" with two parameters. The list is
// written in the target language's syntax; only its shape is checked here (balanced brackets,
// each parameter a type followed by an identifier), so that a list the generators cannot use
// fails generation with a message instead of giving code that does not compile.

#include "platform/kelmora_export.h"

#include <string>
#include <vector>

struct EventParameter {
    std::string type; // as written, blanks folded: "const std::string&"
    std::string name;
};

struct EventText {
    std::string name;      // the text before the parenthesis, without surrounding blanks
    std::string signature; // the text between the parentheses, trimmed; empty for none
    std::vector<EventParameter> parameters;
};

// Throws a message (std::string) for a list that cannot be parsed.
KELMORA_API EventText splitEventText(const std::string& text);

// The parameters of a signature as splitEventText leaves it; throws like it.
KELMORA_API std::vector<EventParameter> parseParameters(const std::string& event,
                                                        const std::string& signature);

// Two signatures declare the same parameters when their types and names agree, blanks aside.
KELMORA_API bool sameSignature(const std::vector<EventParameter>& a,
                               const std::vector<EventParameter>& b);
