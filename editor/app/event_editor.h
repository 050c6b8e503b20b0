#pragma once
// The event editor of a transition label: event, [guard] and /effect, "Update" and "Cancel".
// Event and guard are single lines; "Update" with an empty event says so and stays open.

#include "editor/app/text_fields.h"

#include <QDialog>

#include <string>

class CEventEditor : public QDialog {
    Q_OBJECT
public:
    // What the event field holds until the owner gives an event.
    static constexpr const char* cDefaultEvent = "-Edit-";

    explicit CEventEditor(QWidget* parent = nullptr);

    std::string event() const { return eventField.get(); }
    std::string guard() const { return guardField.get(); }
    // Lines joined by "\r\n".
    std::string effect() const { return effectField.get(); }

    void setEvent(const std::string& text) { eventField.set(text); }
    void setGuard(const std::string& text) { guardField.set(text); }
    void setEffect(const std::string& text) { effectField.set(text); }

    // Closes only with a non-empty event.
    void accept() override;

private:
    SingleLineField eventField;
    SingleLineField guardField;
    MultiLineField effectField;
};
