# The product folder in the Debian package: share/blattwart (architecture-independent data, read by
# every user; see packaging/CMakeLists.txt).
set(bw_product_install share/blattwart)
install(FILES ${bw_defdb} ${BW_PRODUCT_DIR}/Kvarto.dvb DESTINATION ${bw_product_install})
install(FILES ${bw_help_chm} DESTINATION ${bw_product_install}/Help)
install(FILES ${bw_support_mns} DESTINATION ${bw_product_install}/Support)
install(FILES ${bw_library_outputs} DESTINATION ${bw_product_install}/Bibliothek/Vorlagen)
foreach(typ Schriftfelder Nordpfeile Legenden)
    install(DIRECTORY DESTINATION ${bw_product_install}/Bibliothek/${typ})
endforeach()
