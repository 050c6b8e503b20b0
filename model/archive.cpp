#include "model/archive.h"

#include "model/util.h"

#include <cstdio>

OutArchive& OutArchive::endl() {
    stream << CRLF;
    return *this;
}

void OutArchive::writeHeader() {
    stream << InArchive::cMagic << ' ' << InArchive::cMajor << ' ' << InArchive::cMinor;
    endl();
}

void InArchive::checkHeader() {
    short magic = 0, major = 0, minor = 0;
    if (!(stream >> magic) || magic != cMagic)
        throw std::string("Not a valid Tavren model file");
    if (!(stream >> major >> minor))
        throw std::string("Not a valid Tavren model file");
    Util::readRest(stream);
    setVersion(major, minor);
    if (major > cMajor || (major == cMajor && minor > cMinor)) {
        char msg[160];
        std::snprintf(msg, sizeof msg,
                      "Version not compatible.\nDocument Version Supported:%2.1f\nDocument Being "
                      "Opened:%2.1f",
                      static_cast<double>(supportedVersion), static_cast<double>(fileVersion));
        throw std::string(msg);
    }
}

void InArchive::setVersion(short major, short minor) {
    fileMajor = major;
    fileMinor = minor;
    fileVersion = static_cast<float>(major + minor * 0.1);
    supportedVersion = static_cast<float>(cMajor + cMinor * 0.1);
}

bool InArchive::isAtLeast(short major, short minor) const {
    return fileMajor > major || (fileMajor == major && fileMinor >= minor);
}

std::string InArchive::readTextLine() {
    std::string line;
    if (!readLine(line))
        throw std::string("Invalid File");
    return line;
}

void InArchive::skipRestOfLine() {
    Util::readRest(stream);
}

LONG InArchive::toCoordinate(long value) {
    constexpr long cLimit = 1000000;
    if (value < -cLimit || value > cLimit)
        throw std::string("Invalid File");
    return static_cast<LONG>(value);
}

bool InArchive::readLine(std::string& line) {
    if (!std::getline(stream, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}
