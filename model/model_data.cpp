#include "model/model_data.h"

#include "model/shape.h"

#include <algorithm>

ModelData::~ModelData() {
    if (shapesRegistered) {
        // A registered shape's destructor reaches the registry owner, which takes it out of
        // this list; a shape that nobody took out is dropped here so the loop always ends.
        while (!shapeList.empty()) {
            Shape* first = shapeList.front();
            delete first;
            if (!shapeList.empty() && shapeList.front() == first)
                shapeList.erase(shapeList.begin());
        }
    } else {
        // A read was interrupted: the shapes were never registered.
        for (Shape* s : shapeList)
            delete s;
        shapeList.clear();
    }
}
