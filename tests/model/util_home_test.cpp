#include "model/util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(UtilHomeTest, HomeIsThePathBeforeItsFirstBinFolder) {
    struct Case {
        std::string exe, home;
    };
    const Case cases[] = {
        {"/opt/Tavren/bin/tavren", "/opt/Tavren/"},
        {"/opt/x/BIN/y", "/opt/x/"}, // matched without case, the path's own case kept
        {"/Opt/X/Bin/y", "/Opt/X/"},
        {"/a/bin/b/bin/tvc2cpp", "/a/"}, // the first one counts
        {"/home/robin/bin/tavren", "/home/robin/"},
        {"/bin/tavren", "/"},
        {"bin/tavren", "./"},                         // relative: the current folder, not "unknown"
        {"/home/robin/tavren", "/home/robin/tavren"}, // "robin/" is no bin folder
        {"/opt/binary/tavren", "/opt/binary/tavren"},
        {"/opt/tavren/bin", "/opt/tavren/bin"}, // a file named bin
        {"/usr/local/tavren", "/usr/local/tavren"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(Util::homeDirFromExecutable(c.exe), c.home);
    }
}

TEST(UtilHomeTest, RunningProgramsHomeLeadsItsOwnPath) {
    const std::string home = Util::get_tn_home_dir();
    ASSERT_FALSE(home.empty());
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(exe.rfind(home, 0), 0u) << home << " is not a prefix of " << exe;
}
