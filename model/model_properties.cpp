#include "model/model_properties.h"

#include "model/archive.h"
#include "model/res_strings.h"
#include "model/util.h"
#include "platform/services.h"

ModelProperties::ModelProperties(ViewServices* view)
    : name(LoadResString(IDS_UNTITLED)), author(LoadResString(IDS_UNTITLED)), owner(view) {}

bool ModelProperties::editModelProp() {
    std::string n = name, a = author, d = desc;
    if (!platform::dialogs().modelProperties(n, a, d))
        return false;
    name = n.empty() ? LoadResString(IDS_UNTITLED) : n;
    author = a.empty() ? LoadResString(IDS_UNTITLED) : a;
    desc = d.empty() ? " " : d;
    return true;
}

bool ModelProperties::editCodeGenProp() {
    CodeGenTexts t{ctxNameCPP,     ctxFileCPP,    ctxNameSpaceCPP, includeFilesCPP,
                   declCPP,        includeFilesC, declC,           ctxNameJAVA,
                   ctxPackageJAVA, declJAVA,      ctxNameCSharp,   ctxPackageCSharp,
                   declCSharp};
    if (!platform::dialogs().codeGenProperties(t))
        return false;
    // Generated code always names a context class, so an empty name cannot stand.
    auto orDefault = [](std::string& s, const char* fallback) {
        return s.empty() ? std::string(fallback) : std::move(s);
    };
    ctxNameCPP = orDefault(t.ctxNameCPP, "Context");
    ctxFileCPP = orDefault(t.ctxFileCPP, "Context.h");
    ctxNameSpaceCPP = std::move(t.ctxNameSpaceCPP);
    includeFilesCPP = std::move(t.includeFilesCPP);
    declCPP = std::move(t.declCPP);
    includeFilesC = std::move(t.includeFilesC);
    declC = std::move(t.declC);
    ctxNameJAVA = orDefault(t.ctxNameJAVA, "Context");
    ctxPackageJAVA = std::move(t.ctxPackageJAVA);
    declJAVA = std::move(t.declJAVA);
    ctxNameCSharp = orDefault(t.ctxNameCSharp, "Context");
    ctxPackageCSharp = std::move(t.ctxPackageCSharp);
    declCSharp = std::move(t.declCSharp);
    return true;
}

void ModelProperties::write(OutArchive& ar) const {
    std::ostream& out = ar.getStream();
    auto line = [&](const std::string& s) { out << s << CRLF; };
    auto block = [&](const std::string& s, const std::string& begin, const std::string& end) {
        Util::writeMultiLines(out, s, begin, end);
    };
    line(name);
    line(ctxNameCPP);
    line(ctxFileCPP);
    line(ctxNameSpaceCPP);
    block(includeFilesCPP, marker::INCLUDE_BEGIN, marker::INCLUDE_END);
    block(declCPP, marker::DECL_BEGIN, marker::DECL_END);
    line(author);
    block(desc, marker::DESC_BEGIN, marker::DESC_END);
    block(includeFilesC, marker::INCLUDE_BEGIN, marker::INCLUDE_END);
    block(declC, marker::DECL_BEGIN, marker::DECL_END);
    line(ctxNameJAVA);
    line(ctxPackageJAVA);
    block(declJAVA, marker::DECL_BEGIN, marker::DECL_END);
    line(ctxNameCSharp);
    line(ctxPackageCSharp);
    block(declCSharp, marker::DECL_BEGIN, marker::DECL_END);
}

void ModelProperties::read(InArchive& ar) {
    std::istream& in = ar.getStream();
    auto line = [&](std::string& s) {
        if (!ar.readLine(s))
            throw std::string("Invalid or Corrupt File");
    };
    auto block = [&](std::string& s, const std::string& begin, const std::string& end) {
        Util::readMultiLines(in, s, begin, end);
    };
    line(name);
    line(ctxNameCPP);
    line(ctxFileCPP);
    line(ctxNameSpaceCPP);
    block(includeFilesCPP, marker::INCLUDE_BEGIN, marker::INCLUDE_END);
    block(declCPP, marker::DECL_BEGIN, marker::DECL_END);
    line(author);
    block(desc, marker::DESC_BEGIN, marker::DESC_END);
    if (!ar.isAtLeast(3, 0))
        return;
    block(includeFilesC, marker::INCLUDE_BEGIN, marker::INCLUDE_END);
    block(declC, marker::DECL_BEGIN, marker::DECL_END);
    line(ctxNameJAVA);
    line(ctxPackageJAVA);
    block(declJAVA, marker::DECL_BEGIN, marker::DECL_END);
    if (!ar.isAtLeast(3, 1))
        return;
    line(ctxNameCSharp);
    line(ctxPackageCSharp);
    block(declCSharp, marker::DECL_BEGIN, marker::DECL_END);
}
