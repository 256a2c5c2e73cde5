# Compiler settings shared by both build trees.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

# Rebuilds of the same sources (several checkouts, clean trees) come from ccache when it is
# installed; nothing depends on it.
find_program(CARTULAN_CCACHE ccache)
if(CARTULAN_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER ${CARTULAN_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CARTULAN_CCACHE})
endif()

if(WIN32)
    # ANSI API throughout; Windows NT 4 level headers plus what the tests need.
    add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 _WIN32_IE=0x0600)
    add_compile_options(-fno-ident)
else()
    option(CARTULAN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
    if(CARTULAN_FUZZ)
        # Every library gets the fuzzer's coverage instrumentation, so a target explores the
        # code it calls and not only its own source; ASan and UBSan watch all of it.
        add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
        add_link_options(-fsanitize=address,undefined)
    elseif(CARTULAN_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                            -fno-sanitize-recover=undefined)
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()
