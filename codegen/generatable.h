#pragma once
// A generation shape that can check the constraints code generation needs of it.

class Generatable {
public:
    virtual ~Generatable() = default;
    // Throws the failure text as a std::string; valid by default.
    virtual void assertValid() {}
};
