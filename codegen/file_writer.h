#pragma once
// Helpers for language generators writing target-language files from the generation records.
// Multi-line texts are split at carriage return plus line feed only.

#include "codegen/model_info.h"
#include "platform/kelmora_export.h"

#include <list>
#include <ostream>
#include <string>

class KELMORA_API FileWriter {
public:
    static void writeMultiLine(std::ostream& out, const std::string& text);
    // Every line, empty ones included, behind the prefix.
    static void writeMultiLineWithTab(std::ostream& out, const std::string& text,
                                      const std::string& prefix);
    static void writeEffect(std::ostream& out, const std::string& effect, std::string prefix);
    // Groups the transitions by event, each group's guards longest first. Throws when an event
    // has more than one unguarded transition.
    static void convertMesgData(const std::list<MesgInfo>& in, std::list<MData>& out);
    // Copies a text file line by line; a final line break yields one more empty line.
    static void copyFile(std::ostream& out, const std::string& fileName);
    // Every character but ASCII letters, digits, '_' and '-' becomes '_'.
    static std::string formatFuncName(const std::string& name);
};
