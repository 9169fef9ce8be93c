# Makes the message template from the sources into OUTPUT, with xgettext, and
# compares it with the committed po/vegatrade.pot, leaving out the line of
# the header that says when it was made. MODE=update writes the new template
# over the committed one when they differ; MODE=check fails when they differ.
# Both fail when a message has no comment for its translator.
#
#   cmake -DXGETTEXT=... -DSOURCE_DIR=... -DOUTPUT=... -DMODE=update|check -P template.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
list(SORT sources)
execute_process(COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword=_ --keyword=N_ --keyword=P_:1,2
                        --add-comments=TRANSLATORS: --sort-by-file --add-location=file
                        --package-name=vegatrade "--copyright-holder=The vegatrade developers"
                        -o ${OUTPUT} ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result COMMAND_ERROR_IS_FATAL ANY)

# The header's first line names the game instead of xgettext's placeholder.
file(READ ${OUTPUT} made)
string(REPLACE "# SOME DESCRIPTIVE TITLE." "# The messages of vegatrade, a space-trading game for the terminal." made
       "${made}")
file(WRITE ${OUTPUT} "${made}")

# Every message tells its translator where it shows, what its %s and %d
# stand for and how many columns it may take: a "// TRANSLATORS:" comment
# right above it in the sources, which xgettext keeps as a "#." line.
file(STRINGS ${OUTPUT} lines)
set(commented FALSE)
set(header TRUE)
set(location "")
set(bare "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#\\. ")
    set(commented TRUE)
  elseif(line MATCHES "^#: ")
    set(location "${line}")
  elseif(line MATCHES "^msgid ")
    if(NOT header AND NOT commented)
      string(APPEND bare "\n  ${location}\n  ${line}")
    endif()
    set(header FALSE)
    set(commented FALSE)
  endif()
endforeach()
if(NOT bare STREQUAL "")
  message(FATAL_ERROR "messages without a translator's comment (add a \"// TRANSLATORS:\" comment right above each "
                      "in the sources):${bare}")
endif()

set(committed ${SOURCE_DIR}/po/vegatrade.pot)
set(kept "")
if(EXISTS ${committed})
  file(READ ${committed} kept)
endif()
string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" made_undated "${made}")
string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" kept_undated "${kept}")
if(made_undated STREQUAL kept_undated)
  message(STATUS "po/vegatrade.pot holds the messages of the sources")
elseif(MODE STREQUAL "update")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${OUTPUT} ${committed} COMMAND_ERROR_IS_FATAL ANY)
  message(STATUS "po/vegatrade.pot made anew; merge it into the catalogs with the target update-po")
else()
  execute_process(COMMAND diff -u ${committed} ${OUTPUT})
  message(FATAL_ERROR "po/vegatrade.pot does not hold the messages of the sources; make it anew with the "
                      "target pot (cmake --build BUILD --target pot)")
endif()
