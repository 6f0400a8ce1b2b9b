# qm_folder(DIR [DEPENDENCY...]): the object library qm_DIR of the sources in DIR/, linked to
# the object libraries of the folders it builds on. Configuring fails when a source or header
# of DIR includes a header of a project folder that is not among them.
set(QM_FOLDER_TARGETS)
set(QM_ALL_FOLDERS platform core analysis rules engine facade)

function(qm_folder dir)
    set(allowed ${dir} ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    foreach(file IN LISTS sources headers)
        file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" used "${line}")
            if(used IN_LIST QM_ALL_FOLDERS AND NOT used IN_LIST allowed)
                message(FATAL_ERROR "${file} includes a header of ${used}/, "
                                    "which ${dir}/ does not build on (${ARGN})")
            endif()
        endforeach()
    endforeach()
    add_library(qm_${dir} OBJECT ${sources})
    target_include_directories(qm_${dir} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
    foreach(dependency IN LISTS ARGN)
        target_link_libraries(qm_${dir} PUBLIC qm_${dependency})
    endforeach()
    set(QM_FOLDER_TARGETS ${QM_FOLDER_TARGETS} qm_${dir} PARENT_SCOPE)
endfunction()
