#pragma once
// The text editor dialog of notes and other free texts: one multi-line edit, "Update" and
// "Cancel". The caption is the prefix followed by the "Editor" string, as in "Note Editor".

#include "editor/app/text_fields.h"

#include <QDialog>

#include <string>

class EditMesgDlg : public QDialog {
    Q_OBJECT
public:
    explicit EditMesgDlg(QWidget* parent = nullptr);

    // Lines joined by "\r\n".
    std::string text() const { return field.get(); }

    void setCaptionPrefix(const std::string& prefix);
    void setText(const std::string& text) { field.set(text); }

private:
    MultiLineField field;
};
