#include "model/model_data.h"

#include "model/archive.h"
#include "model/factory.h"
#include "model/shape.h"

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>

ModelData::~ModelData() {
    if (shapesRegistered) {
        // A registered shape's destructor reaches the registry owner, which takes it out of
        // this list; a shape that nobody took out is dropped here so the loop always ends.
        // Last first: taking the end off a list costs nothing, so teardown stays linear.
        while (!shapeList.empty()) {
            Shape* last = shapeList.back();
            delete last;
            if (!shapeList.empty() && shapeList.back() == last)
                shapeList.pop_back();
        }
    } else {
        // A read was interrupted: the shapes were never registered.
        for (Shape* s : shapeList)
            delete s;
        shapeList.clear();
    }
}

namespace {
// The first two blank-separated words of a line.
void firstTwoWords(const std::string& line, std::string& a, std::string& b) {
    std::istringstream words(line);
    a.clear();
    b.clear();
    words >> a >> b;
}
} // namespace

bool ModelData::seekData(InArchive& ar) {
    std::string line, a, b;
    while (ar.readLine(line)) {
        firstTwoWords(line, a, b);
        if (a == marker::BEGIN && b == marker::DATA)
            return true;
    }
    return false;
}

void ModelData::write(OutArchive& ar) {
    ar.getStream() << marker::BEGIN << ' ' << marker::DATA;
    ar.endl();
    for (Shape* s : shapeList)
        s->serialise(ar);
    ar.getStream() << marker::END << ' ' << marker::DATA;
    ar.endl();
}

void ModelData::read(InArchive& ar) {
    shapesRegistered = false;
    std::set<long> ids;
    std::string line, a, b;
    for (;;) {
        if (!ar.readLine(line))
            throw std::string("Invalid File");
        firstTwoWords(line, a, b);
        if (a.empty())
            throw std::string("Invalid File");
        if (a == marker::END && b == marker::DATA)
            break;
        if (a != marker::BEGIN)
            continue;
        std::unique_ptr<Shape> shape(factory.createShape(b));
        if (!shape)
            throw std::string("Invalid File");
        // Listed before it reads, so a record that fails halfway is still destroyed with the
        // list.
        shapeList.push_back(shape.release());
        shapeList.back()->serialise(ar);
        // Shapes refer to each other by id: two with one id would make every reference and
        // the registry ambiguous.
        if (!ids.insert(shapeList.back()->getObjId()).second)
            throw std::string("Invalid File");
    }
    shapesRegistered = true;
}
