#pragma once
// A model file read through the code-generation front end into the chart model the
// generators emit from, without generating anything: what the simulator runs.

#include "codegen/progress_callback.h"
#include "generators/common/machine_chart.h"
#include "platform/kelmora_export.h"

#include <string>

// Throws the front end's message (a std::string) when the chart cannot become a machine.
// States and events keep their chart names as identifiers.
KELMORA_API genchart::Chart loadChart(const std::string& modelPath,
                                      ProgressCallback callback = nullptr);
