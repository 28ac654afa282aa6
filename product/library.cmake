# The sample template library, Bibliothek/Vorlagen: written at build time by the CAD host's own DXF
# writer from library/Vorlagen.json.
add_executable(bw_make_library ${CMAKE_CURRENT_SOURCE_DIR}/library/MakeLibrary.cpp)
target_link_libraries(bw_make_library PRIVATE cad_dxf)
# A build tool, not part of the product folder.
set_target_properties(bw_make_library PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(bw_library_description ${CMAKE_CURRENT_SOURCE_DIR}/library/Vorlagen.json)
set(bw_library_dir ${BW_PRODUCT_DIR}/Bibliothek/Vorlagen)
set(bw_library_files
    "A3 quer.dwt" "A1 Lageplan.dwt" "A4 hoch.dwt" "Bestand EG.dwg" "Detailblatt.dwg"
    "Kvarto Standards.dws" "Bestand EG.dwf")
list(TRANSFORM bw_library_files PREPEND ${bw_library_dir}/ OUTPUT_VARIABLE bw_library_outputs)
add_custom_command(OUTPUT ${bw_library_outputs}
    COMMAND bw_make_library ${bw_library_description} ${bw_library_dir}
    DEPENDS bw_make_library ${bw_library_description}
    COMMENT "Beispielbibliothek Bibliothek/Vorlagen"
    VERBATIM)
add_custom_target(library_samples DEPENDS ${bw_library_outputs})
add_dependencies(product library_samples)
