# One list of the output guard. -DMODE=check compares the command-line output (sorted, and
# best first with --ranked) and the variant digest with the stored copies; -DMODE=refresh
# rewrites the stored copies.
# -DCLI=... -DGUARD=... -DAPI=... -DDATA=dir -DKEY=key -DLIST=list.tsv -DCOLUMN=n
# -DSTORED=path-without-extension -DWORK=dir
if(NOT EXISTS ${LIST})
    message(FATAL_ERROR "reference list missing: ${LIST}")
endif()
file(MAKE_DIRECTORY ${WORK})
set(input ${WORK}/input.txt)
set(output ${WORK}/output.txt)
set(variants ${WORK}/variants.txt)
set(ranked ${WORK}/ranked.txt)

execute_process(COMMAND ${GUARD} extract ${LIST} ${COLUMN} ${input} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot take column ${COLUMN} of ${LIST}")
endif()
execute_process(COMMAND ${CLI} --data ${DATA} -l ${KEY} -j1
                INPUT_FILE ${input} OUTPUT_FILE ${output} ERROR_VARIABLE errors
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "quillomorph-cli -l ${KEY} failed (${result}) on ${LIST}:\n${errors}")
endif()
execute_process(COMMAND ${CLI} --data ${DATA} -l ${KEY} --ranked
                INPUT_FILE ${input} OUTPUT_FILE ${ranked} ERROR_VARIABLE errors
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "quillomorph-cli -l ${KEY} --ranked failed (${result}) on ${LIST}:\n${errors}")
endif()
# The list four times over, shared among three threads, gives the same lines four times.
file(READ ${input} once)
file(WRITE ${WORK}/input4.txt "${once}${once}${once}${once}")
execute_process(COMMAND ${CLI} --data ${DATA} -l ${KEY} -j3
                INPUT_FILE ${WORK}/input4.txt OUTPUT_FILE ${WORK}/threads.txt
                ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "quillomorph-cli -l ${KEY} -j3 failed (${result}) on ${LIST}:\n${errors}")
endif()
file(READ ${output} answers)
file(WRITE ${WORK}/expected4.txt "${answers}${answers}${answers}${answers}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/threads.txt
                ${WORK}/expected4.txt RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "quillomorph-cli -j3 differs from -j1 on ${LIST}")
endif()
execute_process(COMMAND ${GUARD} variants ${DATA} ${KEY} ${input} ${variants}
                ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "qm-output-guard variants -l ${KEY} failed (${result}):\n${errors}")
endif()

execute_process(COMMAND ${API} ${DATA} ${KEY} ${input} ${WORK}/api.txt
                ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "qm-api-output ${KEY} failed (${result}) on ${LIST}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${output} ${WORK}/api.txt
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the library's API and quillomorph-cli differ on ${LIST}")
endif()

if(MODE STREQUAL "refresh")
    get_filename_component(stored_dir ${STORED} DIRECTORY)
    file(MAKE_DIRECTORY ${stored_dir})
    file(COPY_FILE ${output} ${STORED}.txt ONLY_IF_DIFFERENT)
    file(COPY_FILE ${variants} ${STORED}.variants ONLY_IF_DIFFERENT)
    file(COPY_FILE ${ranked} ${STORED}.ranked.txt ONLY_IF_DIFFERENT)
    return()
endif()

set(failures "")
foreach(pair "${output};${STORED}.txt" "${variants};${STORED}.variants"
             "${ranked};${STORED}.ranked.txt")
    list(GET pair 0 made)
    list(GET pair 1 stored)
    if(NOT EXISTS ${stored})
        string(APPEND failures "no stored copy ${stored}\n")
        continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${made} ${stored}
                    RESULT_VARIABLE different)
    if(different)
        set(shown "")
        find_program(DIFF diff)
        if(DIFF)
            execute_process(COMMAND ${DIFF} -u ${stored} ${made} OUTPUT_VARIABLE shown)
            string(LENGTH "${shown}" length)
            if(length GREATER 4000)
                string(SUBSTRING "${shown}" 0 4000 shown)
                string(APPEND shown "\n...")
            endif()
        endif()
        string(APPEND failures "${made} differs from ${stored}\n${shown}\n")
    endif()
endforeach()
if(NOT failures STREQUAL "")
    message(FATAL_ERROR "${failures}"
        "The output for ${LIST} (column ${COLUMN}) changed. If the language's rules changed on "
        "purpose, refresh the stored outputs: cmake --build <build> --target outputs-refresh")
endif()
