# Kvarto.mdb: the definition database, an SQLite file built from Kvarto.sql.
find_program(BW_SQLITE3 sqlite3 REQUIRED)
set(bw_defdb ${BW_PRODUCT_DIR}/Kvarto.mdb)
add_custom_command(
    OUTPUT ${bw_defdb}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BW_PRODUCT_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${bw_defdb}.tmp
    COMMAND ${BW_SQLITE3} -bail ${bw_defdb}.tmp ".read ${CMAKE_CURRENT_SOURCE_DIR}/Kvarto.sql"
    COMMAND ${CMAKE_COMMAND} -E rename ${bw_defdb}.tmp ${bw_defdb}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Kvarto.sql
    COMMENT "Building the definition database Kvarto.mdb"
    VERBATIM)
add_custom_target(product_database DEPENDS ${bw_defdb})
add_dependencies(product product_database)
