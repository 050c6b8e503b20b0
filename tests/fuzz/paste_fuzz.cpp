// Feeds arbitrary bytes to Paste as the clipboard text: whatever it holds, pasting must end
// in whole shapes joined to the chart or in nothing, never in a crash, a leak or a hang, and
// the chart must still write back.

#include "model/generic_state.h"
#include "view/layout_mgr.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LayoutMgr view;
    ModelMgr& chart = *view.getModelMgr();
    chart.addShape(new GenericState(chart.getNewId(), &view, {10, 10, 30, 26}, "A"));
    chart.pasteText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    view.write(out);
    return 0;
}
