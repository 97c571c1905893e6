# prismel_help_file(<target> SOURCE <file.help> HLP <file.HLP> [CNT <file.cnt>] [HTML <file.html>]
#                   [PAGES <file.pages>])
# Compiles a help source with the host tool helpc (built by the host preset, which `make` builds
# first) as part of the default build. helpc writes nothing unless the whole source is sound.
function(prismel_help_file target)
    cmake_parse_arguments(PARSE_ARGV 1 HELP "" "SOURCE;HLP;CNT;HTML;PAGES" "")
    set(arguments ${HELP_SOURCE} --hlp ${HELP_HLP})
    set(outputs ${HELP_HLP})
    if(HELP_CNT)
        list(APPEND arguments --cnt ${HELP_CNT})
        list(APPEND outputs ${HELP_CNT})
    endif()
    if(HELP_HTML)
        list(APPEND arguments --html ${HELP_HTML})
        list(APPEND outputs ${HELP_HTML})
    endif()
    if(HELP_PAGES)
        list(APPEND arguments --pages ${HELP_PAGES})
        list(APPEND outputs ${HELP_PAGES})
    endif()
    add_custom_command(OUTPUT ${outputs}
        COMMAND host::helpc ${arguments}
        DEPENDS ${HELP_SOURCE} $<TARGET_FILE:host::helpc>
        COMMENT "Compiling the help source ${HELP_SOURCE}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
