#pragma once
// The header every conformance chart names, for the machines that Qt's SCXML compiler makes.
// Each case is compiled into a namespace of its own (SCXML_CASE_NAMESPACE, the folder name
// SCXML_CASE_NAME), where the compiler defines the data model's functions, so each case
// gets its own Ctx there. The compiled file includes its machine's header first, so the case
// registers both here.

#include "scxml_ctx.h"

namespace SCXML_CASE_NAMESPACE {
class Ctx : public CtxBase {
    Q_SCXML_DATAMODEL
};

static const bool registered =
    registerScxmlCase(SCXML_CASE_NAME, {[] { return std::make_unique<Machine>(); },
                                        [] { return std::make_unique<Ctx>(); }});
} // namespace SCXML_CASE_NAMESPACE
