#include "editor/app/codegen_sheet.h"

#include "model/res_strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

struct CCodegenSheet::Fields {
    explicit Fields(QWidget* parent)
        : cppClass(QStringLiteral("cppClass"), parent),
          cppInclude(QStringLiteral("cppInclude"), parent),
          cppNamespace(QStringLiteral("cppNamespace"), parent),
          cppIncludes(QStringLiteral("cppIncludes"), parent),
          cppDecl(QStringLiteral("cppDecl"), parent),
          cIncludes(QStringLiteral("cIncludes"), parent), cDecl(QStringLiteral("cDecl"), parent),
          javaClass(QStringLiteral("javaClass"), parent),
          javaPackage(QStringLiteral("javaPackage"), parent),
          javaDecl(QStringLiteral("javaDecl"), parent), csClass(QStringLiteral("csClass"), parent),
          csPackage(QStringLiteral("csPackage"), parent), csDecl(QStringLiteral("csDecl"), parent) {
    }

    SingleLineField cppClass;
    SingleLineField cppInclude;
    SingleLineField cppNamespace;
    MultiLineField cppIncludes;
    MultiLineField cppDecl;
    MultiLineField cIncludes;
    MultiLineField cDecl;
    SingleLineField javaClass;
    SingleLineField javaPackage;
    MultiLineField javaDecl;
    SingleLineField csClass;
    SingleLineField csPackage;
    MultiLineField csDecl;
};

namespace {

QGroupBox* group(const QString& title, QFormLayout*& form, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    form = new QFormLayout(box);
    return box;
}

// A page for a managed language: class name and package, then free declarations.
QWidget* managedPage(const QString& declGroup, SingleLineField& name, SingleLineField& package,
                     MultiLineField& decl) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Class Name :"), name.widget());
    form->addRow(QStringLiteral("Package :"), package.widget());
    layout->addLayout(form);
    QFormLayout* extra = nullptr;
    layout->addWidget(group(declGroup, extra, page));
    extra->addRow(decl.widget());
    return page;
}

} // namespace

CCodegenSheet::CCodegenSheet(const CodeGenTexts& t, QWidget* parent)
    : QDialog(parent), fields(std::make_unique<Fields>(this)) {
    setWindowTitle(QString::fromStdString(LoadResString(IDS_CODEGEN_PROPERTIES)));
    Fields& f = *fields;
    f.cppClass.set(t.ctxNameCPP);
    f.cppInclude.set(t.ctxFileCPP);
    f.cppNamespace.set(t.ctxNameSpaceCPP);
    f.cppIncludes.set(t.includeFilesCPP);
    f.cppDecl.set(t.declCPP);
    f.cIncludes.set(t.includeFilesC);
    f.cDecl.set(t.declC);
    f.javaClass.set(t.ctxNameJAVA);
    f.javaPackage.set(t.ctxPackageJAVA);
    f.javaDecl.set(t.declJAVA);
    f.csClass.set(t.ctxNameCSharp);
    f.csPackage.set(t.ctxPackageCSharp);
    f.csDecl.set(t.declCSharp);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("pages");

    auto* cpp = new QWidget;
    auto* cppLayout = new QVBoxLayout(cpp);
    QFormLayout* form = nullptr;
    cppLayout->addWidget(group(QStringLiteral("Context Class Info"), form, cpp));
    form->addRow(QStringLiteral("Class Name :"), f.cppClass.widget());
    form->addRow(QStringLiteral("Include File :"), f.cppInclude.widget());
    form->addRow(QStringLiteral("NameSpace :"), f.cppNamespace.widget());
    cppLayout->addWidget(group(QStringLiteral("Additional Info (Optional)"), form, cpp));
    form->addRow(QStringLiteral("Include Files"), f.cppIncludes.widget());
    form->addRow(QStringLiteral("Additional Declarations :"), f.cppDecl.widget());
    tabs->addTab(cpp, QStringLiteral("C++"));

    auto* c = new QWidget;
    auto* cForm = new QFormLayout(c);
    cForm->addRow(QStringLiteral("Include Files :"), f.cIncludes.widget());
    cForm->addRow(QStringLiteral("Additional Declarations :"), f.cDecl.widget());
    tabs->addTab(c, QStringLiteral("ANSI C"));

    tabs->addTab(managedPage(QStringLiteral("Additional Info (Optional)"), f.javaClass,
                             f.javaPackage, f.javaDecl),
                 QStringLiteral("Java"));
    tabs->addTab(managedPage(QStringLiteral("Additional Declaration (Optional)"), f.csClass,
                             f.csPackage, f.csDecl),
                 QStringLiteral("C# (.Net)"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(480, 420);
}

CCodegenSheet::~CCodegenSheet() = default;

CodeGenTexts CCodegenSheet::values() const {
    const Fields& f = *fields;
    return {f.cppClass.get(),    f.cppInclude.get(), f.cppNamespace.get(), f.cppIncludes.get(),
            f.cppDecl.get(),     f.cIncludes.get(),  f.cDecl.get(),        f.javaClass.get(),
            f.javaPackage.get(), f.javaDecl.get(),   f.csClass.get(),      f.csPackage.get(),
            f.csDecl.get()};
}
