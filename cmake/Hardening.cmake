# SPDX-License-Identifier: GPL-3.0-or-later
# Release and package builds are hardened the way the distribution builds its own programs: the
# flags come from dpkg-buildflags with every hardening feature on, so that they follow the
# distribution, but without its debug information and -O2 (the release build stays at -O3). Debug,
# sanitizer and fuzz builds keep their own flags: the sanitizers check more than these do.
include_guard(GLOBAL)
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

if(CMAKE_BUILD_TYPE STREQUAL "Debug" OR CMAKE_CXX_FLAGS MATCHES "sanitize")
    set(hardening_default OFF)
else()
    set(hardening_default ON)
endif()
option(REFLECTORY_HARDENING "Build with the distribution's hardening flags" ${hardening_default})
if(NOT REFLECTORY_HARDENING)
    return()
endif()

# One of dpkg-buildflags' flag sets, without what is not hardening: debug information, the
# optimisation level and the build folder's name mapped away for reproducible builds.
function(reflectory_build_flags kind fallback out)
    find_program(REFLECTORY_DPKG_BUILDFLAGS dpkg-buildflags)
    set(flags ${fallback})
    if(REFLECTORY_DPKG_BUILDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${REFLECTORY_DPKG_BUILDFLAGS} --get ${kind}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            set(flags ${fallback})
        endif()
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g.*|-O.*|-f(file|debug|macro)-prefix-map=.*)$")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

reflectory_build_flags(CPPFLAGS "-D_FORTIFY_SOURCE=2" preprocessor_flags)
reflectory_build_flags(CFLAGS "-fstack-protector-strong" c_flags)
reflectory_build_flags(CXXFLAGS "-fstack-protector-strong" cxx_flags)
reflectory_build_flags(LDFLAGS "-Wl,-z,relro -Wl,-z,now" link_flags)

# Debian 12's dpkg-buildflags leaves out stack clash and control-flow protection; later ones give
# them, and then they are not given twice.
foreach(extra -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "REFLECTORY_HAS${extra}" supported)
    check_cxx_compiler_flag(${extra} ${supported})
    if(${supported} AND NOT extra IN_LIST cxx_flags)
        list(APPEND cxx_flags ${extra})
    endif()
    # The C compiler (the benchmark's floors) is the C++ compiler's sibling; it is enabled later.
    if(${supported} AND NOT extra IN_LIST c_flags)
        list(APPEND c_flags ${extra})
    endif()
endforeach()

list(TRANSFORM c_flags REPLACE "^(.+)$" "$<$<COMPILE_LANGUAGE:C>:\\1>")
list(TRANSFORM cxx_flags REPLACE "^(.+)$" "$<$<COMPILE_LANGUAGE:CXX>:\\1>")
add_compile_options(${preprocessor_flags} ${c_flags} ${cxx_flags})
add_link_options(${link_flags})

# Position independent programs, so that the loader places them at random.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported(LANGUAGES CXX)
