// Stands in for a generator program in the launcher's tests; the chart's file name says what
// it does: "streams" writes to both streams in turn, slowly and in pieces; "forever" never
// ends (its process id goes to MODEL.pid); anything else prints its arguments, one a line.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    const std::string model = argc > 1 ? argv[argc - 1] : "";
    using namespace std::chrono_literals;
    if (model.find("streams") != std::string::npos) {
        for (int i = 0; i < 4; ++i) {
            std::fprintf(stdout, "out %d ", i);
            std::fflush(stdout);
            std::this_thread::sleep_for(30ms);
            std::fprintf(stdout, "line\n");
            std::fflush(stdout);
            std::this_thread::sleep_for(60ms);
            std::fprintf(stderr, "err %d\n", i);
            std::fflush(stderr);
            std::this_thread::sleep_for(60ms);
        }
        return 0;
    }
    if (model.find("forever") != std::string::npos) {
        std::ofstream(model + ".pid") << getpid();
        std::puts("running");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(1s);
    }
    for (int i = 1; i < argc; ++i)
        std::printf("arg: %s\n", argv[i]);
    return 3;
}
