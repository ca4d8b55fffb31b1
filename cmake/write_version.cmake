# Writes OUTPUT with the program's version and, in a git checkout, the commit it was built
# from. Run at every build; the file changes (and its one unit recompiles) only when the
# text does.
set(commit "")
find_program(GIT git)
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --short=10 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(failed)
    set(commit "")
  endif()
endif()
set(text "// Made by cmake/write_version.cmake.\n#include \"ui/shell/version.h\"\n\nnamespace orvo {\n\nconst char* OrvoVersion() { return \"${VERSION}\"; }\nconst char* OrvoCommit() { return \"${commit}\"; }\n\n}  // namespace orvo\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
else()
  set(old "")
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()
