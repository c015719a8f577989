# Warnings for every target of the project, as errors where GAME_WERROR is
# on (the dev, sanitize and fuzz presets).
add_library(game_warnings INTERFACE)
target_compile_options(game_warnings INTERFACE -Wall -Wextra -Wpedantic $<$<BOOL:${GAME_WERROR}>:-Werror>)

# The layers depend one way: app -> windows -> game -> store. Each layer's
# headers are reached as "<layer>/<file>.h" through an include folder of its
# own that holds that layer alone, so a layer sees only the layers it links:
# store cannot include game, game cannot include windows.
#   game_layer(TARGET LAYER)
function(game_layer target layer)
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    if(NOT EXISTS ${root}/${layer})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PRIVATE game_warnings)
endfunction()
