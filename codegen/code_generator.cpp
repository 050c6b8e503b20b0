#include "codegen/code_generator.h"

#include "codegen/factory_ex.h"
#include "codegen/file_writer.h"
#include "codegen/model_analyzer.h"
#include "codegen/model_info.h"
#include "model/archive.h"
#include "model/mesg.h"
#include "model/model_data.h"
#include "model/state.h"
#include "model/transition.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

CodeGenerator::CodeGenerator(const std::string& fileName)
    : modelFileName(fileName), properties(nullptr) {}

CodeGenerator::~CodeGenerator() {
    // Taken out of the list first so that unregistering finds nothing to remove. Labels go
    // first: each leaves its transition, which would otherwise delete it a second time.
    std::vector<Shape*> owned;
    owned.swap(shapes);
    for (Shape*& s : owned)
        if (dynamic_cast<Mesg*>(s)) {
            delete s;
            s = nullptr;
        }
    for (Shape* s : owned)
        delete s;
    rootMachine.reset();
}

void CodeGenerator::generate(ProgressCallback callback) {
    reportProgress(callback, "Reading model file...");
    readModelFile(callback);
    constructShapes();
    reportProgress(callback, "Analysing model...");
    {
        ModelAnalyzer analyzer(shapes);
        rootMachine.reset(analyzer.analyze(callback));
    }
    reportProgress(callback, "Parsing...");
    fillInfo(callback);
    reportProgress(callback, "Generating code...");
    generateCode();
}

void CodeGenerator::readModelFile(ProgressCallback) {
    std::ifstream file(modelFileName);
    if (!file)
        throw "Unable to open file : " + modelFileName;
    InArchive ar(file);
    ar.checkHeader();
    if (!ModelData::seekData(ar))
        throw "Invalid File : " + modelFileName;

    FactoryEx factory;
    ModelData data(factory);
    ar >> data;
    ar >> properties;
    file.close();

    std::vector<Shape*>& read = data.getShapeList();
    for (Shape*& s : read) {
        if (dynamic_cast<State*>(s) || dynamic_cast<Transition*>(s) || dynamic_cast<Mesg*>(s))
            shapes.push_back(s);
        else
            delete s; // notes and note lines play no part in generation
        s = nullptr;
    }
    read.clear();
    if (shapes.empty())
        throw std::string("Nil Model");
}

void CodeGenerator::constructShapes() {
    for (short kind : {cStateLayer, cTransitionLayer, cMesgLayer})
        for (Shape* s : std::vector<Shape*>(shapes))
            if (s->getZorder() == kind)
                s->create(this, nullptr);
}

void CodeGenerator::setClassNames() {
    const std::string& modelName = properties.getName();
    if (!rootMachine)
        rootMachine = std::make_unique<StateMachine>();
    if (!rootMachine->isRoot()) {
        // The chart's top level has an initial state: it becomes one composite state.
        auto top = std::make_unique<StateMachine>();
        rootMachine->setName(modelName);
        rootMachine->setParent(top.get());
        top->setSubMachine(rootMachine.release());
        rootMachine = std::move(top);
    }
    rootMachine->setName(modelName + "TN");
    rootMachine->setClassName(modelName + "TN");
    rootMachine->setSubStateClassName();
}

void CodeGenerator::fillInfo(ProgressCallback callback) {
    ModelInfo& info = *ModelInfo::getInstance();
    info.reset();

    info.modelName = properties.getName();
    info.rootClassName = info.modelName + "TN";
    info.baseStateClassName = info.modelName + "BaseState";
    info.author = properties.getAuthor();
    info.desc = properties.getDesc();
    info.ctxNameCPP = properties.getCtxNameCPP();
    info.ctxFileCPP = properties.getCtxFileCPP();
    info.ctxNameSpaceCPP = properties.getCtxNameSpaceCPP();
    info.ctxFullNameCPP = info.ctxNameSpaceCPP.empty()
                              ? info.ctxNameCPP
                              : info.ctxNameSpaceCPP + "::" + info.ctxNameCPP;
    info.includeFilesCPP = properties.getIncludeFilesCPP();
    info.declCPP = properties.getDeclCPP();
    info.includeFilesC = properties.getIncludeFilesC();
    info.declC = properties.getDeclC();
    info.ctxNameJAVA = properties.getCtxNameJAVA();
    info.ctxPackageJAVA = properties.getCtxPackageJAVA();
    info.declJAVA = properties.getDeclJAVA();
    info.ctxNameCSharp = properties.getCtxNameCSharp();
    info.ctxPackageCSharp = properties.getCtxPackageCSharp();
    info.declCSharp = properties.getDeclCSharp();

    // Cut at the last dot even when it sits in a directory name.
    const auto dot = modelFileName.rfind('.');
    const std::string base =
        dot == std::string::npos ? modelFileName : modelFileName.substr(0, dot);
    const std::string headerAppend = getheaderfileappend();
    info.headerFile = base + headerAppend;
    info.sourceFile = base + getsourcefileappend();

    if (headerAppend != "dummy") {
        try {
            std::ofstream header(info.headerFile, std::ios::out | std::ios::trunc);
            if (!header)
                throw std::ios_base::failure("create");
            info.headerFileName = std::filesystem::path(info.headerFile).filename().string();
        } catch (...) {
            throw "Unable to open " + info.headerFile + " for writing.";
        }
    }

    setClassNames();
    rootMachine->fillModelInfo(callback);
}

std::string CodeGenerator::getheaderfileappend() {
    return "TN.h";
}
std::string CodeGenerator::getsourcefileappend() {
    return "TN.cpp";
}

void CodeGenerator::unRegisterShape(long id) {
    Shape* shape = getShape(id);
    ShapeRegistry::unRegisterShape(id);
    if (!shape)
        return;
    auto it = std::find(shapes.begin(), shapes.end(), shape);
    if (it != shapes.end())
        shapes.erase(it);
}

void CodeGenerator::dumpError(std::string errorFile, std::string message) {
    std::cout << "FAILURE:" << std::endl << "Error : " << message << std::endl;
    std::ofstream out(errorFile, std::ios::out | std::ios::trunc);
    if (out)
        out << "FAILURE:" << std::endl << "Error : " << message << std::endl;
}

void CodeGenerator::deleteCreatedFile() {
    const ModelInfo& info = *ModelInfo::getInstance();
    std::error_code ignored;
    std::filesystem::remove(info.headerFile, ignored);
    std::filesystem::remove(info.sourceFile, ignored);
}

void CodeGenerator::writeString(std::ostream& out, const std::string& text) {
    FileWriter::writeMultiLine(out, text);
}
