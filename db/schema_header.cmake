# Writes db/schema.sql as a C++ header (kCatalogueSchema), so the program
# creates new catalogues from the same text the build's catalogue files come
# from. Run by CMake: cmake -DIN=schema.sql -DOUT=schema_sql.h -P this file.
file(READ ${IN} schema)
string(FIND "${schema}" ")schema\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${IN} holds the raw string's end marker")
endif()
file(WRITE ${OUT}.part "// Generated from db/schema.sql at build time; edit that file instead.\n#pragma once\n\nnamespace quillet {\n\ninline constexpr char kCatalogueSchema[] = R\"schema(${schema})schema\";\n\n}  // namespace quillet\n")
file(RENAME ${OUT}.part ${OUT})
