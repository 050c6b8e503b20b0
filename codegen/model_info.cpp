#include "codegen/model_info.h"

#include "codegen/event_text.h"

#include <algorithm>

StateNode::StateNode(const StateNode& other)
    : StateInfo(other), stateId(other.stateId),
      initialTargetClassName(other.initialTargetClassName), initialStateId(other.initialStateId) {
    for (const auto& child : other.children)
        children.push_back(std::make_unique<StateNode>(*child));
}

StateNode& StateNode::operator=(const StateNode& other) {
    if (this != &other) {
        StateNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ModelInfo* ModelInfo::getInstance() {
    static ModelInfo* const instance = new ModelInfo();
    return instance;
}

void ModelInfo::reset() {
    *this = ModelInfo();
}

void ModelInfo::addMessageName(const std::string& name) {
    if (messageNameIndex.size() != messageNames.size()) // the list was changed directly
        messageNameIndex = std::set<std::string>(messageNames.begin(), messageNames.end());
    if (messageNameIndex.insert(name).second)
        messageNames.push_back(name);
}

void ModelInfo::addEvent(const std::string& name, const std::string& signature) {
    const auto [known, added] = eventSignatures.emplace(name, signature);
    if (!added && known->second != signature &&
        !sameSignature(parseParameters(name, known->second), parseParameters(name, signature)))
        throw "The event \"" + name + "\" has two signatures, (" + known->second + ") and (" +
            signature + "); every transition on one event must use the same one.";
    addMessageName(name);
}
