#pragma once
// The chart browser: a tree of folders and model files that grows as folders are opened and
// opens a model file on a double click. The file-system root and the home folder stand at
// the top. Folders are read when they are expanded, one level at a time, and read again the
// next time after they were collapsed.

#include <QFileIconProvider>
#include <QTreeWidget>

#include <functional>
#include <string>

class CDirTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    using FileOpener = std::function<void(const std::string& path)>;

    // Kept as the reason of a failure; never shown.
    static constexpr const char* cNoImageList = "Cannot retrieve the Handle of SystemImageList!";
    static constexpr const char* cNoDrives = "Error Getting Logical DriveStrings!";
    static constexpr const char* cNoFileInfo = "Error Gettting SystemFileInfo!";

    explicit CDirTreeCtrl(QWidget* parent = nullptr);
    ~CDirTreeCtrl() override;

    // Given a full path; may be empty.
    void setFileOpener(FileOpener opener) { fileOpener = std::move(opener); }
    const std::string& lastError() const { return error; }
    // Whether the path names a model file: ".tvc" in any case, after at least one character.
    static bool isModelFile(const std::string& path);

    // The whole tree afresh: the root's contents under one item, or with an empty root the
    // file-system root and the home folder. False on failure, the reason in lastError().
    bool Rebuild(const std::string& root, bool showFiles);
    // Opens the folders along the path and selects its last one; false when the path does not
    // exist or lies outside the tree.
    bool SelectFolder(const std::string& path);
    std::string ItemPath(const QTreeWidgetItem* item) const;
    static bool isPlaceholder(const QTreeWidgetItem* item);
    static bool isFileItem(const QTreeWidgetItem* item);

    // Building blocks: the sorted folders (each with a placeholder when it may have entries)
    // and then the model files of a folder; one item for a path; whether a folder would show
    // anything.
    void FillFolder(QTreeWidgetItem* parent, const std::string& path);
    QTreeWidgetItem* InsertPathItem(QTreeWidgetItem* parent, const std::string& path);
    bool FolderHasEntries(const std::string& path) const;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onExpanded(QTreeWidgetItem* item);
    void onCollapsed(QTreeWidgetItem* item);
    void addPlaceholder(QTreeWidgetItem* item);
    static void deleteChildren(QTreeWidgetItem* item);

    FileOpener fileOpener;
    bool showFiles = true;
    std::string error;
    QFileIconProvider icons;
    std::string rootPath;
};
