# The product's macro project, Kvarto.dvb in the product folder.
add_custom_command(
    OUTPUT ${BW_PRODUCT_DIR}/Kvarto.dvb
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/Kvarto.dvb ${BW_PRODUCT_DIR}/Kvarto.dvb
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Kvarto.dvb
    COMMENT "Macro project Kvarto.dvb")
add_custom_target(product_macros DEPENDS ${BW_PRODUCT_DIR}/Kvarto.dvb)
add_dependencies(product product_macros)
