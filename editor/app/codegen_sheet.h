#pragma once
// The code-generation property sheet: one page per target language ("C++", "ANSI C", "Java",
// "C# (.Net)") with the context class and the texts copied into the generated files.

#include "editor/app/text_fields.h"
#include "platform/dialogs.h"

#include <QDialog>

#include <memory>

class CCodegenSheet : public QDialog {
    Q_OBJECT
public:
    CCodegenSheet(const CodeGenTexts& texts, QWidget* parent = nullptr);
    ~CCodegenSheet() override;
    // The pages' texts as they stand; the owner takes them after OK.
    CodeGenTexts values() const;

private:
    struct Fields;
    std::unique_ptr<Fields> fields;
};
