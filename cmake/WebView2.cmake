# The WebView2 SDK for the Windows build, as scripts/install-deps.sh restored
# it: the pinned version is the one cmake/webview2/webview2.csproj names, in the
# NuGet packages folder outside the build tree. Without it the program still
# builds and shows, in place of pages, what is missing.
#   orvel_webview2: interface target with the SDK's header (and the shim its
#                   header needs with mingw-w64), defined when ORVEL_WEBVIEW2 is on
#   ORVEL_WEBVIEW2_LOADER: the x64 WebView2Loader.dll to ship beside the program

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/webview2/webview2.csproj webview2_line
    REGEX "\"Microsoft\\.Web\\.WebView2\" Version=")
string(REGEX REPLACE ".*Version=\"\\[([^]]+)\\]\".*" "\\1" ORVEL_WEBVIEW2_VERSION "${webview2_line}")

if(DEFINED ENV{ORVEL_NUGET_PACKAGES})
    set(nuget_default $ENV{ORVEL_NUGET_PACKAGES})
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(nuget_default $ENV{XDG_CACHE_HOME}/orvelbrowser/nuget)
else()
    set(nuget_default $ENV{HOME}/.cache/orvelbrowser/nuget)
endif()
set(ORVEL_NUGET_PACKAGES ${nuget_default} CACHE PATH
    "NuGet packages folder that scripts/install-deps.sh restored into")
set(webview2_root ${ORVEL_NUGET_PACKAGES}/microsoft.web.webview2/${ORVEL_WEBVIEW2_VERSION}/build/native)

# Looked up by exact path: the cross build's find root would hide the folder.
if(EXISTS ${webview2_root}/include/WebView2.h AND EXISTS ${webview2_root}/x64/WebView2Loader.dll)
    set(webview2_found ON)
else()
    set(webview2_found OFF)
endif()
option(ORVEL_WEBVIEW2 "Build the WebView2 adapter (needs the SDK restored by scripts/install-deps.sh)"
    ${webview2_found})

if(ORVEL_WEBVIEW2)
    if(NOT webview2_found)
        message(FATAL_ERROR "ORVEL_WEBVIEW2 is on, but the WebView2 SDK ${ORVEL_WEBVIEW2_VERSION} "
            "is not in ${ORVEL_NUGET_PACKAGES}: run scripts/install-deps.sh")
    endif()
    message(STATUS "WebView2 SDK ${ORVEL_WEBVIEW2_VERSION}: ${webview2_root}")
    add_library(orvel_webview2 INTERFACE)
    # A system include: the SDK's header is not ours to keep warning-free.
    target_include_directories(orvel_webview2 SYSTEM INTERFACE ${webview2_root}/include
        ${PROJECT_SOURCE_DIR}/components/win32/compat)
    target_link_libraries(orvel_webview2 INTERFACE ole32 uuid)
    # The runtime version the SDK was made for, which its options helper
    # (needing WRL, which mingw-w64 lacks) would name.
    file(STRINGS ${webview2_root}/include/WebView2EnvironmentOptions.h target_line
        REGEX "#define CORE_WEBVIEW_TARGET_PRODUCT_VERSION")
    string(REGEX REPLACE ".*L\"([^\"]+)\".*" "\\1" target_version "${target_line}")
    target_compile_definitions(orvel_webview2 INTERFACE
        "ORVEL_WEBVIEW2_TARGET_VERSION=L\"${target_version}\"")
    set(ORVEL_WEBVIEW2_LOADER ${webview2_root}/x64/WebView2Loader.dll)
else()
    message(STATUS "WebView2 SDK ${ORVEL_WEBVIEW2_VERSION} not used: the program shows that "
        "its web control is missing")
endif()
