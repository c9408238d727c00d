# HTML Tidy's library, the markup check's parser, built as a static library
# from the source that scripts/fetch-deps unpacked. Only the library: the
# manual page is made by running the built program, which a cross build
# cannot do. English messages only (the program has its own Japanese ones).
set(KESTIL_TIDY_DIR ${CMAKE_SOURCE_DIR}/.deps/tidy-html5-5.6.0/tidy-html5-5.6.0 CACHE PATH
    "Unpacked tidy-html5 source package")
if(NOT EXISTS ${KESTIL_TIDY_DIR}/src/tidylib.c)
  message(FATAL_ERROR "Tidy's source is missing in ${KESTIL_TIDY_DIR}: run scripts/setup")
endif()
set(TIDY ${KESTIL_TIDY_DIR})

add_library(tidy STATIC
  ${TIDY}/src/access.c ${TIDY}/src/attrs.c ${TIDY}/src/istack.c ${TIDY}/src/parser.c
  ${TIDY}/src/tags.c ${TIDY}/src/entities.c ${TIDY}/src/lexer.c ${TIDY}/src/pprint.c
  ${TIDY}/src/charsets.c ${TIDY}/src/clean.c ${TIDY}/src/message.c ${TIDY}/src/config.c
  ${TIDY}/src/alloc.c ${TIDY}/src/attrdict.c ${TIDY}/src/buffio.c ${TIDY}/src/fileio.c
  ${TIDY}/src/streamio.c ${TIDY}/src/tagask.c ${TIDY}/src/tmbstr.c ${TIDY}/src/utf8.c
  ${TIDY}/src/tidylib.c ${TIDY}/src/mappedio.c ${TIDY}/src/gdoc.c ${TIDY}/src/language.c
  ${TIDY}/src/messageobj.c ${TIDY}/src/sprtf.c)
target_include_directories(tidy SYSTEM PUBLIC ${TIDY}/include)
target_include_directories(tidy PRIVATE ${TIDY}/src)
target_compile_definitions(tidy PRIVATE LIBTIDY_VERSION="5.6.0" RELEASE_DATE="2017/11/25"
                           SUPPORT_LOCALIZATIONS=0 SUPPORT_CONSOLE_APP=0 _REENTRANT)
# The library is built with the project's compiler and its warnings off:
# they are its authors' to mend.
target_compile_options(tidy PRIVATE -O2 -w)

list(APPEND KESTIL_DEPENDENCY_LICENCES ${TIDY}/README/LICENSE.txt)
