#pragma once
// Stream wrappers for the model file. Writers emit records to an OutArchive, every line ended
// by carriage return plus line feed on every platform; readers take them from an InArchive,
// which knows the file's version once the header has been checked and accepts lines ending in
// either carriage return plus line feed or line feed alone.

#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <istream>
#include <ostream>
#include <string>

class KELMORA_API OutArchive {
public:
    explicit OutArchive(std::ostream& out) : stream(out) {}
    std::ostream& getStream() { return stream; }
    // Ends the current line.
    OutArchive& endl();

    // The header line of a model file: magic number and the version this program writes.
    void writeHeader();

private:
    std::ostream& stream;
};

class KELMORA_API InArchive {
public:
    static constexpr short cMagic = 9999;
    static constexpr short cMajor = 4;
    static constexpr short cMinor = 1;

    explicit InArchive(std::istream& in) : stream(in) {}
    std::istream& getStream() { return stream; }

    // Reads and checks the header line; throws the failure message as a std::string.
    void checkHeader();
    // For records without a file header (the clipboard): read them as this version.
    void setVersion(short major, short minor);
    // Whether the file is of version major.minor or later, compared as integers.
    bool isAtLeast(short major, short minor) const;
    float getFileVersion() const { return fileVersion; }
    float getSupportedVersion() const { return supportedVersion; }

    // Reads one line without its line end; false at the end of the input.
    bool readLine(std::string& line);
    // A whole-line field; throws "Invalid File" at the end of the input.
    std::string readTextLine();
    // The blank-separated numbers of one line; the rest of the line is discarded. Throws
    // "Invalid File" when one is missing or malformed.
    template <class... T> void readNumbers(T&... values) {
        (readNumber(values), ...);
        skipRestOfLine();
    }
    // A coordinate far outside any chart (a damaged file) throws "Invalid File" instead of
    // overflowing the pixel arithmetic later.
    static LONG toCoordinate(long value);

private:
    template <class T> void readNumber(T& value) {
        if (!(stream >> value))
            throw std::string("Invalid File");
    }
    void skipRestOfLine();

    float supportedVersion = 0;
    float fileVersion = 0;
    short fileMajor = 0;
    short fileMinor = 0;
    std::istream& stream;
};

// Marker words of the file.
namespace marker {
inline const std::string BEGIN = "BEGIN";
inline const std::string END = "END";
inline const std::string RESERVED = "RESERVED";
inline const std::string TEXTBEGIN = "TEXTBEGIN";
inline const std::string TEXTEND = "TEXTEND";
inline const std::string DATA = "DATA";
inline const std::string INCLUDE_BEGIN = "INCLUDE BEGIN";
inline const std::string INCLUDE_END = "INCLUDE END";
inline const std::string DECL_BEGIN = "DECL BEGIN";
inline const std::string DECL_END = "DECL END";
inline const std::string DESC_BEGIN = "DESC BEGIN";
inline const std::string DESC_END = "DESC END";
} // namespace marker

// Multi-line texts hold carriage return plus line feed between lines.
inline const std::string CRLF = "\r\n";
