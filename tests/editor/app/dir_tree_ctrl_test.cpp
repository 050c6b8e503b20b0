// The chart browser over a folder of its own: what it lists, what a double click opens, and
// folders that change, cannot be read or do not exist.

#include "editor/app/dir_tree_ctrl.h"
#include "tests/editor/app/app_fixture.h"

#include <unistd.h>

namespace {

void doubleClick(QTreeWidget& tree, QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    tree.scrollToItem(item);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
}

class DirTreeTest : public ::testing::Test {
protected:
    void touch(const QString& rel) {
        QDir().mkpath(QFileInfo(root + "/" + rel).path());
        QFile f(root + "/" + rel);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTreeWidgetItem* top() { return tree.topLevelItem(0); }
    static QTreeWidgetItem* child(QTreeWidgetItem* item, const QString& text) {
        for (int i = 0; i < item->childCount(); ++i)
            if (item->child(i)->text(0) == text)
                return item->child(i);
        return nullptr;
    }
    static QStringList texts(QTreeWidgetItem* item) {
        QStringList list;
        for (int i = 0; i < item->childCount(); ++i)
            list << item->child(i)->text(0);
        return list;
    }
    QTemporaryDir tmp;
    QString root = tmp.path();
    CDirTreeCtrl tree;
};

TEST_F(DirTreeTest, ListsFoldersThenModelFilesSortedIgnoringCase) {
    for (const char* file : {"b/x.TvC", "B2/notes.txt", "a/.hidden", "x.tvc.bak", "Zeta.tvc",
                             "alpha.tvc", "readme.txt"})
        touch(file);
    QDir(root).mkdir("empty");
    ASSERT_TRUE(tree.Rebuild(root.toStdString(), true));
    EXPECT_EQ(texts(top()), QStringList({"a", "b", "B2", "empty", "alpha.tvc", "Zeta.tvc"}));
    // Expand buttons: a placeholder where something would show, none for a dot file only.
    for (auto [folder, expandable] :
         {std::pair{"a", false}, {"b", true}, {"B2", true}, {"empty", false}})
        EXPECT_EQ(child(top(), folder)->childCount() > 0, expandable) << folder;
    QTreeWidgetItem* b2 = child(top(), "B2");
    b2->setExpanded(true);
    EXPECT_EQ(b2->childCount(), 0) << "a non-model file is not listed";
    QTreeWidgetItem* b = child(top(), "b");
    b->setExpanded(true);
    EXPECT_EQ(texts(b), QStringList({"x.TvC"}));
    EXPECT_EQ(tree.ItemPath(b->child(0)), (root + "/b/x.TvC").toStdString());
    // Collapsing forgets the contents; the next expand reads the folder again.
    touch("b/new.tvc");
    b->setExpanded(false);
    EXPECT_TRUE(CDirTreeCtrl::isPlaceholder(b->child(0)));
    b->setExpanded(true);
    EXPECT_EQ(texts(b), QStringList({"new.tvc", "x.TvC"}));
}

TEST_F(DirTreeTest, ADoubleClickOpensModelFilesOnly) {
    touch("x.TvC");
    touch("folder.tvc/.keep");
    ASSERT_TRUE(tree.Rebuild(root.toStdString(), true));
    tree.resize(300, 300);
    std::vector<std::string> opened;
    doubleClick(tree, child(top(), "x.TvC")); // no opener yet: nothing happens
    tree.setFileOpener([&](const std::string& path) { opened.push_back(path); });
    doubleClick(tree, child(top(), "folder.tvc"));
    doubleClick(tree, child(top(), "x.TvC"));
    EXPECT_EQ(opened, std::vector<std::string>{(root + "/x.TvC").toStdString()});
}

TEST_F(DirTreeTest, LockedFoldersShowNothingAndLinkLoopsOpenOneLevelAtATime) {
    QDir(root).mkdir("loop");
    ASSERT_TRUE(QFile::link(root + "/loop", root + "/loop/again"));
    touch("locked/inside.tvc");
    QFile::setPermissions(root + "/locked", QFileDevice::WriteOwner);
    ASSERT_TRUE(tree.Rebuild(root.toStdString(), true));
    QTreeWidgetItem* item = child(top(), "loop");
    for (int depth = 0; depth < 20; ++depth) {
        ASSERT_NE(item, nullptr) << depth;
        item->setExpanded(true);
        item = child(item, "again");
    }
    if (geteuid() != 0) { // permissions do not bind root
        QTreeWidgetItem* locked = child(top(), "locked");
        ASSERT_NE(locked, nullptr);
        EXPECT_EQ(locked->childCount(), 0);
        tree.FillFolder(locked, (root + "/locked").toStdString());
        EXPECT_EQ(locked->childCount(), 0);
        EXPECT_EQ(tree.lastError(), "");
    }
    QFile::setPermissions(root + "/locked",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(DirTreeTest, SelectsAFolderAndNothingForOneThatIsGone) {
    touch("one/two/three/chart.tvc");
    ASSERT_TRUE(tree.Rebuild("", true));
    ASSERT_TRUE(tree.SelectFolder((root + "/one/two").toStdString()));
    EXPECT_EQ(tree.ItemPath(tree.currentItem()), (root + "/one/two").toStdString());
    EXPECT_TRUE(tree.currentItem()->isExpanded());
    CDirTreeCtrl fresh;
    ASSERT_TRUE(fresh.Rebuild("", true));
    EXPECT_FALSE(fresh.SelectFolder((root + "/gone").toStdString()));
    EXPECT_EQ(fresh.currentItem(), nullptr);
    EXPECT_FALSE(tree.Rebuild((root + "/gone").toStdString(), true));
    EXPECT_EQ(tree.lastError(), CDirTreeCtrl::cNoFileInfo);
}

// The main frame's browser starts at the remembered folder and opens charts into the editor,
// activating a chart that is already open.
TEST_F(EditorTest, ChartBrowserOpensChartsFromTheRememberedFolder) {
    const QString folder = QString::fromStdString(dir.home()) + "charts";
    QDir().mkpath(folder);
    QFile::copy(QString(TAVREN_EXAMPLES) + "/door.tvc", folder + "/Door.TVC");
    fake.settings.strings["ToolBars/BrowseDir"] = folder.toStdString();
    ASSERT_TRUE(start());
    CDirTreeCtrl& tree = *frame().chartTree();
    QTreeWidgetItem* at = tree.currentItem();
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(tree.ItemPath(at), folder.toStdString());
    ASSERT_EQ(at->childCount(), 1);
    const size_t before = frame().charts().size();
    for (int twice = 0; twice < 2; ++twice) {
        doubleClick(tree, at->child(0));
        settle();
    }
    ASSERT_EQ(frame().charts().size(), before + 1) << "the second double click activates it";
    EXPECT_EQ(active().document().GetPathName(), (folder + "/Door.TVC").toStdString());
}

} // namespace
