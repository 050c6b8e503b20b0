#pragma once
// The object browser: a tree of the chart's states, initial and final states and transitions
// (transitions under their source, their target and label under them). The chart view keeps
// it current; clicks on its items select shapes on the chart and open their menus.

#include "view/object_browser.h"

#include <QTreeWidget>

#include <unordered_map>
#include <vector>

class Shape;
class Transition;

class CObjectTree : public QTreeWidget, public ObjectBrowser {
    Q_OBJECT
public:
    explicit CObjectTree(QWidget* parent = nullptr);
    ~CObjectTree() override;

    QTreeWidgetItem* rootItem() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }
    // The shape an item stands for; null for the root.
    static ::Shape* shapeOf(const QTreeWidgetItem* item);
    // Which of the eight icons the item shows.
    static int iconOf(const QTreeWidgetItem* item);
    // The items of a shape, in no particular order.
    std::vector<QTreeWidgetItem*> itemsOf(::Shape* shape) const;

    void Attach(LayoutMgr* view) override;
    void Clear() override;
    void SetModelName(const std::string& name) override;
    void AddShape(::Shape* shape) override { addShape(shape, nullptr); }
    void RemoveShape(::Shape* shape) override;
    void RefreshShape(::Shape* shape) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    // parent null: the root.
    void addShape(::Shape* shape, QTreeWidgetItem* parent);
    QTreeWidgetItem* insert(QTreeWidgetItem* parent, ::Shape* shape, const QString& text, int icon);
    QTreeWidgetItem* placeForTransition(Transition* t) const;
    void refreshTransition(QTreeWidgetItem* item, Transition* t);
    // Deletes the item and its subtree, and forgets them.
    void deleteItem(QTreeWidgetItem* item);
    void forget(QTreeWidgetItem* item);

    LayoutMgr* view = nullptr;
    // Every item by its shape: a state has its own item and one under each transition to it.
    std::unordered_map<::Shape*, std::vector<QTreeWidgetItem*>> index;
    int itemCount = 0;
};
