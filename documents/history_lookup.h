// Where the documents are (MAME's folder, then ui.ini's historypath) and
// today's history.xml, looked up through its index in the catalogue.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillet {

// MAME's folder, then the folders of ui.ini's historypath (default
// "history;dats;.", relative to MAME's folder), each once.
std::vector<std::string> DocumentFolders();
// The first `fileName` along DocumentFolders(), or "".
std::string FindDocumentFile(const char* fileName);

// `name`'s entry of the history.xml at `path`, decoded, for a Unicode edit
// control (CR LF line ends). The file is indexed into the catalogue once
// per version (under the progress dialog, owned by `owner`); a damaged file
// is reported once per version and its entries before the damage are used.
// Results as LoadGameHistoryText: kDocumentFound, kDocumentNoEntry,
// kDocumentReported (the file could not be read; the reason was shown).
int LoadHistoryXmlText(HWND owner, const std::string& path, const char* name, std::wstring& text);

}  // namespace quillet
