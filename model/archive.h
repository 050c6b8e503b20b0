#pragma once
// Stream wrappers for the model file. Writers emit records to an OutArchive; readers take them
// from an InArchive, which knows the file's version once the header has been checked.

#include <istream>
#include <ostream>

class OutArchive {
public:
    explicit OutArchive(std::ostream& out) : stream(out) {}
    std::ostream& getStream() { return stream; }

private:
    std::ostream& stream;
};

class InArchive {
public:
    explicit InArchive(std::istream& in) : stream(in) {}
    std::istream& getStream() { return stream; }

private:
    std::istream& stream;
};
