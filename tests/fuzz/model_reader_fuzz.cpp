// Feeds arbitrary bytes to the chart reader the way the editor opens a file: header, zoom,
// data section, model properties, then joining the shapes to a view and writing them back.
// Every failure must be a thrown message, never a crash, a leak or a hang.

#include "model/archive.h"
#include "model/model_properties.h"
#include "model/util.h"
#include "view/layout_mgr.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    InArchive ar(in);
    LayoutMgr view;
    try {
        ar.checkHeader();
        short zoom = 0;
        in >> zoom;
        Util::readRest(in);
        if (!ModelData::seekData(ar))
            return 0;
        ModelData& shapes = view.getModelMgr()->getModelData();
        ar >> shapes;
        ModelProperties properties(&view);
        ar >> properties;
        view.getModelMgr()->joinShapes();
        std::ostringstream out;
        OutArchive back(out);
        back << shapes << properties;
    } catch (const std::string&) {
    }
    return 0;
}
