# The main window's frame: its controls, commands and toolbar images.
target_sources(bw_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmMain.h ${CMAKE_CURRENT_LIST_DIR}/frmMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmMainCommands.h ${CMAKE_CURRENT_LIST_DIR}/frmMainCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmMainIcons.h ${CMAKE_CURRENT_LIST_DIR}/frmMainIcons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icons/toolbar.qrc)

# Paints the bundled toolbar pictures (icons/*.png); run by hand after a change:
#   cmake --build build --target bw_iconpaint && QT_QPA_PLATFORM=offscreen build/bin/bw_iconpaint src/explorer/icons
add_executable(bw_iconpaint EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/icons/iconpaint.cpp)
target_link_libraries(bw_iconpaint PRIVATE Qt6::Gui)
