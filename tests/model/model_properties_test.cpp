#include "model/archive.h"
#include "model/config.h"
#include "model/model_properties.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

ModelProperties filled() {
    ModelProperties p;
    p.name = "Door controller";
    p.desc = "Opens\r\nand closes";
    p.author = "A. Author";
    p.ctxNameCPP = "DoorCtx";
    p.ctxFileCPP = "door_ctx.h";
    p.ctxNameSpaceCPP = "door";
    p.includeFilesCPP = "#include <string>";
    p.declCPP = "int x;\r\nint y;";
    p.includeFilesC = "#include <stdio.h>";
    p.declC = "int z;";
    p.ctxNameJAVA = "DoorJ";
    p.ctxPackageJAVA = "org.door";
    p.declJAVA = "int j;";
    p.ctxNameCSharp = "DoorCs";
    p.ctxPackageCSharp = "Door.Cs";
    p.declCSharp = "int c;";
    return p;
}

std::string written(const ModelProperties& p) {
    std::ostringstream out;
    OutArchive ar(out);
    ar << p;
    return out.str();
}

ModelProperties readAs(const std::string& header, const std::string& body) {
    std::istringstream in(header + "\r\n" + body);
    InArchive ar(in);
    ar.checkHeader();
    ModelProperties p;
    ar >> p;
    return p;
}

} // namespace

TEST(ModelPropertiesTest, WriteReadWriteIsStable) {
    const std::string first = written(filled());
    const ModelProperties back = readAs("9999 4 1", first);
    EXPECT_EQ(back.getDeclCPP(), "int x;\r\nint y;");
    EXPECT_EQ(back.getCtxPackageCSharp(), "Door.Cs");
    EXPECT_EQ(written(back), first);
}

TEST(ModelPropertiesTest, OlderFilesKeepDefaultsForLaterLanguages) {
    const std::string body = written(filled());
    // A 3.0 file has no C# items: cut them off the end (three lines and one block).
    const auto cut = body.rfind("DoorCs");
    const ModelProperties v30 = readAs("9999 3 0", body.substr(0, cut));
    EXPECT_EQ(v30.getCtxNameJAVA(), "DoorJ");
    EXPECT_EQ(v30.getDeclC(), "int z;");
    EXPECT_EQ(v30.getCtxNameCSharp(), "Context");
    EXPECT_EQ(v30.getDeclCSharp(), "");
    const auto cutC = body.find("18\r\nINCLUDE BEGIN\r\n#include <stdio.h>");
    ASSERT_NE(cutC, std::string::npos);
    const ModelProperties v25 = readAs("9999 2 5", body.substr(0, cutC));
    EXPECT_EQ(v25.getDesc(), "Opens\r\nand closes");
    EXPECT_EQ(v25.getIncludeFilesC(), "");
    EXPECT_EQ(v25.getCtxNameJAVA(), "Context");
}

TEST(ModelPropertiesTest, TruncatedSectionIsCorrupt) {
    const std::string body = written(filled());
    EXPECT_THROW(readAs("9999 4 1", body.substr(0, body.size() / 2)), std::string);
}

TEST(ModelPropertiesTest, DialogReplacesEmptyTexts) {
    FakePlatform fake;
    ModelProperties p = filled();
    fake.dialogs.onModel = [](std::string& n, std::string& a, std::string& d) {
        n.clear();
        a.clear();
        d.clear();
        return true;
    };
    EXPECT_TRUE(p.editModelProp());
    const std::string untitled = config::kInteractive ? "Untitled" : "-MISSING-";
    EXPECT_EQ(p.getName(), untitled);
    EXPECT_EQ(p.getAuthor(), untitled);
    EXPECT_EQ(p.getDesc(), " ");
    fake.dialogs.onModel = nullptr; // cancelled: nothing changes
    ModelProperties q = filled();
    EXPECT_FALSE(q.editModelProp());
    EXPECT_EQ(q.getName(), "Door controller");
}
