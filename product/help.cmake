# Help/Kvarto.chm: compiled HTML help, built with chmcmd (Debian fp-utils) from the pages in help/.
find_program(BW_CHMCMD chmcmd REQUIRED)
set(bw_help_sources
    Kvarto.hhp Kvarto.hhc Kvarto.hhk hilfe.css kvarto.png
    Kvarto_1.htm Kvarto_17.htm Kvarto_32.htm)
set(bw_help_stage ${CMAKE_CURRENT_BINARY_DIR}/help)
set(bw_help_chm ${BW_PRODUCT_DIR}/Help/Kvarto.chm)
set(bw_help_copies)
foreach(f ${bw_help_sources})
    list(APPEND bw_help_copies COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/help/${f} ${bw_help_stage}/${f})
    list(APPEND bw_help_depends ${CMAKE_CURRENT_SOURCE_DIR}/help/${f})
endforeach()
add_custom_command(
    OUTPUT ${bw_help_chm}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${bw_help_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bw_help_stage} ${BW_PRODUCT_DIR}/Help
    ${bw_help_copies}
    COMMAND ${CMAKE_COMMAND} -E chdir ${bw_help_stage} ${BW_CHMCMD} --no-html-scan --verbosity 0 Kvarto.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${bw_help_stage}/Kvarto.chm ${bw_help_chm}
    DEPENDS ${bw_help_depends}
    COMMENT "Compiling the help file Help/Kvarto.chm"
    VERBATIM)
add_custom_target(product_help DEPENDS ${bw_help_chm})
add_dependencies(product product_help)
