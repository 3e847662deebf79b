# Windows tree: the Win32 platform, the programs, and the tests run under Wine.
enable_language(RC)
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601)

file(GLOB KS_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp ${CMAKE_SOURCE_DIR}/ui/win32/*.cpp)
add_library(ks_win32 STATIC ${KS_WIN32_SOURCES})

# System DLLs that a program needs only on some of its paths are
# delay-loaded: each is mapped on the first call into it rather than at
# process start. Under Wine every DLL mapped at start costs start-up time,
# and more again at exit (a preset applied from the command line uses none
# of these). An import missing from this list fails the link by its name.
set(KS_DELAYLOAD
  "comctl32:DefSubclassProc,InitCommonControlsEx,RemoveWindowSubclass,SetWindowSubclass"
  "ole32:CoCreateInstance,CoInitializeEx,CoUninitialize,CreateStreamOnHGlobal,GetHGlobalFromStream"
  "oleaut32:OleLoadPicture,SysAllocStringLen,SysFreeString"
  "shell32:FindExecutableA,ShellExecuteA,Shell_NotifyIconA"
  "urlmon:CreateAsyncBindCtx,CreateURLMoniker"
  "version:GetFileVersionInfoA,GetFileVersionInfoSizeA,VerQueryValueA"
  "wininet:DeleteUrlCacheEntryA,InternetCloseHandle,InternetOpenA")
find_program(KS_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
set(KS_DELAYLOAD_LIBS "")
foreach(entry IN LISTS KS_DELAYLOAD)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 dll)
  list(GET parts 1 exports)
  string(REPLACE "," "\n" exports "${exports}")
  set(def ${CMAKE_BINARY_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  file(WRITE ${def}.new "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  file(COPY_FILE ${def}.new ${def} ONLY_IF_DIFFERENT)
  if(NOT EXISTS ${lib} OR ${def} IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${KS_DLLTOOL} -d ${def} -y ${lib} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dlltool could not make ${lib}")
    endif()
  endif()
  list(APPEND KS_DELAYLOAD_LIBS ${lib})
endforeach()
target_link_libraries(ks_win32 PUBLIC ks_common advapi32 user32 gdi32 ${KS_DELAYLOAD_LIBS} delayimp uuid)

# GoogleTest from the Debian sources, built with the cross compiler.
set(KS_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KS_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests run in a Wine prefix of this build tree.
set(KS_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${KS_WINEPREFIX})

# The programs.
file(GLOB KS_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/programs/*/CMakeLists.txt)
# ks_programs builds every program and nothing else (the run script's target).
add_custom_target(ks_programs)
foreach(program IN LISTS KS_PROGRAMS)
  get_filename_component(dir ${program} DIRECTORY)
  add_subdirectory(${dir})
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      add_dependencies(ks_programs ${target})
    endif()
  endforeach()
endforeach()

# One test executable, run as one CTest test under Wine.
file(GLOB_RECURSE KS_WINE_TESTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
add_executable(ks_wine_tests ${KS_WINE_TESTS})
target_include_directories(ks_wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(ks_wine_tests PRIVATE ks_all ks_win32 gtest_main)
# The update site's tests start a second Wine server on this prefix inside
# their namespaces; they run last, in a test process of their own, so that
# nothing they leave behind meets the other tests.
add_test(NAME wine_tests COMMAND ks_wine_tests --gtest_brief=1 --gtest_filter=-RelayoProgram.*:WindowsAtScreenDpi.*)
add_test(NAME wine_site_tests COMMAND ks_wine_tests --gtest_brief=1 --gtest_filter=RelayoProgram.*)
set_tests_properties(wine_site_tests PROPERTIES DEPENDS wine_tests)
# The windows at 96 and 120 pixels per inch change the prefix's screen
# setting for a while; the Wine server writes the registry to the prefix's
# files only now and then, so a second server (the site tests') started
# soon after could read the changed setting. They run last.
add_test(NAME wine_dpi_tests COMMAND ks_wine_tests --gtest_brief=1 --gtest_filter=WindowsAtScreenDpi.*)
set_tests_properties(wine_dpi_tests PROPERTIES DEPENDS wine_site_tests)
set_tests_properties(wine_tests wine_site_tests wine_dpi_tests PROPERTIES TIMEOUT 900
  ENVIRONMENT "KS_BUILD_DIR=${CMAKE_BINARY_DIR};KS_SOURCE_DIR=${CMAKE_SOURCE_DIR}")

# Installation folder: programs at the top, the data folder beside them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION data)
# The run command's install step, run again on one folder, keeps the files
# made or changed there in between (a shell test: no Wine, no display).
add_test(NAME install_keeps_user_files COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/keeps_user_files.sh
  ${CMAKE_BINARY_DIR})
# Started again with nothing to do, it changes nothing; two at once both
# succeed and leave one whole record.
add_test(NAME install_again_and_at_once COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/again_and_at_once.sh
  ${CMAKE_BINARY_DIR})

# Helpers of the Wine tests: stand-in driver DLLs, a detection probe and an
# idle process to look for in a process list.
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/winehelp ${CMAKE_BINARY_DIR}/winehelp)

# Benchmarks (run on demand, see the README): each bench/<topic>/ with a
# CMakeLists.txt adds its targets to both trees.
include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)
