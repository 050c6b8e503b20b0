#include "editor/app/dir_tree_ctrl.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
enum Kind { Folder = 1, File = 2, Placeholder = 3 };

bool lessIgnoringCase(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A path without its trailing separators, the root itself excepted.
QString trimmed(QString path) {
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

} // namespace

CDirTreeCtrl::CDirTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("DirTree");
    setHeaderHidden(true);
    setColumnCount(1);
    // Deep items scroll sideways in a narrow dock instead of losing their names to "...".
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemExpanded, this, &CDirTreeCtrl::onExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CDirTreeCtrl::onCollapsed);
}

CDirTreeCtrl::~CDirTreeCtrl() = default;

bool CDirTreeCtrl::isModelFile(const std::string& path) {
    return path.size() >= 5 && q(path.substr(path.size() - 4)).toUpper() == ".TVC";
}

bool CDirTreeCtrl::isPlaceholder(const QTreeWidgetItem* item) {
    return item && item->data(0, kKindRole).toInt() == Placeholder;
}

bool CDirTreeCtrl::isFileItem(const QTreeWidgetItem* item) {
    return item && item->data(0, kKindRole).toInt() == File;
}

std::string CDirTreeCtrl::ItemPath(const QTreeWidgetItem* item) const {
    return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

bool CDirTreeCtrl::Rebuild(const std::string& root, bool files) {
    clear();
    error.clear();
    showFiles = files;
    if (!root.empty()) {
        rootPath = trimmed(q(root)).toStdString();
        QTreeWidgetItem* top = InsertPathItem(nullptr, rootPath);
        if (!top)
            return false;
        FillFolder(top, rootPath);
        top->setExpanded(true);
        return true;
    }
    // The stand-ins for drives: the file-system root and the home folder.
    rootPath.clear();
    QStringList drives{QDir::rootPath()};
    const QString home = trimmed(QDir::homePath());
    if (!home.isEmpty() && home != QDir::rootPath())
        drives << home;
    bool any = false;
    for (const QString& drive : drives) {
        QTreeWidgetItem* top = InsertPathItem(nullptr, drive.toStdString());
        if (!top)
            continue;
        any = true;
        if (FolderHasEntries(drive.toStdString()))
            addPlaceholder(top);
    }
    if (!any) {
        error = cNoDrives;
        return false;
    }
    return true;
}

QTreeWidgetItem* CDirTreeCtrl::InsertPathItem(QTreeWidgetItem* parent, const std::string& path) {
    const QFileInfo info(q(path));
    if (!info.exists()) {
        error = cNoFileInfo;
        return nullptr;
    }
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    const QString full = trimmed(q(path));
    item->setText(0, parent ? info.fileName() : full);
    item->setIcon(0, icons.icon(info));
    item->setData(0, kPathRole, full);
    item->setData(0, kKindRole, info.isDir() ? Folder : File);
    return item;
}

void CDirTreeCtrl::addPlaceholder(QTreeWidgetItem* item) {
    auto* placeholder = new QTreeWidgetItem(item);
    placeholder->setData(0, kKindRole, Placeholder);
}

void CDirTreeCtrl::deleteChildren(QTreeWidgetItem* item) {
    qDeleteAll(item->takeChildren());
}

// An unreadable folder simply yields nothing. Links are not followed further than the one
// level read here, so a link that loops back only ever costs one level per expansion.
void CDirTreeCtrl::FillFolder(QTreeWidgetItem* parent, const std::string& path) {
    QStringList folders;
    QStringList files;
    QDirIterator it(q(path), QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir())
            folders << info.fileName();
        else if (showFiles && isModelFile(info.filePath().toStdString()))
            files << info.fileName();
    }
    std::sort(folders.begin(), folders.end(), lessIgnoringCase);
    std::sort(files.begin(), files.end(), lessIgnoringCase);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    const QString base = q(path).endsWith('/') ? q(path) : q(path) + '/';
    for (const QString& name : folders) {
        const std::string full = (base + name).toStdString();
        if (QTreeWidgetItem* item = InsertPathItem(parent, full); item && FolderHasEntries(full))
            addPlaceholder(item);
    }
    for (const QString& name : files)
        InsertPathItem(parent, (base + name).toStdString());
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

bool CDirTreeCtrl::FolderHasEntries(const std::string& path) const {
    QDirIterator it(q(path), QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() || (showFiles && info.isFile() && !info.isHidden()))
            return true;
    }
    return false;
}

void CDirTreeCtrl::onExpanded(QTreeWidgetItem* item) {
    deleteChildren(item);
    FillFolder(item, ItemPath(item));
}

void CDirTreeCtrl::onCollapsed(QTreeWidgetItem* item) {
    deleteChildren(item);
    addPlaceholder(item);
}

bool CDirTreeCtrl::SelectFolder(const std::string& wanted) {
    const QString path = trimmed(QDir::cleanPath(q(wanted)));
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    // The deepest top-level item that holds the path.
    QTreeWidgetItem* item = nullptr;
    QString reached;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QString top = q(ItemPath(topLevelItem(i)));
        const QString prefix = top.endsWith('/') ? top : top + '/';
        if ((path == top || path.startsWith(prefix)) && top.size() > reached.size()) {
            item = topLevelItem(i);
            reached = top;
        }
    }
    if (!item)
        return false;
    setUpdatesEnabled(false);
    const QStringList rest = path.mid(reached.size()).split('/', Qt::SkipEmptyParts);
    for (const QString& name : rest) {
        // Read afresh: the folder may have changed since it was last opened.
        if (item->isExpanded())
            item->setExpanded(false);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0)
                next = item->child(i);
        if (!next)
            break;
        item = next;
    }
    if (item->isExpanded())
        item->setExpanded(false);
    item->setExpanded(true);
    setUpdatesEnabled(true);
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

void CDirTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    // Only files: a folder that happens to be empty is still a folder.
    if (isFileItem(item) && fileOpener)
        fileOpener(ItemPath(item));
    QTreeWidget::mouseDoubleClickEvent(event);
}
