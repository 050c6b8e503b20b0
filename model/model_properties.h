#pragma once
// What describes a model as a whole: name, author, description, and per target language the
// context class the generated machine calls and text copied into the generated files.
// Saved at the end of the model file.

#include "platform/kelmora_export.h"

#include <string>

class CDC;
class InArchive;
class OutArchive;
class ViewServices;

class KELMORA_API ModelProperties {
public:
    explicit ModelProperties(ViewServices* owner = nullptr);

    const std::string& getName() const { return name; }
    const std::string& getDesc() const { return desc; }
    const std::string& getAuthor() const { return author; }
    const std::string& getCtxNameCPP() const { return ctxNameCPP; }
    const std::string& getCtxFileCPP() const { return ctxFileCPP; }
    const std::string& getCtxNameSpaceCPP() const { return ctxNameSpaceCPP; }
    const std::string& getIncludeFilesCPP() const { return includeFilesCPP; }
    const std::string& getDeclCPP() const { return declCPP; }
    const std::string& getIncludeFilesC() const { return includeFilesC; }
    const std::string& getDeclC() const { return declC; }
    const std::string& getCtxNameJAVA() const { return ctxNameJAVA; }
    const std::string& getCtxPackageJAVA() const { return ctxPackageJAVA; }
    const std::string& getDeclJAVA() const { return declJAVA; }
    const std::string& getCtxNameCSharp() const { return ctxNameCSharp; }
    const std::string& getCtxPackageCSharp() const { return ctxPackageCSharp; }
    const std::string& getDeclCSharp() const { return declCSharp; }
    ViewServices* getOwner() const { return owner; }
    void setOwner(ViewServices* view) { owner = view; }

    // The model properties dialog: empty name and author become "Untitled", an empty
    // description a single blank. False when cancelled.
    bool editModelProp();
    // The code-generation property sheet: empty C++, Java and C# class names become
    // "Context", an empty C++ include file "Context.h". False when cancelled.
    bool editCodeGenProp();
    void draw(CDC*) {}

    void write(OutArchive& ar) const;
    // Items for C and Java from version 3.0 on, for C# from 3.1 on; older files keep the
    // defaults. Throws the failure message as a std::string.
    void read(InArchive& ar);

    // Public so the code-generation property sheet can fill them.
    std::string name;
    std::string desc;
    std::string author;
    std::string ctxNameCPP = "Context";
    std::string ctxFileCPP = "Context.h";
    std::string ctxNameSpaceCPP;
    std::string includeFilesCPP;
    std::string declCPP;
    std::string includeFilesC;
    std::string declC;
    std::string ctxNameJAVA = "Context";
    std::string ctxPackageJAVA;
    std::string declJAVA;
    std::string ctxNameCSharp = "Context";
    std::string ctxPackageCSharp;
    std::string declCSharp;

private:
    ViewServices* owner = nullptr;
};

inline OutArchive& operator<<(OutArchive& ar, const ModelProperties& p) {
    p.write(ar);
    return ar;
}
inline InArchive& operator>>(InArchive& ar, ModelProperties& p) {
    p.read(ar);
    return ar;
}
