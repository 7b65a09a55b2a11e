# The warnings every target of ours is built with, in one interface target.
# POMROLA_WERROR turns them into errors (the test script and the dev preset
# set it); third-party and Qt headers come in as system headers and stay quiet.
option(POMROLA_WERROR "Treat compiler warnings as errors" OFF)

add_library(pomrola_warnings INTERFACE)
if(MSVC)
    target_compile_options(pomrola_warnings INTERFACE /W4 /utf-8 $<$<BOOL:${POMROLA_WERROR}>:/WX>)
else()
    target_compile_options(pomrola_warnings INTERFACE
        -Wall -Wextra -Wpedantic
        -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Woverloaded-virtual
        $<$<BOOL:${POMROLA_WERROR}>:-Werror>)
endif()

# Links the warnings into every target built from `dir` and the folders below it.
function(pomrola_use_warnings dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            target_link_libraries(${target} PRIVATE pomrola_warnings)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        pomrola_use_warnings(${subdir})
    endforeach()
endfunction()
