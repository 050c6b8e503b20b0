#pragma once
// The entry point of the code-generation front end: reads a model file, analyses it, fills
// ModelInfo and hands over to the language generator that derives from it. It is the
// registry of the shapes it reads and owns them.

#include "codegen/progress_callback.h"
#include "codegen/state_machine.h"
#include "model/model_properties.h"
#include "model/shape_registry.h"
#include "platform/kelmora_export.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class KELMORA_API CodeGenerator : public ShapeRegistry {
public:
    explicit CodeGenerator(const std::string& modelFileName);
    CodeGenerator(const CodeGenerator&) = delete;
    CodeGenerator& operator=(const CodeGenerator&) = delete;
    ~CodeGenerator() override;

    // Runs the whole pipeline; every failure is thrown as a std::string.
    void generate(ProgressCallback callback);
    // Prints "FAILURE:" and "Error : " + message, and writes both lines to errorFile.
    void dumpError(std::string errorFile, std::string message);
    // Removes the files ModelInfo names as generated; missing ones are ignored.
    void deleteCreatedFile();

    void unRegisterShape(long id) override;

    const std::string& getModelFileName() const { return modelFileName; }
    const std::vector<Shape*>& getShapes() const { return shapes; }
    StateMachine* getRootMachine() const { return rootMachine.get(); }
    const ModelProperties& getProperties() const { return properties; }

protected:
    void readModelFile(ProgressCallback callback);
    // States first, then transitions, then labels: each finds what it joins by id.
    void constructShapes();
    void setClassNames();
    virtual void fillInfo(ProgressCallback callback);
    virtual void generateCode() = 0;
    // "dummy" means the target language has no header file.
    virtual std::string getheaderfileappend();
    virtual std::string getsourcefileappend();

    std::string modelFileName;
    std::vector<Shape*> shapes; // owned
    std::unique_ptr<StateMachine> rootMachine;
    ModelProperties properties;

private:
    void writeString(std::ostream& out, const std::string& text);
};
