# Rebuilds the spelling model from the hunspell-ru dictionary and compares it with the shipped
# one. Without the dictionary (Debian's hunspell-ru) the test is skipped.
# -DGENERATOR=... -DDICTIONARY=/usr/share/hunspell/ru_RU -DMODEL=data/russian.model -DWORK=dir
if(NOT EXISTS ${DICTIONARY}.dic OR NOT EXISTS ${DICTIONARY}.aff)
    message(STATUS "dictionary absent: ${DICTIONARY}.dic (install hunspell-ru)")
    return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${DICTIONARY}.dic ${DICTIONARY}.aff ${WORK}/russian.model
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "quillomorph-modelgen failed on ${DICTIONARY}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/russian.model ${MODEL}
                RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${MODEL} is not what ${DICTIONARY}.dic gives; "
                        "run: cmake --build build --target data-model")
endif()
message(STATUS "russian.model matches ${DICTIONARY}.dic")
