#include "generators/tvc2scxml/scxml_import.h"

#include "generators/tvc2scxml/scxml_layout.h"
#include "model/archive.h"
#include "model/model_properties.h"
#include "model/util.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace scxmlimport {
namespace {

using scxmllayout::cLayoutNamespace;
using scxmllayout::cScxmlNamespace;

const std::string CRLF = "\r\n";

std::string str(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : std::string();
}

bool is(const xmlNode* n, const char* name) {
    return n->type == XML_ELEMENT_NODE && n->ns &&
           str(n->ns->href) == std::string(cScxmlNamespace) && str(n->name) == name;
}

bool hasAttr(const xmlNode* n, const char* name, const char* ns = nullptr) {
    return ns ? xmlHasNsProp(n, BAD_CAST name, BAD_CAST ns) != nullptr
              : xmlHasProp(n, BAD_CAST name) != nullptr;
}

std::string attr(const xmlNode* n, const char* name) {
    xmlChar* v = xmlGetNoNsProp(n, BAD_CAST name);
    std::string s = str(v);
    xmlFree(v);
    return s;
}

const std::string kTv(cLayoutNamespace);

std::string tv(const xmlNode* n, const std::string& name) {
    xmlChar* v = xmlGetNsProp(n, BAD_CAST name.c_str(), BAD_CAST kTv.c_str());
    std::string s = str(v);
    xmlFree(v);
    return s;
}

std::string text(const xmlNode* n) {
    xmlChar* v = xmlNodeGetContent(n);
    std::string s = str(v);
    xmlFree(v);
    return s;
}

// Line feeds back to the model's carriage return plus line feed.
std::string toModelText(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n')
            out += CRLF;
        else
            out += c;
    }
    return out;
}

// A script's text without the line feeds and padding lines tvc2scxml put around the code.
std::string scriptText(const xmlNode* script) {
    std::string s = text(script);
    if (!s.empty() && s.front() == '\n')
        s.erase(0, 1);
    const auto end = s.find_last_not_of(" \t");
    s.erase(end == std::string::npos ? 0 : end + 1);
    if (!s.empty() && s.back() == '\n')
        s.pop_back();
    if (tv(script, "before") == ";" && s.rfind(";\n", 0) == 0)
        s.erase(0, 2);
    if (tv(script, "after") == ";" && s.size() >= 2 && s.compare(s.size() - 2, 2, "\n;") == 0)
        s.erase(s.size() - 2);
    return toModelText(s);
}

struct Rect {
    long l = 0, t = 0, r = 0, b = 0;
    std::string str() const {
        return std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
               std::to_string(b);
    }
};

// An id the drawing kept, if new ids can still follow it; anything else is numbered anew.
constexpr long cLargestKeptId = 1000000000;
long keptId(const std::string& text) {
    const long id = std::strtol(text.c_str(), nullptr, 10); // saturates, unlike atol
    return id > 0 && id <= cLargestKeptId ? id : 0;
}

struct Node; // a state, initial or final of the chart

struct Edge {
    Node* source = nullptr;
    std::string targetId;
    std::string event, guard, effect;
    std::string labelEvent, labelGuard; // the label's own text where tv: kept it
    const xmlNode* element = nullptr;
    long id = 0, labelId = 0;
};

struct Node {
    enum Kind { State, Initial, Final } kind = State;
    std::string scxmlId, name;
    Node* parent = nullptr;
    std::vector<Node*> children;
    std::string entry, exit;
    bool history = false;
    std::string initialTarget; // for Initial: the target's SCXML id
    const xmlNode* element = nullptr;
    long id = 0;
    Rect rect;
    // Initial: the element and attribute prefix that keep its transition's drawing.
    const xmlNode* transition = nullptr;
    std::string transitionPrefix;
    long transitionId = 0;
};

const xmlNode* t0(const xmlNode* initial) {
    for (const xmlNode* t = initial->children; t; t = t->next)
        if (t->type == XML_ELEMENT_NODE && str(t->name) == "transition")
            return t;
    return nullptr;
}

class Reader {
public:
    explicit Reader(bool l) : lenient(l) {}

    Result run(std::string_view document) {
        if (document.size() > cMaxBytes) {
            result.problems.push_back("the document is larger than 16 MiB");
            return result;
        }
        // No entity substitution, no DTD, nothing from the network; errors kept, not printed.
        const int options = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
        std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
            xmlReadMemory(document.data(), static_cast<int>(document.size()), "document", nullptr,
                          options),
            &xmlFreeDoc);
        if (!doc) {
            const xmlError* e = xmlGetLastError();
            result.problems.push_back(
                "line " + std::to_string(e ? e->line : 0) + ": malformed XML: " +
                (e && e->message ? trimmed(e->message) : std::string("unreadable")));
            return result;
        }
        if (doc->intSubset || doc->extSubset) {
            result.problems.push_back("line 1: <!DOCTYPE>: a document type is not accepted");
            return result;
        }
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        if (!root || !is(root, "scxml")) {
            result.problems.push_back("line 1: the root element is not SCXML's <scxml>");
            return result;
        }
        if (!checkDepth(root, 0))
            return result;
        readRoot(root);
        if (!result.problems.empty())
            return result;
        write();
        result.ok = result.problems.empty();
        return result;
    }

private:
    static std::string trimmed(std::string s) {
        while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
            s.pop_back();
        return s;
    }

    bool checkDepth(const xmlNode* n, int depth) {
        if (depth > cMaxDepth) {
            result.problems.push_back("line " + std::to_string(xmlGetLineNo(n)) + ": <" +
                                      str(n->name) + ">: nested deeper than " +
                                      std::to_string(cMaxDepth) + " elements");
            return false;
        }
        for (const xmlNode* c = n->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE && !checkDepth(c, depth + 1))
                return false;
        return true;
    }

    // Something the chart model cannot hold: fails the import, or with lenient is dropped.
    void unsupported(const xmlNode* n, const std::string& what) {
        const std::string line =
            "line " + std::to_string(xmlGetLineNo(n)) + ": <" + str(n->name) + ">: " + what;
        (lenient ? result.dropped : result.problems).push_back(line);
    }

    Node* add(Node::Kind kind, Node* parent, const xmlNode* e) {
        nodes.push_back(std::make_unique<Node>());
        Node* n = nodes.back().get();
        n->kind = kind;
        n->parent = parent;
        n->element = e;
        n->scxmlId = attr(e, "id");
        n->id = keptId(tv(e, "id"));
        if (parent)
            parent->children.push_back(n);
        else
            top.push_back(n);
        if (!n->scxmlId.empty())
            byId[n->scxmlId] = n;
        return n;
    }

    void readRoot(const xmlNode* root) {
        const std::string model = attr(root, "datamodel");
        if (!model.empty() && model != "null" && model.rfind("cplusplus:", 0) != 0)
            unsupported(root, "the data model '" + model + "' (only C++ and null)");
        layout = hasAttr(root, "zoom", kTv.c_str());
        name = attr(root, "name");
        dataModel = model;
        rootInitial = attr(root, "initial");
        for (const xmlNode* c = root->children; c; c = c->next)
            readChild(c, nullptr);
        if (rootInitial.empty()) // SCXML's default: the first state in document order
            for (Node* n : top)
                if (n->kind == Node::State) {
                    rootInitial = n->scxmlId;
                    break;
                }
        if (rootInitial.empty()) {
            result.problems.push_back("line " + std::to_string(xmlGetLineNo(root)) +
                                      ": <scxml>: no state to start in");
            return;
        }
        // The top level's initial state.
        nodes.push_back(std::make_unique<Node>());
        topInitial = nodes.back().get();
        topInitial->kind = Node::Initial;
        topInitial->element = root;
        topInitial->initialTarget = rootInitial;
        topInitial->id = keptId(tv(root, "initial-id"));
        topInitial->transition = root;
        topInitial->transitionPrefix = "initial-transition-";
        rootElement = root;
        top.insert(top.begin(), topInitial);
    }

    void readChild(const xmlNode* c, Node* parent) {
        if (c->type != XML_ELEMENT_NODE)
            return;
        if (!c->ns || str(c->ns->href) != std::string(cScxmlNamespace))
            return; // other vocabularies are not ours to read
        if (is(c, "state"))
            readState(c, parent);
        else if (is(c, "final"))
            add(Node::Final, parent, c);
        else if (is(c, "datamodel") && !c->children)
            return;
        else if (is(c, "parallel"))
            unsupported(c, "parallel states");
        else
            unsupported(c, "not part of a chart here");
    }

    void readState(const xmlNode* e, Node* parent) {
        if (tv(e, "rest") == "true")
            return; // tvc2scxml's stand-in for a composite without initial state
        Node* s = add(Node::State, parent, e);
        s->name = layout && hasAttr(e, "name", kTv.c_str()) ? tv(e, "name") : s->scxmlId;
        if (s->scxmlId.empty())
            unsupported(e, "a state without id");
        std::string initial = attr(e, "initial");
        for (const xmlNode* c = e->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (is(c, "onentry") || is(c, "onexit"))
                (is(c, "onentry") ? s->entry : s->exit) += actions(c);
            else if (is(c, "initial")) {
                for (const xmlNode* t = c->children; t; t = t->next)
                    if (is(t, "transition"))
                        initial = attr(t, "target");
                Node* i = add(Node::Initial, s, c);
                i->initialTarget = initial;
                i->transition = t0(c);
            } else if (is(c, "history")) {
                if (attr(c, "type") == "deep")
                    unsupported(c, "deep history");
                else
                    s->history = true;
                historyOwner[attr(c, "id")] = s;
            } else if (is(c, "transition"))
                readTransition(c, s);
            else if (is(c, "invoke"))
                unsupported(c, "invoked services");
            else
                readChild(c, s);
        }
        bool hasInitialNode = false;
        for (Node* c : s->children)
            hasInitialNode = hasInitialNode || c->kind == Node::Initial;
        if (!hasInitialNode && !initial.empty()) {
            Node* i = add(Node::Initial, s, e);
            i->initialTarget = initial;
            i->element = nullptr;
            i->id = 0;
        }
    }

    std::string actions(const xmlNode* holder) {
        std::string code;
        for (const xmlNode* c = holder->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (is(c, "script")) {
                if (hasAttr(c, "src"))
                    unsupported(c, "a script from elsewhere");
                else
                    code += (code.empty() ? "" : CRLF) + scriptText(c);
            } else if (is(c, "send") && (hasAttr(c, "delay") || hasAttr(c, "delayexpr")))
                unsupported(c, "delayed events");
            else
                unsupported(c, "executable content other than <script>");
        }
        return code;
    }

    void readTransition(const xmlNode* t, Node* source) {
        std::string event = attr(t, "event");
        const std::string target = attr(t, "target");
        // A state's own done.state event is its completion: our transition without an event.
        if (source && event == "done.state." + source->scxmlId)
            event.clear();
        if (target.empty() || target.find_first_of(" \t\n") != std::string::npos) {
            unsupported(t, target.empty() ? "a transition without target"
                                          : "a transition with several targets");
            return;
        }
        if (attr(t, "type") == "internal")
            unsupported(t, "an internal transition (ours are external)");
        Edge edge;
        edge.source = source;
        edge.targetId = target;
        edge.event = event;
        edge.guard = toModelText(attr(t, "cond"));
        edge.effect = actions(t);
        edge.element = t;
        edge.id = keptId(tv(t, "id"));
        edge.labelId = keptId(tv(t, "label-id"));
        edge.labelEvent = hasAttr(t, "label-event", kTv.c_str()) ? tv(t, "label-event") : event;
        edge.labelGuard =
            hasAttr(t, "label-guard", kTv.c_str()) ? tv(t, "label-guard") : edge.guard;
        edges.push_back(edge);
    }

    Node* resolve(const std::string& id) {
        if (const auto h = historyOwner.find(id); h != historyOwner.end())
            return h->second;
        const auto n = byId.find(id);
        return n == byId.end() ? nullptr : n->second;
    }

    void write();
    void autoLayout();
    void routeAll();
    std::string stateRecord(const Node& n);

    bool lenient;
    Result result;
    bool layout = false;
    std::string name, dataModel, rootInitial;
    std::vector<std::unique_ptr<Node>> nodes;
    std::vector<Node*> top;
    Node* topInitial = nullptr;
    std::map<std::string, Node*> byId;
    std::map<std::string, Node*> historyOwner;
    std::vector<Edge> edges;
    const xmlNode* rootElement = nullptr;
    // Without our drawing: each transition's route and label place, by its Edge or, for an
    // initial transition, its initial Node.
    struct Wire {
        std::string ends, anchors; // "sx sy tx ty" and "side index side index"
        std::vector<std::pair<long, long>> points;
        Rect label;
    };
    std::map<const void*, Wire> wires;
};

void multi(std::ostream& out, const std::string& text) {
    Util::writeMultiLines(out, text, "TEXTBEGIN", "TEXTEND");
}

std::string link(int type, long hx, long hy, long tx, long ty) {
    return std::to_string(type) + " " + std::to_string(hx) + " " + std::to_string(hy) + " " +
           std::to_string(tx) + " " + std::to_string(ty) + " " + CRLF;
}

std::string Reader::stateRecord(const Node& n) {
    std::ostringstream out;
    const xmlNode* e = n.element;
    const char* type = n.kind == Node::State     ? "GenericState"
                       : n.kind == Node::Initial ? "InitialState"
                                                 : "FinalState";
    const bool topInit = &n == topInitial;
    const std::string prefix = topInit ? "initial-" : "";
    std::string look = layout && e ? tv(e, prefix + "look") : "";
    if (look.empty())
        look = "10 1";
    std::istringstream lk(look);
    std::string z, shown;
    lk >> z >> shown;
    const std::string rect =
        layout && e && !tv(e, prefix + "rect").empty() ? tv(e, prefix + "rect") : n.rect.str();
    out << "BEGIN " << type << ' ' << n.id << CRLF << n.id << ' ' << z << CRLF << rect << CRLF
        << shown << CRLF;
    if (n.kind == Node::State) {
        std::string colors = layout && e ? tv(e, "colors") : "";
        if (colors.empty())
            colors = "12582911 0";
        out << n.name << CRLF << (n.history ? 1 : 0) << ' ' << colors << CRLF;
        multi(out, n.entry);
        multi(out, n.exit);
    } else {
        out << (layout && e ? tv(e, prefix + "name") : "") << CRLF;
    }
    return out.str();
}

// A route through orthogonal points, as the model file stores it: a head link and a tail
// link of one unit at the ends.
std::string route(const std::vector<std::pair<long, long>>& p) {
    std::string out = link(2, p[0].first, p[0].second, p[1].first, p[1].second);
    for (std::size_t i = 1; i + 2 < p.size(); ++i)
        out += link(p[i].first == p[i + 1].first ? 0 : 1, p[i].first, p[i].second, p[i + 1].first,
                    p[i + 1].second);
    const auto n = p.size();
    return out + link(3, p[n - 2].first, p[n - 2].second, p[n - 1].first, p[n - 1].second);
}

// Room between neighbours for the vertical and horizontal runs of routes and their labels.
constexpr long cColumnGap = 100;
constexpr long cRowGap = 64;

// Nesting into geometry: each state's children in a grid inside it, with room around them
// for the labels of the transitions between them.
void Reader::autoLayout() {
    const auto size = [&](const auto& self, Node* n) -> std::pair<long, long> {
        if (n->kind != Node::State)
            return {4, 4};
        std::vector<Node*> parts;
        for (Node* c : n->children)
            if (c->kind != Node::Initial)
                parts.push_back(c);
        const long nameWidth = static_cast<long>(n->name.size()) * 5 + 24;
        if (parts.empty())
            return {std::max(70L, nameWidth), 40};
        std::size_t cols = 1;
        while (cols * cols < parts.size())
            ++cols;
        std::vector<long> colW(cols, 0), rowH((parts.size() + cols - 1) / cols, 0);
        std::vector<std::pair<long, long>> sizes;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            sizes.push_back(self(self, parts[i]));
            colW[i % cols] = std::max(colW[i % cols], sizes[i].first);
            rowH[i / cols] = std::max(rowH[i / cols], sizes[i].second);
        }
        // Placed relative to the state's corner; moved to absolute by place().
        long y = 40;
        for (std::size_t r = 0; r < rowH.size(); ++r) {
            long x = 40;
            for (std::size_t c = 0; c < cols && r * cols + c < parts.size(); ++c) {
                Node* p = parts[r * cols + c];
                p->rect = {x, y, x + sizes[r * cols + c].first, y + sizes[r * cols + c].second};
                x += colW[c] + cColumnGap;
            }
            y += rowH[r] + cRowGap;
        }
        long w = 40;
        for (long cw : colW)
            w += cw + cColumnGap;
        return {std::max(w - cColumnGap + 40, nameWidth), y - cRowGap + 40};
    };
    const auto place = [&](const auto& self, Node* n, long dx, long dy) -> void {
        n->rect = {n->rect.l + dx, n->rect.t + dy, n->rect.r + dx, n->rect.b + dy};
        for (Node* c : n->children)
            if (c->kind == Node::Initial)
                c->rect = {n->rect.l + 12, n->rect.t + 30, n->rect.l + 16, n->rect.t + 34};
            else
                self(self, c, n->rect.l, n->rect.t);
    };
    long x = 40;
    for (Node* n : top) {
        if (n->kind == Node::Initial)
            continue;
        const auto [w, h] = size(size, n);
        n->rect = {x, 40, x + w, 40 + h};
        place(place, n, 0, 0);
        x += w + 80;
    }
    topInitial->rect = {15, 58, 19, 62};
}

namespace {

bool inside(const Rect& a, const Rect& b) {
    return a.l >= b.l && a.r <= b.r && a.t >= b.t && a.b <= b.b;
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
}

// Where a shape's anchor sits, as the model places them: states have three per side at the
// quarter points numbered clockwise, initial and final states one in the middle of each.
std::pair<long, long> anchorPoint(const Rect& r, bool quarters, int side, int index) {
    const long mx = (r.l + r.r) / 2, my = (r.t + r.b) / 2;
    const long qw = quarters ? (r.r - r.l) / 4 : 0, qh = quarters ? (r.b - r.t) / 4 : 0;
    const long k = quarters ? index - 2 : 0; // -1, 0, 1 along the clockwise direction
    switch (side) {
    case 1:
        return {mx + k * qw, r.t};
    case 2:
        return {r.r, my + k * qh};
    case 3:
        return {mx - k * qw, r.b};
    default:
        return {r.l, my - k * qh};
    }
}

// One unit outwards from a side, the direction the model's end links point.
std::pair<long, long> outwards(std::pair<long, long> p, int side) {
    const CPoint q =
        Util::getIncrimentedPoint(CPoint(p.first, p.second), static_cast<unsigned short>(side));
    return {q.x, q.y};
}

} // namespace

// Routes for a chart without our drawing: each transition leaves the side of its source that
// faces its target; the ends sharing a side are spread over its anchors in the order of where
// they lead, the middle runs keep apart, and labels avoid each other and the state names.
void Reader::routeAll() {
    struct End {
        const void* key;
        bool head;
        long along; // where the other end lies along the side, for ordering
    };
    struct Plan {
        const void* key;
        const Node* from;
        const Node* to;
        int fromSide, toSide;
        const Edge* edge;
    };
    std::vector<Plan> plans;
    const auto centreOf = [](const Rect& r) {
        return std::pair<long, long>{(r.l + r.r) / 2, (r.t + r.b) / 2};
    };
    const auto add = [&](const void* key, const Node* from, const Node* to, const Edge* edge) {
        const Rect &s = from->rect, &t = to->rect;
        int fs = 2, ts = 4;
        if (from == to)
            fs = 2, ts = 1;
        else if (inside(t, s))
            fs = 4, ts = 4; // into a child: round the parent's left border
        else if (inside(s, t))
            fs = 2, ts = 2; // out to an ancestor: round its right border
        else if (t.l >= s.r)
            fs = 2, ts = 4;
        else if (t.r <= s.l)
            fs = 4, ts = 2;
        else if (t.t >= s.b)
            fs = 3, ts = 1;
        else
            fs = 1, ts = 3;
        plans.push_back({key, from, to, fs, ts, edge});
    };
    for (const auto& n : nodes)
        if (n->kind == Node::Initial)
            if (const Node* target = resolve(n->initialTarget))
                add(n.get(), n.get(), target, nullptr);
    for (const Edge& e : edges)
        if (const Node* target = resolve(e.targetId))
            add(&e, e.source, target, &e);

    // Spread the ends over the anchors of each side, in the order of the other ends.
    std::map<std::pair<const Node*, int>, std::vector<End>> sides;
    for (const Plan& p : plans) {
        const auto other = [&](const Node* n, int side) {
            const auto c = centreOf(n->rect);
            return side == 1 || side == 3 ? c.first : c.second;
        };
        sides[{p.from, p.fromSide}].push_back({p.key, true, other(p.to, p.fromSide)});
        sides[{p.to, p.toSide}].push_back({p.key, false, other(p.from, p.toSide)});
    }
    std::map<std::pair<const void*, bool>, int> indexOf;
    for (auto& [where, ends] : sides) {
        std::stable_sort(ends.begin(), ends.end(),
                         [](const End& a, const End& b) { return a.along < b.along; });
        const std::size_t n = ends.size();
        for (std::size_t k = 0; k < n; ++k) {
            // Positions 0..2 from top or left; anchors count clockwise, so bottom and left
            // sides count the other way.
            const int pos = n == 1   ? 1
                            : n == 2 ? static_cast<int>(k) * 2
                                     : static_cast<int>(k * 3 / n);
            const bool reversed = where.second == 3 || where.second == 4;
            indexOf[{ends[k].key, ends[k].head}] = reversed ? 3 - pos : pos + 1;
        }
    }

    // Middle runs keep apart from each other; labels from runs, labels and state names.
    std::vector<Rect> runs, taken;
    for (const auto& n : nodes)
        if (n->kind == Node::State)
            taken.push_back({n->rect.l, n->rect.t, n->rect.r, n->rect.t + 10});
    const auto clear = [](const std::vector<Rect>& placed, const Rect& r) {
        return std::none_of(placed.begin(), placed.end(),
                            [&](const Rect& t) { return overlaps(r, t); });
    };
    const auto freeAt = [&](const Rect& r) { return clear(runs, r) && clear(taken, r); };
    const auto runAt = [&](long m, bool vertical, long lo, long hi) {
        for (long k = 0; k < 16; ++k) {
            const long shift = (k + 1) / 2 * 8 * (k % 2 ? 1 : -1);
            const Rect r = vertical ? Rect{m + shift - 2, lo, m + shift + 3, hi + 1}
                                    : Rect{lo, m + shift - 2, hi + 1, m + shift + 3};
            if (clear(runs, r)) {
                runs.push_back(r);
                return m + shift;
            }
        }
        return m;
    };
    for (const Plan& p : plans) {
        const bool quarterFrom = p.from->kind == Node::State;
        const bool quarterTo = p.to->kind == Node::State;
        const auto a = anchorPoint(p.from->rect, quarterFrom, p.fromSide,
                                   quarterFrom ? indexOf[{p.key, true}] : 1);
        const auto b =
            anchorPoint(p.to->rect, quarterTo, p.toSide, quarterTo ? indexOf[{p.key, false}] : 1);
        const auto a1 = outwards(a, p.fromSide), b1 = outwards(b, p.toSide);
        Wire w;
        w.ends = std::to_string(a.first) + " " + std::to_string(a.second) + " " +
                 std::to_string(b.first) + " " + std::to_string(b.second);
        w.anchors = std::to_string(p.fromSide) + " " +
                    std::to_string(quarterFrom ? indexOf[{p.key, true}] : 1) + " " +
                    std::to_string(p.toSide) + " " +
                    std::to_string(quarterTo ? indexOf[{p.key, false}] : 1);
        const bool across = p.fromSide == 2 || p.fromSide == 4; // a vertical middle run
        std::pair<long, long> labelAt;
        if (p.from == p.to) {
            const long x = a.first + 20, y = b.second - 20;
            w.points = {a, a1, {x, a.second}, {x, y}, {b.first, y}, b1, b};
            labelAt = {x, y - 12};
        } else if (across) {
            long m = (a1.first + b1.first) / 2;
            if (p.fromSide == p.toSide) // round a border: outside both
                m = p.fromSide == 2 ? std::max(a1.first, b1.first) + 20
                                    : std::min(a1.first, b1.first) - 20;
            const long lo = std::min(a.second, b.second), hi = std::max(a.second, b.second);
            m = runAt(m, true, lo, hi);
            w.points = a.second == b.second && p.fromSide != p.toSide
                           ? std::vector<std::pair<long, long>>{a, a1, b1, b}
                           : std::vector<std::pair<long, long>>{
                                 a, a1, {m, a.second}, {m, b.second}, b1, b};
            labelAt = a.second == b.second
                          ? std::pair<long, long>{(a.first + b.first) / 2, a.second - 12}
                          : std::pair<long, long>{m + 4, (lo + hi) / 2 - 4};
        } else {
            long m = (a1.second + b1.second) / 2;
            const long lo = std::min(a.first, b.first), hi = std::max(a.first, b.first);
            m = runAt(m, false, lo, hi);
            w.points =
                a.first == b.first
                    ? std::vector<std::pair<long, long>>{a, a1, b1, b}
                    : std::vector<std::pair<long, long>>{a, a1, {a.first, m}, {b.first, m}, b1, b};
            labelAt = {std::min(a.first, b.first) + 6, m - 12};
        }
        if (p.edge) {
            const Edge& e = *p.edge;
            long width = static_cast<long>(e.labelEvent.size());
            width = std::max(width, static_cast<long>(e.labelGuard.size()) + 2);
            const long lines =
                1 + !e.labelGuard.empty() +
                static_cast<long>(std::count(e.effect.begin(), e.effect.end(), '\n')) +
                !e.effect.empty();
            const long lw = std::max(30L, width * 5), lh = lines * 8;
            // Near its run: the place computed, then further along the run on either side.
            Rect label{labelAt.first, labelAt.second, labelAt.first + lw, labelAt.second + lh};
            for (long step = 0; step < 40 && !freeAt(label); ++step) {
                const long along = (step / 2 + 1) * 8 * (step % 2 ? -1 : 1);
                Rect tried = label;
                if (across && !(a.second == b.second))
                    tried = {labelAt.first, labelAt.second + along, labelAt.first + lw,
                             labelAt.second + along + lh};
                else
                    tried = {labelAt.first + along, labelAt.second, labelAt.first + along + lw,
                             labelAt.second + lh};
                if (freeAt(tried)) {
                    label = tried;
                    break;
                }
                // The other side of a vertical run.
                if (across) {
                    tried.l -= lw + 8;
                    tried.r -= lw + 8;
                    if (freeAt(tried)) {
                        label = tried;
                        break;
                    }
                }
            }
            taken.push_back(label);
            w.label = label;
        }
        wires[p.key] = std::move(w);
    }
}

void Reader::write() {
    // Object ids: the drawing's where it kept them, new ones after them for the rest.
    long next = 100;
    for (const auto& n : nodes)
        next = std::max(next, n->id);
    for (const Edge& e : edges)
        next = std::max({next, e.id, e.labelId});
    std::vector<scxmllayout::Record> extras;
    if (layout && rootElement) {
        extras =
            scxmllayout::splitRecords("BEGIN DATA\n" + tv(rootElement, "records") + "END DATA\n");
        for (const auto& r : extras) {
            std::istringstream b(r.front());
            std::string w, t;
            long id = 0;
            b >> w >> t >> id;
            if (id <= cLargestKeptId)
                next = std::max(next, id);
        }
    }
    for (const auto& n : nodes)
        if (n->id <= 0)
            n->id = ++next;
    for (Edge& e : edges) {
        if (e.id <= 0)
            e.id = ++next;
        if (e.labelId <= 0)
            e.labelId = ++next;
    }
    if (!layout) {
        autoLayout();
        routeAll();
    }

    std::map<long, std::string> records;
    for (const auto& r : extras) {
        std::istringstream b(r.front());
        std::string w, t;
        long id = 0;
        b >> w >> t >> id;
        if (id <= cLargestKeptId) // a larger one could meet the ids numbered above
            records[id] = scxmllayout::joinRecord(r);
    }
    const auto centre = [](const Rect& r) {
        return std::pair<long, long>{(r.l + r.r) / 2, (r.t + r.b) / 2};
    };
    // One transition with its label; tv: attributes on `e` under `prefix` keep its drawing.
    const auto transition = [&](long id, const Node& from, const Node& to, const xmlNode* e,
                                const std::string& prefix, const void* key) {
        std::ostringstream out;
        std::string look = layout && e ? tv(e, prefix + "look") : "";
        out << "BEGIN Transition " << id << CRLF << id << ' ' << (look.empty() ? "40" : look)
            << CRLF;
        if (layout && e && hasAttr(e, (prefix + "route").c_str(), kTv.c_str())) {
            out << tv(e, prefix + "ends") << CRLF << from.id << ' ' << to.id << CRLF
                << tv(e, prefix + "nodes") << CRLF;
            std::string r = tv(e, prefix + "route");
            for (std::size_t pos = 0; pos <= r.size();) {
                auto end = r.find(", ", pos);
                if (end == std::string::npos)
                    end = r.size();
                out << r.substr(pos, end - pos) << ' ' << CRLF;
                pos = end + 2;
            }
            return out.str();
        }
        if (const auto w = wires.find(key); w != wires.end()) {
            out << w->second.ends << CRLF << from.id << ' ' << to.id << CRLF << w->second.anchors
                << CRLF;
            return out.str() + route(w->second.points);
        }
        std::vector<std::pair<long, long>> p;
        const long sx = from.rect.r, sy = centre(from.rect).second;
        if (&from == &to) {
            const long tx = centre(to.rect).first, ty = to.rect.t;
            p = {{sx, sy},      {sx + 1, sy}, {sx + 20, sy}, {sx + 20, ty - 20},
                 {tx, ty - 20}, {tx, ty - 1}, {tx, ty}};
            out << sx << ' ' << sy << ' ' << tx << ' ' << ty << CRLF;
            out << from.id << ' ' << to.id << CRLF << "2 1 1 1" << CRLF;
        } else {
            const long tx = to.rect.l, ty = centre(to.rect).second;
            const long mx = std::max(sx + 2, tx - 2);
            p = {{sx, sy}, {sx + 1, sy}, {mx, sy}, {mx, ty}, {tx - 1, ty}, {tx, ty}};
            if (sy == ty)
                p = {{sx, sy}, {sx + 1, sy}, {tx - 1, ty}, {tx, ty}};
            out << sx << ' ' << sy << ' ' << tx << ' ' << ty << CRLF;
            out << from.id << ' ' << to.id << CRLF << "2 1 4 1" << CRLF;
        }
        return out.str() + route(p);
    };

    for (const auto& n : nodes) {
        records[n->id] = stateRecord(*n);
        if (n->kind != Node::Initial)
            continue;
        Node* target = resolve(n->initialTarget);
        if (!target) {
            result.problems.push_back("the initial target '" + n->initialTarget + "' is no state");
            continue;
        }
        const xmlNode* te = n->transition;
        const std::string prefix = n->transitionPrefix;
        long tid = te && layout ? keptId(tv(te, prefix + "id")) : 0;
        if (tid <= 0 || records.count(tid))
            tid = ++next;
        records[tid] = transition(tid, *n, *target, te, prefix, n.get());
    }
    for (const Edge& e : edges) {
        Node* target = resolve(e.targetId);
        if (!target) {
            result.problems.push_back("line " + std::to_string(xmlGetLineNo(e.element)) +
                                      ": <transition>: the target '" + e.targetId +
                                      "' is no state");
            continue;
        }
        records[e.id] = transition(e.id, *e.source, *target, e.element, "", &e);
        std::ostringstream m;
        std::string look = layout ? tv(e.element, "label-look") : "";
        std::string rect = layout ? tv(e.element, "label-rect") : "";
        std::string colors = layout ? tv(e.element, "label-colors") : "";
        if (look.empty())
            look = "20 1";
        if (const auto w = wires.find(&e); rect.empty() && w != wires.end())
            rect = w->second.label.str();
        if (rect.empty()) {
            const auto [x, y] =
                centre(e.source == target ? Rect{e.source->rect.r, e.source->rect.t - 20,
                                                 e.source->rect.r + 20, e.source->rect.t - 20}
                                          : Rect{e.source->rect.r, centre(e.source->rect).second,
                                                 target->rect.l, centre(target->rect).second});
            const long w = std::max(30L, static_cast<long>(e.labelEvent.size()) * 6);
            rect = Rect{x - w / 2, y - 9, x + w / 2, y - 3}.str();
        }
        if (colors.empty())
            colors = "1 1 16777215 65280";
        std::istringstream lk(look);
        std::string z, shown;
        lk >> z >> shown;
        m << "BEGIN Mesg " << e.labelId << CRLF << e.labelId << ' ' << z << CRLF << rect << CRLF
          << shown << CRLF << colors << CRLF << e.id << CRLF << e.labelEvent << CRLF << e.labelGuard
          << CRLF;
        multi(m, e.effect);
        records[e.labelId] = m.str();
    }

    std::ostringstream file;
    file << "9999 4 1" << CRLF;
    const std::string zoom = layout && rootElement ? tv(rootElement, "zoom") : "";
    file << (zoom.empty() ? "6" : zoom) << CRLF << "BEGIN DATA" << CRLF;
    for (const auto& [id, text] : records)
        file << text;
    file << "END DATA" << CRLF;
    const std::string properties = layout && rootElement ? tv(rootElement, "properties") : "";
    if (!properties.empty()) {
        file << properties;
    } else {
        ModelProperties p;
        p.name = name.empty() ? "Untitled" : name;
        if (dataModel.rfind("cplusplus:", 0) == 0) {
            const std::string rest = dataModel.substr(10);
            const auto colon = rest.rfind(':');
            p.ctxNameCPP = rest.substr(0, colon);
            p.ctxFileCPP = colon == std::string::npos ? "" : rest.substr(colon + 1);
        }
        OutArchive ar(file);
        p.write(ar);
    }
    result.modelText = file.str();
}

} // namespace

Result importScxml(std::string_view document, bool lenient) {
    return Reader(lenient).run(document);
}

} // namespace scxmlimport
