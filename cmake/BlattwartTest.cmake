# bw_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [E2E])
# Every test runs offscreen with its own settings, family key store and program folder, and never sees
# the user's home folder, /etc or the real session bus.
function(bw_add_test)
    cmake_parse_arguments(T "E2E" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    bw_test_environment(${T_NAME} "QT_QPA_PLATFORM=offscreen")
    if(NOT T_E2E)
        # No session bus unless the test starts its own.
        set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT
                     "DBUS_SESSION_BUS_ADDRESS=unix:path=${CMAKE_BINARY_DIR}/testhome/${T_NAME}/no-bus")
    endif()
endfunction()

# bw_add_desktop_test(NAME <name> SCRIPT <file.py>)
# Drives the real programs on a desktop of its own (tests/e2e/desktop.py: Xvfb, openbox, a private
# session bus with the accessibility bus, xdotool); the programs are the build's own.
function(bw_add_desktop_test)
    cmake_parse_arguments(T "" "NAME;SCRIPT" "" ${ARGN})
    add_test(NAME ${T_NAME} COMMAND /usr/bin/python3 -W ignore ${T_SCRIPT})
    bw_test_environment(${T_NAME} "PYTHONDONTWRITEBYTECODE=1")
    # Windows, focus and timing: one desktop at a time keeps them apart from the other tests' load.
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
endfunction()

# The folders and settings every test gets for itself.
function(bw_test_environment name)
    set(home ${CMAKE_BINARY_DIR}/testhome/${name})
    set(env
        ${ARGN}
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
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
    file(MAKE_DIRECTORY ${home}/config ${home}/run ${home}/machine)
endfunction()
