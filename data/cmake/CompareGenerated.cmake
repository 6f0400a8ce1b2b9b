# Regenerates every language into WORK and compares the result with the shipped files in DATA.
# -DGENERATOR=... -DSOURCE=data/src -DDATA=data -DWORK=scratch folder
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${SOURCE} ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed on the sources in ${SOURCE}")
endif()
file(GLOB generated RELATIVE ${WORK} ${WORK}/*)
set(stale)
foreach(name IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${DATA}/${name}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND stale ${name})
    endif()
endforeach()
if(stale)
    string(REPLACE ";" " " stale "${stale}")
    message(FATAL_ERROR "shipped files differ from their sources: ${stale}\n"
                        "run: cmake --build build --target data-regenerate")
endif()
list(LENGTH generated count)
message(STATUS "${count} files match their sources")
