#include "ui/property_sheet.h"

#include <commctrl.h>

#include <vector>

namespace quillet {

namespace {

// What a page's lParam carries: the run and the page's entry.
struct PageBinding {
    SheetRun* run;
    const SheetPage* entry;
};

// Null until WM_INITDIALOG has stored the binding; the messages before it
// come from the dialog manager creating the controls.
const PageBinding* BindingOf(HWND page) {
    return reinterpret_cast<const PageBinding*>(GetWindowLongPtrA(page, DWLP_USER));
}

INT_PTR OnInitPage(HWND page, const PROPSHEETPAGEA& description) {
    const auto* binding = reinterpret_cast<const PageBinding*>(description.lParam);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(binding));
    SheetRun& run = *binding->run;
    if (run.frame == nullptr) run.frame = GetParent(page);
    if (binding->entry->handlers->load) {
        run.loading = true;
        binding->entry->handlers->load({page, run, *binding->entry});
        run.loading = false;
    }
    return binding->entry->focusFirstControl ? TRUE : FALSE;
}

INT_PTR OnNotify(HWND page, const PageBinding& binding, const NMHDR& header) {
    const PageHandlers& handlers = *binding.entry->handlers;
    const SheetPageCall call{page, *binding.run, *binding.entry};
    if (header.code == static_cast<UINT>(PSN_KILLACTIVE) && handlers.valid) {
        SetWindowLongPtrA(page, DWLP_MSGRESULT, handlers.valid(call) ? FALSE : TRUE);
        return TRUE;
    }
    if (header.code == static_cast<UINT>(PSN_APPLY)) {
        if (handlers.valid && !handlers.valid(call)) {
            SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
            return TRUE;
        }
        if (handlers.store) handlers.store(call);
        binding.run->applied = true;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    if (handlers.notify) handlers.notify(call, header);
    return FALSE;
}

INT_PTR CALLBACK SheetPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitPage(page, *reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
    const PageBinding* binding = BindingOf(page);
    if (binding == nullptr) return FALSE;
    const PageHandlers& handlers = *binding->entry->handlers;
    switch (message) {
    case WM_COMMAND:
        if (binding->run->loading || handlers.command == nullptr) return FALSE;
        handlers.command({page, *binding->run, *binding->entry}, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: return OnNotify(page, *binding, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam && handlers.scroll) handlers.scroll({page, *binding->run, *binding->entry}, reinterpret_cast<HWND>(lParam));
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void SheetPageCall::MarkChanged() const {
    if (!run.loading) PropSheet_Changed(run.frame, page);
}

void RunPropertySheet(const SheetHeader& header, const SheetPage* pages, size_t count, SheetRun& run) {
    std::vector<PageBinding> bindings(count);
    std::vector<PROPSHEETPAGEA> descriptions(count);
    for (size_t i = 0; i < count; ++i) {
        bindings[i] = {&run, &pages[i]};
        PROPSHEETPAGEA& d = descriptions[i];
        d.dwSize = sizeof d;
        d.dwFlags = pages[i].flags;  // the tab title is the template's caption
        d.hInstance = header.module;
        d.pszTemplate = MAKEINTRESOURCEA(pages[i].templateId);
        d.pfnDlgProc = SheetPageProc;
        d.lParam = reinterpret_cast<LPARAM>(&bindings[i]);
        if (d.dwFlags & PSP_USEHEADERTITLE) d.pszHeaderTitle = MAKEINTRESOURCEA(header.headerTitle);
        if (d.dwFlags & PSP_USEHEADERSUBTITLE) d.pszHeaderSubTitle = MAKEINTRESOURCEA(header.headerSubTitle);
    }
    PROPSHEETHEADERA h = {};
    h.dwSize = sizeof h;
    h.dwFlags = header.flags;
    h.hwndParent = header.owner;
    h.hInstance = header.module;
    h.pszCaption = header.captionText ? header.captionText : MAKEINTRESOURCEA(header.caption);
    h.nPages = static_cast<UINT>(count);
    h.nStartPage = header.startPage;
    h.ppsp = descriptions.data();
    run.frame = nullptr;
    run.loading = false;
    run.applied = false;
    run.result = PropertySheetA(&h);
}

}  // namespace quillet
