# Checks one catalog against the template: merged with it (so a message it
# lacks counts as untranslated, and one whose English changed as fuzzy),
# every message must be translated and none fuzzy, and msgfmt's checks of
# the header and of every format's arguments must pass.
#
#   cmake -DMSGFMT=... -DMSGMERGE=... -DCATALOG=LANG.po -DTEMPLATE=vegatrade.pot -DOUTPUT=merged.po -P check_catalog.cmake
execute_process(COMMAND ${MSGFMT} --check --check-format -o /dev/null ${CATALOG} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSGMERGE} --quiet -o ${OUTPUT} ${CATALOG} ${TEMPLATE} COMMAND_ERROR_IS_FATAL ANY)
# msgfmt's statistics read in English whatever the environment's language.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE= ${MSGFMT} --check --check-format --statistics -o /dev/null ${OUTPUT}
                ERROR_VARIABLE statistics RESULT_VARIABLE result)
message(STATUS "${CATALOG}: ${statistics}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "msgfmt finds faults in ${CATALOG}")
endif()
if(statistics MATCHES "fuzzy|untranslated")
  message(FATAL_ERROR "${CATALOG} does not translate every message of the template: ${statistics}")
endif()
