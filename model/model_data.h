#pragma once
// The list of all shapes of one model, in file order. It owns them.

#include "platform/kelmora_export.h"

#include <vector>

class Factory;
class InArchive;
class OutArchive;
class Shape;

class KELMORA_API ModelData {
public:
    explicit ModelData(Factory& f) : factory(f) {}
    // Shallow: copies the pointer list, not the shapes.
    ModelData(const ModelData&) = default;
    ModelData& operator=(const ModelData&) = delete;
    virtual ~ModelData();

    std::vector<Shape*>& getShapeList() { return shapeList; }
    Factory& getFactory() { return factory; }
    bool areShapesRegistered() const { return shapesRegistered; }
    // False while a file is being read into the list.
    void setShapesRegistered(bool registered) { shapesRegistered = registered; }

    // Skips lines up to and including the data begin line; false when there is none.
    static bool seekData(InArchive& ar);
    // The data section: the begin line, every shape's record in list order, the end line.
    void write(OutArchive& ar);
    // Reads records after the data begin line up to the end line, creating shapes through the
    // factory. Throws "Invalid File" on a cut-off section, an empty line, an unknown type or
    // a repeated object id; the shapes read so far stay in the list.
    void read(InArchive& ar);

private:
    std::vector<Shape*> shapeList;
    Factory& factory;
    bool shapesRegistered = true;
};

inline OutArchive& operator<<(OutArchive& ar, ModelData& data) {
    data.write(ar);
    return ar;
}
inline InArchive& operator>>(InArchive& ar, ModelData& data) {
    data.read(ar);
    return ar;
}
