#include "editor/app/object_tree.h"

#include "editor/app/object_icons.h"
#include "editor/view/chart_view.h"
#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "view/layout_mgr.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kShapeRole = Qt::UserRole;
constexpr int kIconRole = Qt::UserRole + 1;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The item's position from the top: indices of it and its ancestors, outermost first, so
// that comparing two of them orders items depth first.
std::vector<int> positionOf(const QTreeWidgetItem* item) {
    std::vector<int> path;
    for (; item; item = item->parent()) {
        const QTreeWidgetItem* up = item->parent();
        path.push_back(
            up ? up->indexOfChild(const_cast<QTreeWidgetItem*>(item))
               : item->treeWidget()->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)));
    }
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace

CObjectTree::CObjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("ObjectTree");
    setHeaderHidden(true);
    setColumnCount(1);
    // Deep items scroll sideways in a narrow dock instead of losing their names to "...".
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    setUniformRowHeights(true); // long charts: rows are not measured one by one
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
}

CObjectTree::~CObjectTree() = default;

Shape* CObjectTree::shapeOf(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<::Shape*>(item->data(0, kShapeRole).value<quintptr>()) : nullptr;
}

int CObjectTree::iconOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kIconRole).toInt() : -1;
}

std::vector<QTreeWidgetItem*> CObjectTree::itemsOf(::Shape* shape) const {
    const auto it = index.find(shape);
    return it == index.end() ? std::vector<QTreeWidgetItem*>{} : it->second;
}

void CObjectTree::Attach(LayoutMgr* v) {
    view = v;
    if (topLevelItemCount() == 0 && view) {
        auto* root = new QTreeWidgetItem(this);
        root->setText(0, text(view->getModelProperties().getName()));
        root->setIcon(0, objecticons::icon(objecticons::Chart));
        root->setData(0, kIconRole, objecticons::Chart);
        itemCount = 1;
    }
}

void CObjectTree::Clear() {
    index.clear();
    itemCount = 0;
    clear();
}

void CObjectTree::SetModelName(const std::string& name) {
    if (QTreeWidgetItem* root = rootItem())
        root->setText(0, text(name));
}

QTreeWidgetItem* CObjectTree::insert(QTreeWidgetItem* parent, ::Shape* shape, const QString& label,
                                     int icon) {
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, label);
    item->setIcon(0, objecticons::icon(icon));
    item->setData(0, kShapeRole, QVariant::fromValue(reinterpret_cast<quintptr>(shape)));
    item->setData(0, kIconRole, icon);
    index[shape].push_back(item);
    ++itemCount;
    return item;
}

void CObjectTree::addShape(::Shape* shape, QTreeWidgetItem* parent) {
    QTreeWidgetItem* root = rootItem();
    if (!root || !shape)
        return;
    if (!parent)
        parent = root;
    if (auto* state = dynamic_cast<GenericState*>(shape)) {
        insert(parent, shape, text(state->getName()), objecticons::State);
    } else if (dynamic_cast<InitialState*>(shape)) {
        insert(root, shape, "InitialState", objecticons::Initial);
    } else if (dynamic_cast<FinalState*>(shape)) {
        insert(parent, shape, "FinalState", objecticons::Final);
    } else if (auto* t = dynamic_cast<Transition*>(shape)) {
        QTreeWidgetItem* under = placeForTransition(t);
        if (!under)
            return; // its source is not listed
        refreshTransition(insert(under, shape, QString(), objecticons::LooseTransition), t);
    } else {
        return;
    }
    if (itemCount <= 2)
        root->setExpanded(true);
}

// Under the source's item at the top level, else under its last item anywhere; under the
// root when there is no source.
QTreeWidgetItem* CObjectTree::placeForTransition(Transition* t) const {
    QTreeWidgetItem* root = rootItem();
    auto* source = dynamic_cast<::Shape*>(t->getHeadState());
    if (!source)
        return root;
    std::vector<QTreeWidgetItem*> candidates = itemsOf(source);
    if (candidates.empty())
        return nullptr;
    QTreeWidgetItem* top = nullptr;
    for (QTreeWidgetItem* item : candidates)
        if (item->parent() == root && (!top || root->indexOfChild(item) < root->indexOfChild(top)))
            top = item;
    if (top)
        return top;
    return *std::max_element(
        candidates.begin(), candidates.end(),
        [](QTreeWidgetItem* a, QTreeWidgetItem* b) { return positionOf(a) < positionOf(b); });
}

void CObjectTree::refreshTransition(QTreeWidgetItem* item, Transition* t) {
    auto* source = dynamic_cast<::Shape*>(t->getHeadState());
    auto* target = dynamic_cast<::Shape*>(t->getTailState());
    const int icon = source && target ? (source == target ? objecticons::SelfTransition
                                                          : objecticons::Transition)
                                      : objecticons::LooseTransition;
    item->setIcon(0, objecticons::icon(icon));
    item->setData(0, kIconRole, icon);
    Mesg* mesg = t->getMesg();
    const EventEditorBox* label = mesg ? mesg->getTextHandler() : nullptr;
    item->setText(0, label ? text(label->getEvent()) : QString());
    while (item->childCount() > 0)
        deleteItem(item->child(item->childCount() - 1));
    if (target && target != source)
        addShape(target, item);
    if (label)
        insert(item, mesg, text("on" + label->getEvent() + " [" + label->getGuard() + "]"),
               objecticons::Message);
}

void CObjectTree::RemoveShape(::Shape* shape) {
    // Deleting one item may delete others of the shape with it (in its subtree).
    while (true) {
        const auto it = index.find(shape);
        if (it == index.end() || it->second.empty())
            break;
        deleteItem(it->second.back());
    }
    index.erase(shape);
}

void CObjectTree::RefreshShape(::Shape* shape) {
    const std::vector<QTreeWidgetItem*> items = itemsOf(shape);
    if (items.empty())
        return;
    if (auto* state = dynamic_cast<GenericState*>(shape)) {
        for (QTreeWidgetItem* item : items)
            item->setText(0, text(state->getName()));
        return;
    }
    auto* t = dynamic_cast<Transition*>(shape);
    if (!t)
        return;
    auto* source = dynamic_cast<::Shape*>(t->getHeadState());
    bool moved = false;
    for (QTreeWidgetItem* item : items) {
        // An earlier item's refresh may have taken this one with it.
        const std::vector<QTreeWidgetItem*> now = itemsOf(shape);
        if (std::find(now.begin(), now.end(), item) == now.end())
            continue;
        if (shapeOf(item->parent()) == source) {
            refreshTransition(item, t);
        } else {
            deleteItem(item);
            moved = true;
        }
    }
    if (moved && itemsOf(shape).empty())
        AddShape(shape);
}

void CObjectTree::forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    const auto it = index.find(shapeOf(item));
    if (it != index.end()) {
        std::erase(it->second, item);
        if (it->second.empty())
            index.erase(it);
    }
    --itemCount;
}

void CObjectTree::deleteItem(QTreeWidgetItem* item) {
    forget(item);
    delete item;
}

void CObjectTree::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(at);
    // Only the icon and the label count: the expand button keeps its own meaning.
    if (!item || !view || !visualItemRect(item).contains(at) ||
        (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    setCurrentItem(item);
    ::Shape* shape = shapeOf(item);
    if (event->button() == Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
        if (shape)
            view->selectOnly(shape);
        return;
    }
    event->accept();
    // The menu opens where the tree was clicked: that place in the chart window's pixels.
    auto* chart = dynamic_cast<ChartView*>(view->getWindow());
    if (!chart)
        return;
    const QPoint p = chart->viewport()->mapFromGlobal(viewport()->mapToGlobal(at));
    const CPoint pixel(p.x(), p.y());
    if (shape) {
        view->showShapeMenu(shape, pixel);
    } else {
        // New shapes from the chart's menu go into the visible part of the chart.
        const long inset = view->zpFu(3);
        view->showChartMenu(pixel, CPoint(inset, inset));
    }
}
