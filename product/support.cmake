# Support/Kvarto.mns, the product's partial menu, and one empty Bibliothek/<typ> folder for each
# library type of the sample database (the sample templates come with the library part).
set(bw_support_mns ${BW_PRODUCT_DIR}/Support/Kvarto.mns)
add_custom_command(
    OUTPUT ${bw_support_mns}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BW_PRODUCT_DIR}/Support
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/support/Kvarto.mns ${bw_support_mns}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/Kvarto.mns
    COMMENT "Copying the menu Support/Kvarto.mns"
    VERBATIM)
add_custom_target(product_support DEPENDS ${bw_support_mns})
add_dependencies(product product_support)

# The folder names are the "typ" column of Kvarto.sql.
foreach(typ Vorlagen Schriftfelder Nordpfeile Legenden)
    file(MAKE_DIRECTORY ${BW_PRODUCT_DIR}/Bibliothek/${typ})
endforeach()
