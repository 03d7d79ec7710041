# The app shell: the tray item, the picker window around the QML view, and the `pelmora`
# executable. Included by CMakeLists.txt of this folder.
include(GNUInstallDirs)

add_library(pelmora_shell STATIC
    WindowPlacement.h WindowPlacement.cpp
    PickerWindow.h PickerWindow.cpp
    TrayIcon.h TrayIcon.cpp
)
target_include_directories(pelmora_shell PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pelmora_shell PUBLIC pelmora_platform_desktop pelmora_model Qt6::Quick Qt6::Widgets)

# Fontconfig's answers remembered for every thread of the process (FontMatchMemo.h). An object
# library: an executable that links it answers Qt's calls to FcFontMatch itself.
find_package(Fontconfig REQUIRED)
add_library(pelmora_font_match_memo OBJECT FontMatchMemo.h FontMatchMemo.cpp)
target_include_directories(pelmora_font_match_memo PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pelmora_font_match_memo PUBLIC Fontconfig::Fontconfig ${CMAKE_DL_LIBS})

qt_add_executable(pelmora
    ${CMAKE_CURRENT_SOURCE_DIR}/../main.cpp
    PelmoraApp.h PelmoraApp.cpp
    LauncherCommands.h LauncherCommands.cpp
)
target_link_libraries(pelmora PRIVATE
    pelmora_shell pelmora_ui pelmora_uiplugin pelmora_layout pelmora_layoutplugin
    pelmora_font_match_memo)
target_compile_definitions(pelmora PRIVATE PELMORA_VERSION="${PROJECT_VERSION}")
install(TARGETS pelmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
