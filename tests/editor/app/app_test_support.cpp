#include "tests/editor/app/app_test_support.h"

#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

namespace {
void put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char(v >> 8 & 0xFF);
}
void put32(std::string& s, unsigned v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}
} // namespace

std::string bmp24(int width, int height) {
    const unsigned stride = (24 * width + 31) / 32 * 4;
    std::string s;
    put16(s, 19778);
    put32(s, 54 + stride * height);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, width);
    put32(s, height);
    put16(s, 1);
    put16(s, 24);
    put32(s, 0); // no compression
    put32(s, 0); // image size left to the reader
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int row = height - 1; row >= 0; --row) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            line += char(7);
            line += char(row);
            line += char(x);
        }
        line.resize(stride, '\0');
        s += line;
    }
    return s;
}

TempDir::TempDir() {
    std::random_device random;
    dir = std::filesystem::temp_directory_path() / ("tavren-app-test-" + std::to_string(random()));
    std::filesystem::create_directories(dir);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

void TempDir::installSplash() const {
    std::filesystem::create_directories(dir / "bin");
    writeFile(dir / "bin" / "_sp.tn", bmp24(387, 242));
}

std::string ScriptedFileDialogs::next(const std::string& suggested) {
    suggestions.push_back(suggested);
    if (answers.empty())
        return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace testsupport
