# AddressSanitizer and UndefinedBehaviorSanitizer over every target of the
# build, tests included: the first finding stops the program with a report.
option(POMROLA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(POMROLA_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "POMROLA_SANITIZE needs GCC or Clang")
    endif()
    set(POMROLA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${POMROLA_SANITIZER_FLAGS})
    add_link_options(${POMROLA_SANITIZER_FLAGS})
endif()
