#include "filters/distinct_values.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>

#include "base/report.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

// Each buffer holds the longest value its column can store, with the
// terminator: Manufacturer is CHAR(100); a palette size is an integer
// ("-2147483648" at the extreme); Resolution is CHAR(10), "1280x1024"
// included; Frequency is a byte, up to "255". A longer value (the driver
// stores more than the declared width) arrives cut, like any bound text.
char ManufacturerValue[101];
char PaletteValue[12];
char ResolutionValue[11];
char FrequencyValue[4];

struct Lookup {
    const char* sql;
    char* buffer;
    SQLLEN size;
    int combos[3];  // 0 ends a shorter list
    size_t longest;  // the longest value listed
};

template <size_t N>
constexpr size_t Fits(const char (FilterSettings::*)[N]) {
    return N - 1;
}

// Adds every value the statement returns to each combo box of the lookup.
// A failed allocation or execution is reported; a fetch that fails part-way
// (a NULL, which the binding without an indicator cannot take) ends the list
// quietly with what it holds.
void FillDistinctValues(HWND page, const Lookup& lookup) {
    SQLHSTMT statement = nullptr;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) {
        ReportMessage(page, MessageSourceModule, MSG_ODBC_STATEMENT);
        return;
    }
    HWND combos[3] = {};
    for (int i = 0; i < 3 && lookup.combos[i]; ++i) combos[i] = GetDlgItem(page, lookup.combos[i]);
    if (Succeeded(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(lookup.sql)), SQL_NTS))) {
        SQLBindCol(statement, 1, SQL_C_CHAR, lookup.buffer, lookup.size, nullptr);
        for (;;) {
            lookup.buffer[0] = '\0';
            if (!Succeeded(SQLFetch(statement))) break;
            if (std::strlen(lookup.buffer) > lookup.longest) continue;
            for (HWND combo : combos)
                if (combo) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lookup.buffer));
        }
    } else {
        ReportMessage(page, MessageSourceModule, MSG_ODBC_EXECUTE);
    }
    SQLFreeStmt(statement, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

}  // namespace

void FillManufacturerList(HWND page) {
    FillDistinctValues(page, {"SELECT DISTINCT Manufacturer FROM Main", ManufacturerValue, sizeof ManufacturerValue,
                              {IDC_FILTER_MAKER_LIST, 0, 0}, sizeof ManufacturerValue - 1});
}

void FillPaletteLists(HWND page) {
    FillDistinctValues(page, {"SELECT DISTINCT Palette FROM Main", PaletteValue, sizeof PaletteValue,
                              {IDC_FILTER_PALETTE_ONLY, IDC_FILTER_PALETTE_FROM, IDC_FILTER_PALETTE_TO},
                              Fits(&FilterSettings::FilPaletteOnly)});
}

void FillResolutionLists(HWND page) {
    FillDistinctValues(page, {"SELECT DISTINCT Resolution FROM Main", ResolutionValue, sizeof ResolutionValue,
                              {IDC_FILTER_RESO_ONLY, IDC_FILTER_RESO_FROM, IDC_FILTER_RESO_TO},
                              Fits(&FilterSettings::FilResoOnly)});
}

void FillFrequencyLists(HWND page) {
    FillDistinctValues(page, {"SELECT DISTINCT Frequency FROM Main", FrequencyValue, sizeof FrequencyValue,
                              {IDC_FILTER_FREQ_ONLY, IDC_FILTER_FREQ_FROM, IDC_FILTER_FREQ_TO},
                              Fits(&FilterSettings::FilFreqOnly)});
}

}  // namespace quillet
