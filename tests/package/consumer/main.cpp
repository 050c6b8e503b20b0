// Reads a chart through the installed front end and prints what a language generator starts
// from: the progress lines, then a summary of the records.
#include <kelmora/kelmora.h>

#include <iostream>
#include <typeinfo>

namespace {

class SummaryGenerator : public CodeGenerator {
public:
    using CodeGenerator::CodeGenerator;

protected:
    void generateCode() override {}
    // No header file next to the chart.
    std::string getheaderfileappend() override { return "dummy"; }
};

void printLine(const std::string& line) {
    std::cout << line << '\n';
}

// The polymorphic classes of the interface: a class the library does not export leaves its
// type information unresolved and this program does not link.
template <class... T> std::size_t countTypes() {
    static const std::type_info* const types[] = {&typeid(T)...};
    return std::size(types);
}

std::size_t interfaceTypes() {
    return countTypes<Shape, RectShape, ConnectableRectShape, ComplexShape, State, StartableState,
                      EndableState, GenericState, InitialState, FinalState, Mesg, Note, Line,
                      Transition, Link, HeadLink, TailLink, HLink, VLink, Connectable, TextHandler,
                      TextBox, EntryExitTextBox, EventEditorBox, ShapeRegistry, Factory, ModelData,
                      ViewServices, CodeGenerator, FactoryEx, GenericStateEx, InitialStateEx,
                      FinalStateEx, MesgEx, TransitionEx, StateMachine>();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: consumer MODEL\n";
        return 2;
    }
    std::cout << "kelmora " << kelmora_version() << '\n';
    std::cout << "interface types: " << interfaceTypes() << '\n';
    try {
        SummaryGenerator gen(argv[1]);
        gen.generate(printLine);
        // Type checks across the library boundary see the library's own classes.
        int generic = 0;
        for (Shape* s : gen.getShapes())
            generic += dynamic_cast<GenericStateEx*>(s) != nullptr;
        std::cout << "generic states read: " << generic << '\n';
    } catch (const std::string& message) {
        std::cout << "FAILURE: " << message << '\n';
        return 1;
    }
    const ModelInfo& info = *ModelInfo::getInstance();
    std::cout << "states: " << info.stateInfos.size() << '\n';
    std::cout << "top states: " << info.topStateClassNames.size() << '\n';
    std::cout << "root: " << info.rootClassName << '\n';
    std::cout << "function name: " << FileWriter::formatFuncName("on key") << '\n';
    std::cout << "rounded: " << Util::round(-2.5) << '\n';
    return 0;
}
