#include "host/program_run.h"

#include <glib.h>
#include <sys/wait.h>

#include <string>

namespace voltrane {

namespace {

// Takes a string GLib allocated; null gives an empty string.
std::string takeString(gchar* text) {
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv) {
    std::vector<gchar*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<gchar*>(arg.c_str()));
    args.push_back(nullptr);
    gchar* out = nullptr;
    gchar* err = nullptr;
    gint status = 0;
    GError* error = nullptr;
    ProgramResult result;
    if (!g_spawn_sync(nullptr, args.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out, &err,
                      &status, &error)) {
        result.startError = error->message;
        g_error_free(error);
        return result;
    }
    result.out = takeString(out);
    result.err = takeString(err);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

std::filesystem::path FindProgram(std::string_view name) {
    return takeString(g_find_program_in_path(std::string(name).c_str()));
}

}  // namespace voltrane
