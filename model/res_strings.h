#pragma once
// The editor's string resources: built-in English texts looked up by id, which a language
// module may override. The headless library carries no string resources, so every lookup
// there answers "-MISSING-".

#include <functional>
#include <optional>
#include <string>

// Ids fixed by the chart format and the editor's menus and dialogs.
inline constexpr unsigned IDS_DOC_TEMPLATE = 129;
inline constexpr unsigned IDS_CODEGEN_PROPERTIES = 171;
inline constexpr unsigned IDS_PROMPT_SHOW_ANCHORS = 32841;
inline constexpr unsigned IDS_PROMPT_CHART_BROWSER = 32864;
inline constexpr unsigned IDS_PROMPT_CLOSE_ALL = 32866;
inline constexpr unsigned IDS_CLIPBOARD_ERROR = 32895;
inline constexpr unsigned IDS_ENTRY = 32897;
inline constexpr unsigned IDS_EXIT = 32898;
inline constexpr unsigned IDS_ON_EVENT = 32911;
inline constexpr unsigned IDS_NOTE = 32934;
inline constexpr unsigned IDS_NOTE_PROPERTIES = 32935;
inline constexpr unsigned IDS_UNTITLED = 32952;
inline constexpr unsigned IDS_PROMPT_OBJECT_BROWSER = 32960;

// Strings known only by their text; our own ids, kept apart from the fixed ones above so a
// language module can still supply them.
inline constexpr unsigned IDS_APP_TITLE = 50001;
inline constexpr unsigned IDS_STATE_NAME = 50002;
inline constexpr unsigned IDS_VERSION = 50003;
inline constexpr unsigned IDS_MAIN_MENU = 50004;
inline constexpr unsigned IDS_OBJECT_BROWSER = 50005;
inline constexpr unsigned IDS_EDITOR = 50006;
inline constexpr unsigned IDS_ENTRY_EXIT_EDITOR = 50007;
inline constexpr unsigned IDS_MESSAGE_PROPERTIES = 50008;
inline constexpr unsigned IDS_FIND_COLUMN_OBJECT = 50009;
inline constexpr unsigned IDS_FIND_COLUMN_DETAIL = 50010;
inline constexpr unsigned IDS_CPP_GENERATION = 50011;
inline constexpr unsigned IDS_C_GENERATION = 50012;
inline constexpr unsigned IDS_CSHARP_GENERATION = 50013;
inline constexpr unsigned IDS_JAVA_GENERATION = 50014;
inline constexpr unsigned IDS_XML_GENERATION = 50015;
inline constexpr unsigned IDS_PROMPT_EXPORT_WMF = 50016;

// Message box texts.
inline constexpr unsigned IDS_COMMAND_FAILED = 50101;
inline constexpr unsigned IDS_UNKNOWN_ERROR = 50102;
inline constexpr unsigned IDS_OPEN_FOR_WRITING_FAILED = 50103;
inline constexpr unsigned IDS_CONFIRM_DELETE = 50104;
inline constexpr unsigned IDS_CONFIRM_DELETE_LINE = 50105;
inline constexpr unsigned IDS_CONFIRM_DELETE_SELECTION = 50106;
inline constexpr unsigned IDS_ROUTE_UNRECOVERABLE = 50107;
inline constexpr unsigned IDS_PASTE_MISSING_DEPENDENTS = 50108;
inline constexpr unsigned IDS_METAFILE_COPIED = 50109;
inline constexpr unsigned IDS_EVENT_EMPTY = 50110;
inline constexpr unsigned IDS_ENTER_SEARCH_STRING = 50111;
inline constexpr unsigned IDS_SAVE_BEFORE_GENERATE = 50112;
inline constexpr unsigned IDS_EMPTY_MODEL = 50113;
inline constexpr unsigned IDS_HELP_NOT_FOUND = 50114;
inline constexpr unsigned IDS_NO_HELP_VIEWER = 50115;
inline constexpr unsigned IDS_NO_WEB_BROWSER = 50116;
inline constexpr unsigned IDS_LANGUAGE_UNREADABLE = 50117;
inline constexpr unsigned IDS_LANGUAGE_UNSUPPORTED = 50118;
inline constexpr unsigned IDS_LANGUAGE_LOAD_FAILED_BEFORE = 50119; // + module file name
inline constexpr unsigned IDS_LANGUAGE_LOAD_FAILED_AFTER = 50120;
inline constexpr unsigned IDS_CORRUPTED_INSTALLATION = 50121;
inline constexpr unsigned IDS_INIT_ERROR = 50122;

// The editor application's bars, panes, dialogs and prompts.
inline constexpr unsigned IDS_CHART_BROWSER = 50201;
inline constexpr unsigned IDS_TOOLBAR = 50202;
inline constexpr unsigned IDS_DRAWING_TOOLBAR = 50203;
inline constexpr unsigned IDS_ASK_TO_SAVE = 50204; // "%1" is the document title
inline constexpr unsigned IDS_PRINT_SETUP = 50205;
inline constexpr unsigned IDS_PRINT_TO_FIT = 50206;
inline constexpr unsigned IDS_PRINTER_SETUP_BUTTON = 50207;
inline constexpr unsigned IDS_EXPORT_TITLE = 50208;
inline constexpr unsigned IDS_EXPORT_FILTER = 50209;
inline constexpr unsigned IDS_IDLE_MESSAGE = 57345;
inline constexpr unsigned IDS_INDICATOR_CAPS = 59137;
inline constexpr unsigned IDS_INDICATOR_NUM = 59138;
inline constexpr unsigned IDS_INDICATOR_SCRL = 59139;

// The text of string resource id: the language source's answer when it has one, else the
// built-in English text, else "-MISSING-". Always "-MISSING-" in the headless library.
std::string LoadResString(unsigned id);

// Installs the strings of a language module, asked before the built-in table; an empty
// function restores English.
void setResourceStringSource(std::function<std::optional<std::string>(unsigned)> source);
