// Bringing a catalogue made before the newer columns and tables up to date,
// in place, when it is connected.
#pragma once

namespace quillet {

// Adds what the catalogue lacks: main.ismechanical and the tables
// usergames, historyfile and historyindex (as db/schema.sql defines them),
// each detected through the driver's catalogue functions. A catalogue that
// cannot be changed (a read-only file) stays as it is; the features that
// need the missing parts then find nothing.
void UpgradeCatalogue();

// Whether the connected catalogue has `table`, and `column` in it.
bool CatalogueHasTable(const char* table);
bool CatalogueHasColumn(const char* table, const char* column);

}  // namespace quillet
