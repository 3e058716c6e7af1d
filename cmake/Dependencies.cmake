# Every library comes from Debian's packages (tools/setup.sh installs them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_CONTENT REQUIRED IMPORTED_TARGET SDL2_image SDL2_mixer SDL2_ttf)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
find_package(pugixml REQUIRED)
find_package(glm REQUIRED)

# What only the platform layer may include.
add_library(kelvane_platform_deps INTERFACE)
target_link_libraries(kelvane_platform_deps INTERFACE PkgConfig::SDL2 PkgConfig::SDL2_CONTENT PkgConfig::EPOXY glm::glm)

# What the engine may use directly: XML and maths.
add_library(kelvane_engine_deps INTERFACE)
target_link_libraries(kelvane_engine_deps INTERFACE pugixml::pugixml glm::glm)
