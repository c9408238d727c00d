# The Scintilla editing component and the Lexilla lexers that Kestil uses,
# built as static libraries from the source that scripts/fetch-deps unpacked.
set(KESTIL_SCITE_DIR ${CMAKE_SOURCE_DIR}/.deps/scite-5.3.3 CACHE PATH
    "Unpacked scite source package (Scintilla and Lexilla)")
if(NOT EXISTS ${KESTIL_SCITE_DIR}/scintilla/src/Editor.cxx)
  message(FATAL_ERROR "Scintilla's source is missing in ${KESTIL_SCITE_DIR}: run scripts/setup")
endif()
set(SCI ${KESTIL_SCITE_DIR}/scintilla)
set(LEX ${KESTIL_SCITE_DIR}/lexilla)

file(GLOB KESTIL_SCINTILLA_SOURCES ${SCI}/src/*.cxx)
add_library(scintilla STATIC ${KESTIL_SCINTILLA_SOURCES}
  ${SCI}/win32/HanjaDic.cxx ${SCI}/win32/PlatWin.cxx ${SCI}/win32/ScintillaWin.cxx)
target_include_directories(scintilla SYSTEM PUBLIC ${SCI}/include)
target_include_directories(scintilla PRIVATE ${SCI}/src)
# Kestil searches with its own rules: the regular expression engine of the
# standard library would only add size.
target_compile_definitions(scintilla PRIVATE NO_CXX11_REGEX)
target_compile_options(scintilla PRIVATE -O2 -w)
target_link_libraries(scintilla PUBLIC imm32 msimg32 ole32 oleaut32 uuid gdi32 user32)

file(GLOB KESTIL_LEXLIB_SOURCES ${LEX}/lexlib/*.cxx)
add_library(lexilla STATIC ${KESTIL_LEXLIB_SOURCES}
  ${LEX}/lexers/LexHTML.cxx ${LEX}/lexers/LexCSS.cxx ${LEX}/lexers/LexCPP.cxx)
target_include_directories(lexilla SYSTEM PUBLIC ${LEX}/include ${LEX}/lexlib)
target_include_directories(lexilla PRIVATE ${SCI}/include)
target_compile_options(lexilla PRIVATE -O2 -w)

set(KESTIL_DEPENDENCY_LICENCES ${SCI}/License.txt ${LEX}/License.txt)
