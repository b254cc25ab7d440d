# QTestLite: QtTest's stand-in for the Windows build (see QTestLite.h).
# orvel_add_qtestlite_test(name kind SOURCES ... LIBRARIES ...) builds a test
# like orvel_add_test does; instead of moc, each source is scanned for its test
# classes (": public QObject") and their slots ("    void name()" under a
# "Q_SLOTS:" label, as clang-format lays them out), and "<source>.moc" is
# generated to register them. Editing a source re-runs the scan.

set(ORVEL_QTESTLITE_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(orvel_qtestlite STATIC
    ${ORVEL_QTESTLITE_DIR}/QTestLite.h ${ORVEL_QTESTLITE_DIR}/QTestLite.cpp)
target_include_directories(orvel_qtestlite PUBLIC
    ${ORVEL_QTESTLITE_DIR} ${ORVEL_QTESTLITE_DIR}/include)
target_compile_features(orvel_qtestlite PUBLIC cxx_std_20)
orvel_strict_warnings(orvel_qtestlite)

function(_orvel_qtestlite_registration source output)
    file(READ ${source} text)
    # One list element per line; brackets and semicolons would upset CMake lists.
    string(REPLACE "[" "<" text "${text}")
    string(REPLACE "]" ">" text "${text}")
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "\n" ";" lines "${text}")

    set(code "// Generated from ${source}: the test classes' slots, registered for QTestLite.\n")
    set(class "")
    set(in_slots FALSE)
    set(slots "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^class ([A-Za-z_][A-Za-z_0-9]*) : public QObject")
            set(class ${CMAKE_MATCH_1})
            set(slots "")
            set(in_slots FALSE)
        elseif(class AND line MATCHES "^(public|protected|private) Q_SLOTS:")
            set(in_slots TRUE)
        elseif(class AND line MATCHES "^(public|protected|private):")
            set(in_slots FALSE)
        elseif(class AND in_slots AND line MATCHES "^    void ([A-Za-z_][A-Za-z_0-9]*)\\(\\)")
            list(APPEND slots ${CMAKE_MATCH_1})
        elseif(class AND line MATCHES "^},")  # "};" with its semicolon replaced
            string(APPEND code "template <> struct QTestLite::Access<${class}>\n{\n")
            string(APPEND code "    static bool add()\n    {\n")
            string(APPEND code "        const std::type_index type(typeid(${class}));\n")
            string(APPEND code "        QTestLite::addClass(type, \"${class}\");\n")
            foreach(slot IN LISTS slots)
                if(slot MATCHES "_data$")
                    continue()
                endif()
                set(call "[](QObject &o) { static_cast<${class} &>(o).${slot}(); }")
                set(data "nullptr")
                if("${slot}_data" IN_LIST slots)
                    set(data "[](QObject &o) { static_cast<${class} &>(o).${slot}_data(); }")
                endif()
                string(APPEND code "        QTestLite::addFunction(type, \"${slot}\", ${call}, ${data});\n")
            endforeach()
            string(APPEND code "        return true;\n    }\n};\n")
            string(APPEND code "static const bool qtestliteRegistered${class} = QTestLite::Access<${class}>::add();\n")
            set(class "")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "${code}" @ONLY)
endfunction()

function(orvel_add_qtestlite_test name kind)
    cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name}_qtestlite)
    foreach(source IN LISTS T_SOURCES)
        get_filename_component(path ${source} ABSOLUTE)
        get_filename_component(stem ${source} NAME_WE)
        _orvel_qtestlite_registration(${path} ${generated}/${stem}.moc)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    endforeach()
    add_executable(${name} ${T_SOURCES})
    target_include_directories(${name} PRIVATE ${generated})
    target_link_libraries(${name} PRIVATE orvel_qtestlite ${T_LIBRARIES})
    orvel_strict_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 180 LABELS ${kind})
endfunction()
