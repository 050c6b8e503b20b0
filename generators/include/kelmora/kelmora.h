#pragma once
// The whole interface of libkelmora: the diagram model in its headless configuration, the
// view conversions shapes rely on, and the code-generation front end a language generator
// derives from. The project headers are installed under kelmora/ with that folder on the
// include path, so their own includes resolve as they do in the source tree.

#include "platform/cdc.h"
#include "platform/cwnd.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include "model/archive.h"
#include "model/collection.h"
#include "model/complex_shape.h"
#include "model/connectable.h"
#include "model/connectable_rect_shape.h"
#include "model/crgn.h"
#include "model/factory.h"
#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/link.h"
#include "model/mesg.h"
#include "model/model_data.h"
#include "model/model_properties.h"
#include "model/note.h"
#include "model/object.h"
#include "model/rect_shape.h"
#include "model/shape.h"
#include "model/shape_registry.h"
#include "model/state.h"
#include "model/text_box.h"
#include "model/transition.h"
#include "model/util.h"
#include "model/view_services.h"

#include "codegen/chart_warnings.h"
#include "codegen/code_generator.h"
#include "codegen/factory_ex.h"
#include "codegen/file_writer.h"
#include "codegen/final_state_ex.h"
#include "codegen/generatable.h"
#include "codegen/generic_state_ex.h"
#include "codegen/initial_state_ex.h"
#include "codegen/mesg_ex.h"
#include "codegen/model_analyzer.h"
#include "codegen/model_info.h"
#include "codegen/progress_callback.h"
#include "codegen/state_machine.h"
#include "codegen/transition_ex.h"
#include "generators/sim/chart_loader.h"
#include "generators/sim/chart_simulator.h"
#include "generators/sim/explanation_text.h"
#include "generators/sim/trace_check.h"

// The library's version, so a generator can report which runtime it was loaded with.
extern "C" KELMORA_API const char* kelmora_version();
