#pragma once
// The generation records: plain values that language generators read instead of walking the
// shapes. ModelInfo is their process-wide root, filled once per generation run.

#include "platform/kelmora_export.h"

#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>

struct EntryExitInfo {
    std::string onEntry;
    std::string onExit;
};

// One labelled transition leaving a state.
struct MesgInfo {
    std::string event; // the event's name: the text before a parameter list, trimmed
    std::string targetClassName;
    long targetId = 0;
    std::string guard;
    std::string effect;
    long transitionId = 0; // the transition's own object id, so tools can point at it
    std::string signature = {}; // the parameter list without its parentheses, empty for none
};

struct StateMgrInfo {
    std::list<std::string> names;
};

struct StateInfo {
    std::string className;
    std::string parentClassName;
    std::list<std::string> subStateClassNames; // the initial target first, when there is one
    int nesting = 0;                           // 1 initial state, 2 sub-states without one, 0 leaf
    std::list<MesgInfo> transitions;
    EntryExitInfo entryExit;
    bool history = false;
    std::list<std::string> reserved;
};

// One node of the state tree. It owns its children; a copy copies the whole subtree.
struct KELMORA_API StateNode : StateInfo {
    StateNode() = default;
    explicit StateNode(const StateInfo& info) : StateInfo(info) {}
    StateNode(const StateNode& other);
    StateNode& operator=(const StateNode& other);
    StateNode(StateNode&&) = default;
    StateNode& operator=(StateNode&&) = default;
    ~StateNode() = default;

    long stateId = 0;
    std::string initialTargetClassName;
    long initialStateId = -1;
    std::list<std::unique_ptr<StateNode>> children;
};

struct MDataEntry {
    std::string targetClassName;
    std::string guard;
    std::string effect;
};

// One event with all its guarded branches.
struct MData {
    std::string event;
    std::list<MDataEntry> entries;
};

class KELMORA_API ModelInfo {
public:
    // Created on first use and never destroyed.
    static ModelInfo* getInstance();

    ModelInfo(const ModelInfo&) = delete;
    ModelInfo& operator=(const ModelInfo&) = delete;

    // Back to the empty state, so that a second run in the same process starts clean.
    void reset();
    // Keeps the first occurrence only.
    void addMessageName(const std::string& name);
    // Records an event's name and signature; throws when the event was seen with another
    // signature, naming the event and both.
    void addEvent(const std::string& name, const std::string& signature);

    std::string headerFile;
    std::string sourceFile;
    std::string headerFileName;
    std::string modelName;
    std::string rootClassName;
    std::string baseStateClassName;
    std::string author;
    std::string desc;
    std::string ctxNameCPP;
    std::string ctxFileCPP;
    std::string ctxNameSpaceCPP;
    std::string ctxFullNameCPP;
    std::string includeFilesCPP;
    std::string declCPP;
    std::string includeFilesC;
    std::string declC;
    std::string ctxNameJAVA;
    std::string ctxPackageJAVA;
    std::string declJAVA;
    std::string ctxNameCSharp;
    std::string ctxPackageCSharp;
    std::string declCSharp;
    std::list<std::string> topStateClassNames;
    std::list<StateInfo> stateInfos; // depth first, each state before its sub-states
    std::list<std::string> messageNames;
    std::map<std::string, std::string> eventSignatures; // event name to its parameter list
    StateNode rootNode;                                 // only its children are filled

private:
    ModelInfo() = default;

    // Names already in messageNames, so that charts with thousands of events stay linear.
    std::set<std::string> messageNameIndex;

    ModelInfo(ModelInfo&&) = default;
    ModelInfo& operator=(ModelInfo&&) = default;
};
