#pragma once
// The entry/exit editor of a state: its entry and exit actions as verbatim code in two
// multi-line edits, "OK" and "Cancel". The caption is the state's name followed by
// " : Entry/Exit Editor".

#include "editor/app/text_fields.h"

#include <QDialog>

#include <string>

class EntryExitEditor : public QDialog {
    Q_OBJECT
public:
    explicit EntryExitEditor(QWidget* parent = nullptr);

    // Lines joined by "\r\n".
    std::string entry() const { return entryField.get(); }
    std::string exit() const { return exitField.get(); }

    void setCaptionPrefix(const std::string& prefix);
    void setEntry(const std::string& text) { entryField.set(text); }
    void setExit(const std::string& text) { exitField.set(text); }

private:
    MultiLineField entryField;
    MultiLineField exitField;
};
