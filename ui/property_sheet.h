// The one way the program runs a property sheet or a wizard.
//
// A sheet is a table of SheetPage entries and a SheetHeader; RunPropertySheet
// fills PROPSHEETHEADER and PROPSHEETPAGE from them, runs the sheet modally
// and returns what the run came to. Every page gets the same page procedure,
// which follows one protocol:
//   - WM_INITDIALOG: `load` fills the controls from the page's record. The
//     run is marked loading meanwhile, and commands that arrive while it is
//     (an edit's EN_UPDATE from its own filling, an up-down setting its
//     buddy) or before it (the dialog manager creating the controls) are
//     dropped: loading never lights Apply.
//   - WM_COMMAND: `command` answers a user's change; it calls
//     SheetPageCall::MarkChanged for whatever counts as one.
//   - PSN_KILLACTIVE and PSN_APPLY ask `valid` first, when the page has it:
//     a page that says no (after telling the user why) keeps the focus, and
//     nothing of the sheet is stored.
//   - PSN_APPLY (Apply, OK, or Finish of a sheet): `store` puts the controls
//     back into the record, and the run is marked applied.
//   - other notifications (PSN_SETACTIVE, PSN_WIZNEXT, a list's
//     LVN_GETDISPINFO...) go to `notify` whole, scroll messages from
//     trackbars to `scroll`.
// Every handler may be null. A page that differs from its siblings only by
// ids and fields shares their handlers and carries its table in `table`.
//
// To add a sheet: write the page handlers over your record, list the pages
// in a SheetPage array, call RunPropertySheet, and act on `applied` (save,
// reload) once it returns.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstddef>

namespace quillet {

struct SheetRun;
struct SheetPageCall;

struct PageHandlers {
    void (*load)(const SheetPageCall& call) = nullptr;
    void (*command)(const SheetPageCall& call, int control, UINT code) = nullptr;
    void (*store)(const SheetPageCall& call) = nullptr;
    void (*notify)(const SheetPageCall& call, const NMHDR& header) = nullptr;
    void (*scroll)(const SheetPageCall& call, HWND control) = nullptr;
    bool (*valid)(const SheetPageCall& call) = nullptr;
};

struct SheetPage {
    WORD templateId;  // a dialog of the language module
    const PageHandlers* handlers;
    const void* table = nullptr;  // the page's own table, for shared handlers
    DWORD flags = PSP_DEFAULT;    // PSP_HIDEHEADER, PSP_USEHEADERTITLE... of wizard pages
    // False for pages that leave the focus where the sheet puts it
    // (WM_INITDIALOG answers FALSE).
    bool focusFirstControl = true;
};

// What every handler of a page is handed.
struct SheetPageCall {
    HWND page;
    SheetRun& run;
    const SheetPage& entry;

    // Lights Apply for this page, unless the page is loading.
    void MarkChanged() const;
    // The page's table, as the type its handlers know it by.
    template <typename Table>
    const Table& table() const {
        return *static_cast<const Table*>(entry.table);
    }
};

struct SheetHeader {
    HWND owner;
    HINSTANCE module;  // holds the page templates and the strings below
    UINT caption;      // string id
    DWORD flags = PSH_PROPSHEETPAGE;
    UINT startPage = 0;
    // Wizard pages with PSP_USEHEADERTITLE / PSP_USEHEADERSUBTITLE.
    UINT headerTitle = 0;
    UINT headerSubTitle = 0;
    const char* captionText = nullptr;  // used instead of `caption` when set
};

// The state of one run, shared by its pages.
struct SheetRun {
    HWND frame = nullptr;    // the sheet window, once its first page exists
    bool loading = false;    // a page is filling its controls
    bool applied = false;    // a page stored its controls during this run
    void* context = nullptr; // the caller's own state for this run, if any
    INT_PTR result = 0;      // what PropertySheet returned (negative: failed)
};

// Runs the sheet modally over `pages` and returns once it has closed; `run`
// holds what the run came to. `run.context` is passed through untouched.
void RunPropertySheet(const SheetHeader& header, const SheetPage* pages, size_t count, SheetRun& run);

template <size_t N>
void RunPropertySheet(const SheetHeader& header, const SheetPage (&pages)[N], SheetRun& run) {
    RunPropertySheet(header, pages, N, run);
}

}  // namespace quillet
