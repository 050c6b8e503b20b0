#include "editor/app/command_table.h"

#include "platform/command_ids.h"

using namespace cmd;

const std::vector<CommandInfo>& commandTable() {
    static const std::vector<CommandInfo> table = {
        {FileNew, "&New", {QKeySequence("Ctrl+N")}},
        {FileOpen, "&Open...", {QKeySequence("Ctrl+O")}},
        {FileImport, "&Import SCXML...", {}},
        {FileSave, "&Save", {QKeySequence("Ctrl+S")}},
        {FileSaveAs, "Save &As...", {}},
        {FileExport, "&Export...", {}},
        {FileClose, "&Close", {}},
        {CloseAll, "C&lose All", {}},
        {FilePrint, "&Print...", {QKeySequence("Ctrl+P")}},
        {FilePrintPreview, "Print Pre&view", {}},
        {FilePrintSetup, "P&rint Setup...", {}},
        {AppExit, "E&xit", {}},
        {EditUndo, "&Undo", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {EditRedo, "&Redo", {QKeySequence("Ctrl+Y")}},
        {EditDelete, "Delete", {QKeySequence("Ctrl+D")}},
        {BringToFront, "Bring to &front", {}},
        {SendToBack, "Send to &back", {}},
        {EditCut, "Cu&t", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {EditCopy, "&Copy", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {EditPaste, "&Paste", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {CopyAsMetafile, "Copy As &Metafile", {QKeySequence("Ctrl+M")}},
        {SelectAll, "Select &All", {QKeySequence("Ctrl+A")}},
        {FindReplace, "&Find / Replace", {QKeySequence("Ctrl+F"), QKeySequence("Space")}},
        {ModelProperties, "Model &Properties", {}},
        {DefaultSettings, "&Default Settings", {}},
        {InsertState, "&State", {}},
        {NewTransition, "Transition", {}},
        {InsertInitialState, "&Initial State", {}},
        {InsertFinalState, "&Final State", {}},
        {InsertNote, "&Note", {}},
        {InsertLine, "&Line", {}},
        {Normal, "Normal", {QKeySequence("Esc")}},
        {Refresh, "&Refresh", {QKeySequence("F5")}},
        {ZoomIn, "Zoom &In", {QKeySequence("F2")}},
        {ZoomNormal, "Zoom &Normal", {QKeySequence("F3")}},
        {ZoomOut, "Zoom &Out", {QKeySequence("F4")}},
        {ObjectBrowser, "Object Browser", {}},
        {ViewToolbar, "&Toolbar", {}},
        {DrawingToolbar, "Drawing Toolbar", {}},
        {ChartBrowser, "Chart Browser", {}},
        {ViewStatusBar, "&Status Bar", {}},
        {CodeGenProperties, "&Properties", {}},
        {GenerateCpp, "Generate C++ File", {}},
        {GenerateC, "Generate C File", {}},
        {GenerateCSharp, "Generate C# File", {}},
        {GenerateJava, "Generate Java File", {}},
        {GenerateXml, "Generate XML File", {}},
        {SimulateMode, "Si&mulate", {QKeySequence("F9")}},
        {SimulateReplay, "&Replay Trace...", {}},
        {CheckChart, "C&heck Chart", {QKeySequence("F7")}},
        {WindowCascade, "&Cascade", {}},
        {WindowTile, "&Tile", {}},
        {WindowArrange, "&Arrange Icons", {}},
        {HelpUserGuide, "User Guide (PDF)", {}},
        {HelpTutorial, "Tutorial (PDF)", {}},
        {HelpWeb, "Tavren on Web", {}},
        {AppAbout, "&About Tavren...", {}},
    };
    return table;
}

namespace {
const MenuInfo cHelpMenu = {"&Help", {HelpUserGuide, HelpTutorial, HelpWeb, 0, AppAbout}};
} // namespace

// FileMru1 stands for the whole recent-file group.
const std::vector<MenuInfo>& menuNoChart() {
    static const std::vector<MenuInfo> menus = {
        {"&File", {FileNew, FileOpen, FileImport, 0, FilePrintSetup, 0, FileMru1, 0, AppExit}},
        {"&Edit", {DefaultSettings}},
        {"&View", {ViewToolbar, DrawingToolbar, ChartBrowser, ViewStatusBar}},
        cHelpMenu,
    };
    return menus;
}

const std::vector<MenuInfo>& menuChart() {
    static const std::vector<MenuInfo> menus = {
        {"&File",
         {FileNew, FileOpen, FileImport, FileSave, FileSaveAs, FileExport, FileClose, CloseAll, 0,
          SimulateReplay, 0, FilePrint, FilePrintPreview, FilePrintSetup, 0, FileMru1, 0, AppExit}},
        {"&Edit",
         {EditUndo, EditRedo, 0, EditDelete, BringToFront, SendToBack, 0, EditCut, EditCopy,
          EditPaste, CopyAsMetafile, SelectAll, 0, FindReplace, 0, ModelProperties,
          DefaultSettings}},
        {"Insert", {InsertState, InsertInitialState, InsertFinalState, InsertNote, InsertLine}},
        {"&View",
         {Refresh, 0, ZoomIn, ZoomNormal, ZoomOut, 0, ObjectBrowser, ViewToolbar, DrawingToolbar,
          ChartBrowser, ViewStatusBar}},
        {"&CodeGen",
         {CodeGenProperties, CheckChart, 0, GenerateCpp, GenerateC, GenerateCSharp, GenerateJava,
          GenerateXml}},
        {"&Simulate", {SimulateMode, SimulateReplay}},
        {"&Window", {WindowCascade, WindowTile, WindowArrange}},
        cHelpMenu,
    };
    return menus;
}

const std::vector<unsigned>& standardToolbar() {
    static const std::vector<unsigned> buttons = {
        FileNew,
        FileOpen,
        FileSave,
        FilePrint,
        0,
        EditCut,
        EditCopy,
        EditPaste,
        CopyAsMetafile,
        FindReplace,
        0,
        EditUndo,
        EditRedo,
        0,
        ModelProperties,
        CodeGenProperties,
        DefaultSettings,
        0,
        Normal,
        Refresh,
        0,
        ZoomIn,
        ZoomNormal,
        ZoomOut,
        0,
        SimulateMode,
        0,
        AppAbout,
    };
    return buttons;
}

const std::vector<unsigned>& drawingToolbar() {
    static const std::vector<unsigned> buttons = {
        InsertState, NewTransition, InsertInitialState, InsertFinalState, InsertNote, InsertLine,
        0,           EditDelete,    BringToFront,       SendToBack,
    };
    return buttons;
}
