// The front end's own preferences: the preferences sheet (command 1049) and
// the first-start wizard; the about box (command 1070) and the link controls
// it shows.
#pragma once

#include <windows.h>

namespace quillet {

// Modal sheet with page 10000 (emulator path, icons, language). Apply
// stores EnableIcons, MameName (with MameDir and MameCfg) and Lang, and
// saves the settings.
void ShowPreferencesSheet(HWND owner, int startPage);

// Wizard97 sheet with pages 13000, 13010 and 13020. Next on the emulator
// page takes over its path; Finish sets Version to kSettingsVersion and
// saves. Cancel leaves every setting as it was before the wizard.
void RunFirstStartWizard(HWND owner);

// Registers the window classes WEBLINK and MAILLINK, superclasses of
// "Static" usable from any dialog template. A web link opens its text (the
// first 39 characters) with the shell; a mail link opens "mailto:" and its
// text. Both paint their text in blue, underlined. Templates must give them
// SS_NOTIFY, or clicks go through to the dialog.
void RegisterLinkClasses();
LRESULT CALLBACK WebLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MailLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Dialog 13100 of the language module, modal over `owner`.
void ShowAboutBox(HWND owner);
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet
