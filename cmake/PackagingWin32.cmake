# The Windows program's packages, built with the program: a zip of the
# program and its loader DLL, and an installer made by Debian's makensis
# (cmake/win32/installer.nsi.in). Both land in the build tree's top folder.

find_program(MAKENSIS makensis REQUIRED)

set(package_name ${PROJECT_NAME}-${PROJECT_VERSION})
set(ORVEL_INSTALLER ${CMAKE_BINARY_DIR}/${package_name}-setup.exe)
set(ORVEL_ZIP ${CMAKE_BINARY_DIR}/${package_name}-win64.zip)

set(installer ${ORVEL_INSTALLER})
set(icon ${CMAKE_BINARY_DIR}/resources/win32/icons/app.ico)
set(program $<TARGET_FILE:orvelbrowser>)
set(package_files $<TARGET_FILE:orvelbrowser>)
if(ORVEL_WEBVIEW2)
    set(loader_file "File \"${ORVEL_WEBVIEW2_LOADER}\"")
    list(APPEND package_files ${ORVEL_WEBVIEW2_LOADER})
else()
    set(loader_file "; a build without WebView2 has no loader to ship")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/win32/installer.nsi.in ${CMAKE_BINARY_DIR}/installer.nsi.in @ONLY)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/installer.nsi INPUT ${CMAKE_BINARY_DIR}/installer.nsi.in)

add_custom_command(OUTPUT ${ORVEL_INSTALLER}
    COMMAND ${MAKENSIS} -V2 -NOCD ${CMAKE_BINARY_DIR}/installer.nsi
    DEPENDS orvelbrowser ${CMAKE_BINARY_DIR}/installer.nsi ${icon}
    COMMENT "Making the installer ${package_name}-setup.exe"
    VERBATIM)
# The zip holds one folder, named like the program, with what the installer installs.
set(zip_stage ${CMAKE_BINARY_DIR}/zip/${PROJECT_NAME})
add_custom_command(OUTPUT ${ORVEL_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${package_files} ${zip_stage}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
        ${CMAKE_COMMAND} -E tar cf ${ORVEL_ZIP} --format=zip ${PROJECT_NAME}
    DEPENDS orvelbrowser
    COMMENT "Making the zip ${package_name}-win64.zip"
    VERBATIM)
add_custom_target(orvel_packages_win32 ALL DEPENDS ${ORVEL_INSTALLER} ${ORVEL_ZIP})
