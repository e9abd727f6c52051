#pragma once

#include <string>
#include <string_view>

// The application's home folder and its standard folders: Documents, Library, Library/Caches,
// Library/Preferences and tmp. The home is $VKJY_HOME when set, else $XDG_DATA_HOME/vkjy, else
// ~/.local/share/vkjy; it is looked up on every call, so tests can point it elsewhere. Each
// folder is created when asked for. Any thread.
class Paths {
public:
    static std::string home();
    static std::string documents();
    static std::string library();
    static std::string caches();
    static std::string preferences();
    static std::string temporary();

    // A name inside a folder: join(documents(), "Logs").
    static std::string join(std::string_view folder, std::string_view name);
};
