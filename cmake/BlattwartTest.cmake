# bw_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [E2E])
# Every test runs offscreen with its own settings, family key store and program folder, and never sees
# the user's home folder, /etc or the real session bus.
function(bw_add_test)
    cmake_parse_arguments(T "E2E" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    set(home ${CMAKE_BINARY_DIR}/testhome/${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(env
        "QT_QPA_PLATFORM=offscreen"
        "HOME=${home}"
        "XDG_CONFIG_HOME=${home}/config"
        "XDG_DATA_HOME=${home}/data"
        "XDG_CACHE_HOME=${home}/cache"
        "XDG_RUNTIME_DIR=${home}/run"
        "KVARTO_MACHINE_CONFIG_DIR=${home}/machine"
        "KVARTO_PROGRAM_DIR=${BW_PRODUCT_DIR}"
        "CADHOST_PROFILE=${home}/cadhost-profile.ini"
        "BW_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
        "BW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    if(NOT T_E2E)
        # No session bus unless the test starts its own.
        list(APPEND env "DBUS_SESSION_BUS_ADDRESS=unix:path=${home}/no-bus")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
    file(MAKE_DIRECTORY ${home}/config ${home}/run ${home}/machine)
endfunction()
