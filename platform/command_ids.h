#pragma once
// Command ids of the editor's menus, toolbars, accelerators and the shapes' context menus, in
// one place. The numbers are fixed: string resources with the same ids carry each command's
// prompt and tooltip.

namespace cmd {

inline constexpr unsigned FileNew = 57600;
inline constexpr unsigned FileOpen = 57601;
inline constexpr unsigned FileClose = 57602;
inline constexpr unsigned FileSave = 57603;
inline constexpr unsigned FileSaveAs = 57604;
inline constexpr unsigned FilePrintSetup = 57606;
inline constexpr unsigned FilePrint = 57607;
inline constexpr unsigned FilePrintPreview = 57609;
inline constexpr unsigned FileMru1 = 57616; // up to FileMru1 + cMaxRecentFiles - 1
inline constexpr unsigned FileExport = 33000;
// Simulate mode: the chart runs on the drawing, read-only, until the command is given again.
inline constexpr unsigned SimulateMode = 33001;
inline constexpr unsigned SimulateReplay = 33002;
inline constexpr unsigned CheckChart = 33003;
// An SCXML document read into a new chart.
inline constexpr unsigned FileImport = 33004;
inline constexpr unsigned AppExit = 57665;
inline constexpr unsigned AppAbout = 57664;
inline constexpr unsigned CloseAll = 32866;

inline constexpr unsigned EditUndo = 57643;
inline constexpr unsigned EditRedo = 57644;
inline constexpr unsigned EditDelete = 32883;
inline constexpr unsigned BringToFront = 32884;
inline constexpr unsigned SendToBack = 32885;
inline constexpr unsigned EditCut = 57635;
inline constexpr unsigned EditCopy = 57634;
inline constexpr unsigned EditPaste = 57637;
inline constexpr unsigned CopyAsMetafile = 32871;
inline constexpr unsigned SelectAll = 57642;
inline constexpr unsigned FindReplace = 32859;
inline constexpr unsigned ModelProperties = 32847;
inline constexpr unsigned DefaultSettings = 32849;

inline constexpr unsigned InsertState = 32873;
inline constexpr unsigned NewTransition = 32874;
inline constexpr unsigned InsertInitialState = 32875;
inline constexpr unsigned InsertFinalState = 32876;
inline constexpr unsigned InsertNote = 32877;
inline constexpr unsigned InsertLine = 32878;
// Posted by the drawing toolbar once the mouse moved with a button held: drag the tool.
inline constexpr unsigned StartToolDrag = 32775;
// The chart's context menu inserts where it was opened.
inline constexpr unsigned InsertStateAt = 32799;
inline constexpr unsigned InsertInitialStateAt = 32800;
inline constexpr unsigned InsertFinalStateAt = 32801;
inline constexpr unsigned InsertTransitionAt = 32880;
inline constexpr unsigned InsertNoteAt = 32881;
inline constexpr unsigned InsertLineAt = 32882;

// Shapes' context menus; the shapes carry them out.
inline constexpr unsigned AddMessage = 32790;
inline constexpr unsigned DeleteTransition = 32791;
inline constexpr unsigned DeleteState = 32793;
inline constexpr unsigned EditEntryExit = 32794;
inline constexpr unsigned DeleteMesg = 32795;
inline constexpr unsigned EditMesg = 32796;
inline constexpr unsigned EditNote = 32825;
inline constexpr unsigned DeleteNote = 32827;
inline constexpr unsigned DeleteLine = 32828;
inline constexpr unsigned Properties = 32837;
inline constexpr unsigned DeleteMessage = 32838;
inline constexpr unsigned AlignMessage = 32839;
inline constexpr unsigned AlignMesg = 32840;
inline constexpr unsigned ShowAnchors = 32841;

inline constexpr unsigned Normal = 32817;
inline constexpr unsigned ZoomIn = 32818;
inline constexpr unsigned ZoomOut = 32819;
inline constexpr unsigned ZoomNormal = 32820;
inline constexpr unsigned Refresh = 32821;
inline constexpr unsigned ObjectBrowser = 32960;
inline constexpr unsigned ViewToolbar = 59392;
inline constexpr unsigned DrawingToolbar = 32867;
inline constexpr unsigned ChartBrowser = 32864;
inline constexpr unsigned ViewStatusBar = 59393;

inline constexpr unsigned CodeGenProperties = 32848;
inline constexpr unsigned GenerateCpp = 32886;
inline constexpr unsigned GenerateC = 32887;
inline constexpr unsigned GenerateCSharp = 32888;
inline constexpr unsigned GenerateJava = 32889;
inline constexpr unsigned GenerateXml = 32890;

inline constexpr unsigned WindowCascade = 57650;
inline constexpr unsigned WindowTile = 57651;
inline constexpr unsigned WindowArrange = 57649;

inline constexpr unsigned HelpUserGuide = 32850;
inline constexpr unsigned HelpTutorial = 32879;
inline constexpr unsigned HelpWeb = 32858;

inline constexpr int cMaxRecentFiles = 6;

} // namespace cmd
